// yelvanis-inspect: every screen definition and every binding as JSON, with
// the defaults filled in, so that anyone can check them against their tables.
#include "content/Content.h"
#include "runtime/Catalogue.h"
#include "runtime/Picture.h"
#include "screens/Screens.h"
#include "common/Usage.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>

using namespace yelvanis;

namespace {

QString str(const std::string& s) { return QString::fromStdString(s); }

QJsonValue colour(const std::optional<Colour>& c)
{
    return c ? QJsonValue(str(toString(*c))) : QJsonValue();
}

QJsonValue font(const std::optional<Font>& f)
{
    if (!f)
        return QJsonValue();
    return QJsonObject{{"face", str(f->face)}, {"size", f->points()}, {"weight", f->weight},
                       {"italic", f->italic},  {"underline", f->underline}, {"charset", int(f->charset)}};
}

QJsonValue picture(const std::string& resource)
{
    if (!content::has(resource))
        return QJsonObject{{"resource", str(resource)}, {"missing", true}};
    const auto info = readPictureInfo(content::get(resource));
    if (!info)
        return QJsonObject{{"resource", str(resource)}, {"unreadable", true}};
    QJsonObject o{{"format", formatName(info->format)}, {"width", info->width}, {"height", info->height}};
    if (info->format == PictureFormat::Ico) {
        QJsonArray images;
        for (const auto& i : info->images)
            images.append(QJsonArray{i.width, i.height, i.bitsPerPixel});
        o["images"] = images;
    }
    return o;
}

QJsonObject movieSettings(const MovieSettings& m)
{
    return QJsonObject{{"WMode", str(m.wMode)},
                       {"Quality", str(m.quality)},
                       {"Scale", str(m.scale)},
                       {"Play", m.play},
                       {"Loop", m.loop},
                       {"Menu", m.menu},
                       {"AllowScriptAccess", str(m.allowScriptAccess)},
                       {"SeamlessTabbing", m.seamlessTabbing},
                       {"DeviceFont", m.deviceFont},
                       {"EmbedMovie", m.embedMovie},
                       {"Movie", str(m.movie)},
                       {"Src", str(m.src)},
                       {"Base", str(m.base)},
                       {"SAlign", str(m.sAlign)},
                       {"BGColor", str(m.bgColor)},
                       {"FlashVars", str(m.flashVars)}};
}

const char* alignmentName(Alignment a)
{
    return a == Alignment::Left ? "left" : a == Alignment::Right ? "right" : "centre";
}

QJsonObject control(const ScreenDef& s, const ControlDef& c)
{
    QJsonObject o{{"name", str(c.name)}, {"kind", kindName(c.kind)},
                  {"container", str(c.container.empty() ? s.id : c.container)}};
    if (c.kind == ControlKind::Line) {
        o["x1"] = c.x1;
        o["y1"] = c.y1;
        o["x2"] = c.x2;
        o["y2"] = c.y2;
        o["lineWidth"] = c.lineWidth.value_or(1);
        o["lineColour"] = str(toString(kLineColour));
        return o;
    }
    o["left"] = c.left;
    o["top"] = c.top;
    o["width"] = c.width;
    o["height"] = c.height;
    switch (c.kind) {
    case ControlKind::Label:
        o["caption"] = str(*c.caption);
        o["backColour"] = colour(c.backColour);
        o["foreColour"] = colour(c.foreColour);
        o["font"] = font(c.font);
        o["transparent"] = *c.transparent;
        o["alignment"] = alignmentName(*c.alignment);
        o["autoSize"] = *c.autoSize;
        o["tabIndex"] = c.tabIndex;
        break;
    case ControlKind::TextBox:
        o["text"] = str(c.text);
        o["backColour"] = colour(c.backColour);
        o["foreColour"] = colour(c.foreColour);
        o["font"] = font(c.font);
        o["multiLine"] = c.multiLine;
        o["readOnly"] = c.readOnly;
        o["verticalScrollBar"] = c.verticalScrollBar;
        o["tabIndex"] = c.tabIndex;
        o["tabStop"] = *c.tabStop;
        break;
    case ControlKind::Button:
        o["caption"] = str(*c.caption);
        o["backColour"] = colour(c.backColour);
        o["font"] = font(c.font);
        o["graphical"] = *c.graphical;
        o["tabIndex"] = c.tabIndex;
        break;
    case ControlKind::Frame:
        o["caption"] = c.caption ? QJsonValue(str(*c.caption)) : QJsonValue();
        o["backColour"] = colour(c.backColour);
        o["foreColour"] = colour(c.foreColour);
        o["font"] = font(c.font);
        o["tabIndex"] = c.tabIndex;
        break;
    case ControlKind::Image:
        o["picture"] = c.picture ? picture(c.picture->resource) : QJsonValue();
        o["stretch"] = *c.stretch;
        break;
    case ControlKind::Movie:
        o["tabIndex"] = c.tabIndex;
        o["settings"] = movieSettings(*c.movie);
        break;
    case ControlKind::Stream: {
        o["tabIndex"] = c.tabIndex;
        QByteArray bytes(reinterpret_cast<const char*>(c.settingsRecord.data()), qsizetype(c.settingsRecord.size()));
        o["settingsRecord"] = QString::fromLatin1(bytes.toHex());
        break;
    }
    case ControlKind::Line:
        break;
    }
    return o;
}

QJsonObject screen(const ScreenDef& s)
{
    QJsonObject icon;
    switch (s.icon.kind) {
    case IconDef::Kind::Default: icon = QJsonObject{{"kind", "default"}}; break;
    case IconDef::Kind::None: icon = QJsonObject{{"kind", "none"}}; break;
    case IconDef::Kind::Picture: {
        icon = picture(s.icon.picture.resource).toObject();
        icon["kind"] = "picture";
        break;
    }
    }
    QJsonArray menu;
    for (const auto& m : s.menu) {
        QJsonArray items;
        for (const auto& i : m.items)
            items.append(QJsonObject{{"name", str(i.name)}, {"caption", str(i.caption)}});
        menu.append(QJsonObject{{"name", str(m.name)}, {"caption", str(m.caption)}, {"items", items}});
    }
    QJsonArray controls;
    for (const auto& c : s.controls)
        controls.append(control(s, c));
    return QJsonObject{{"id", str(s.id)},
                       {"caption", str(s.caption)},
                       {"border", borderName(s.border)},
                       {"controlBox", s.controlBox},
                       {"titleBar", s.hasTitleBar()},
                       {"startPosition", startPositionName(s.startPosition)},
                       {"clientLeft", s.clientLeft},
                       {"clientTop", s.clientTop},
                       {"clientWidth", s.clientWidth},
                       {"clientHeight", s.clientHeight},
                       {"backColour", colour(s.backColour)},
                       {"icon", icon},
                       {"taskbar", s.showInTaskbar},
                       {"font", font(s.font)},
                       {"menu", menu},
                       {"controls", controls}};
}

QJsonObject binding(const Binding& b)
{
    QJsonArray steps;
    for (const Step& st : b.steps) {
        QJsonObject o{{"action", actionName(st.action)}};
        if (!st.target.empty())
            o["target"] = str(st.target);
        if (!st.file.empty())
            o["file"] = str(st.file);
        steps.append(o);
    }
    return QJsonObject{{"screen", str(b.screen)},
                       {"control", b.control.empty() ? QJsonValue() : QJsonValue(str(b.control))},
                       {"event", eventName(b.event)},
                       {"steps", steps}};
}

} // namespace

int main(int argc, char** argv)
{
    const tools::Usage usage("yelvanis-inspect",
        "usage: yelvanis-inspect\n"
        "  Prints every screen definition and every binding as JSON, with the\n"
        "  defaults filled in.\n");
    usage.answerHelp(argc, argv);
    if (argc > 1)
        usage.refuse(std::string("takes no arguments, got '") + argv[1] + "'");
    const Catalogue& catalogue = screens::all();
    QJsonArray screens, bindings;
    for (const auto& s : catalogue.screens())
        screens.append(screen(s));
    for (const auto& b : catalogue.bindings())
        bindings.append(binding(b));
    const QByteArray json = QJsonDocument(QJsonObject{{"screens", screens}, {"bindings", bindings}}).toJson();
    std::fwrite(json.constData(), 1, size_t(json.size()), stdout);
    return 0;
}
