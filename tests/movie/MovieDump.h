#pragma once

// A movie as text, one line per field that a file carries, so that a write
// and a read can be compared and a difference shows where it is. Fields the
// file does not carry (the pen position of a style record without a move,
// the tag index, warnings) are left out.

#include <QString>
#include <QStringList>
#include <QTest>

#include "runtime/movie/SwfTypes.h"

namespace yelvanis::swf::testing {

inline QString num(double v)
{
    return QString::number(v, 'g', 10);
}

inline QString color(Rgba c)
{
    return QString::asprintf("#%02x%02x%02x%02x", c.r, c.g, c.b, c.a);
}

inline QString matrix(const Matrix& m)
{
    return QStringLiteral("[%1 %2 %3 %4 %5 %6]").arg(num(m.a), num(m.b), num(m.c), num(m.d), num(m.tx), num(m.ty));
}

inline QString rect(const Rect& r)
{
    return QStringLiteral("(%1..%2, %3..%4)").arg(r.xMin).arg(r.xMax).arg(r.yMin).arg(r.yMax);
}

inline QString fill(const FillStyle& f)
{
    QString s = QStringLiteral("fill kind %1 color %2 matrix %3").arg(int(f.kind)).arg(color(f.color), matrix(f.matrix));
    if (f.kind == FillStyle::Kind::Bitmap)
        s += QStringLiteral(" bitmap %1 repeat %2 smooth %3").arg(f.bitmapId).arg(f.repeat).arg(f.smooth);
    if (f.kind != FillStyle::Kind::Solid && f.kind != FillStyle::Kind::Bitmap) {
        s += QStringLiteral(" spread %1 linear %2 focal %3").arg(int(f.gradient.spread)).arg(f.gradient.linearRgb).arg(num(f.gradient.focal));
        for (const GradientStop& st : f.gradient.stops)
            s += QStringLiteral(" %1:%2").arg(st.ratio).arg(color(st.color));
    }
    return s;
}

inline QString hexBytes(const std::vector<uint8_t>& b)
{
    return QString::fromLatin1(QByteArray(reinterpret_cast<const char*>(b.data()), qsizetype(b.size())).toHex());
}

inline QString line(const LineStyle& l)
{
    QString s = QStringLiteral("line width %1 color %2 caps %3/%4 join %5 miter %6 noscale %7%8 noclose %9 hinting %10")
                    .arg(l.width)
                    .arg(color(l.color))
                    .arg(int(l.startCap))
                    .arg(int(l.endCap))
                    .arg(int(l.join))
                    .arg(num(l.miterLimit))
                    .arg(l.noHScale)
                    .arg(l.noVScale)
                    .arg(l.noClose)
                    .arg(l.pixelHinting);
    if (l.fill)
        s += QStringLiteral(" filled by ") + fill(*l.fill);
    return s;
}

inline void styles(QStringList& out, const std::vector<FillStyle>& fills, const std::vector<LineStyle>& lines, const QString& indent)
{
    for (const FillStyle& f : fills)
        out << indent + fill(f);
    for (const LineStyle& l : lines)
        out << indent + line(l);
}

inline void records(QStringList& out, const std::vector<ShapeRecord>& rs, const QString& indent)
{
    for (const ShapeRecord& r : rs) {
        switch (r.kind) {
        case ShapeRecord::Kind::Style: {
            QString s = indent + QStringLiteral("style");
            if (r.hasMove)
                s += QStringLiteral(" move %1,%2").arg(num(r.to.x), num(r.to.y));
            if (r.hasFill0)
                s += QStringLiteral(" fill0 %1").arg(r.fill0);
            if (r.hasFill1)
                s += QStringLiteral(" fill1 %1").arg(r.fill1);
            if (r.hasLine)
                s += QStringLiteral(" line %1").arg(r.line);
            out << s;
            if (r.newStyles) {
                out << indent + QStringLiteral("new styles");
                styles(out, r.newStyles->fills, r.newStyles->lines, indent + "  ");
            }
            break;
        }
        case ShapeRecord::Kind::Line: out << indent + QStringLiteral("line to %1,%2").arg(num(r.to.x), num(r.to.y)); break;
        case ShapeRecord::Kind::Curve:
            out << indent + QStringLiteral("curve via %1,%2 to %3,%4").arg(num(r.control.x), num(r.control.y), num(r.to.x), num(r.to.y));
            break;
        }
    }
}

inline void timeline(QStringList& out, const Timeline& t, const QString& indent)
{
    for (size_t i = 0; i < t.frames.size(); ++i) {
        const Frame& f = t.frames[i];
        out << indent + QStringLiteral("frame %1 label '%2'").arg(i).arg(QString::fromStdString(f.label));
        for (const ControlTag& tag : f.tags) {
            if (const auto* p = std::get_if<PlaceObject>(&tag)) {
                QString s = indent + QStringLiteral("  place depth %1 move %2").arg(p->depth).arg(p->move);
                if (p->characterId)
                    s += QStringLiteral(" id %1").arg(*p->characterId);
                if (p->matrix)
                    s += QStringLiteral(" matrix ") + matrix(*p->matrix);
                if (p->colorTransform) {
                    const ColorTransform& c = *p->colorTransform;
                    s += QStringLiteral(" cx %1 %2 %3 %4 + %5 %6 %7 %8")
                             .arg(c.rMul).arg(c.gMul).arg(c.bMul).arg(c.aMul).arg(c.rAdd).arg(c.gAdd).arg(c.bAdd).arg(c.aAdd);
                }
                if (p->ratio)
                    s += QStringLiteral(" ratio %1").arg(*p->ratio);
                if (p->clipDepth)
                    s += QStringLiteral(" clip %1").arg(*p->clipDepth);
                if (p->name)
                    s += QStringLiteral(" name '%1'").arg(QString::fromStdString(*p->name));
                if (p->visible)
                    s += QStringLiteral(" visible %1").arg(*p->visible);
                if (p->className)
                    s += QStringLiteral(" class '%1'").arg(QString::fromStdString(*p->className));
                if (p->blendMode)
                    s += QStringLiteral(" blend %1").arg(*p->blendMode);
                if (p->cacheAsBitmap)
                    s += QStringLiteral(" cached %1").arg(*p->cacheAsBitmap);
                if (p->opaqueBackground)
                    s += QStringLiteral(" opaque %1").arg(color(*p->opaqueBackground));
                out << s;
            } else if (const auto* r = std::get_if<RemoveObject>(&tag)) {
                QString s = indent + QStringLiteral("  remove depth %1").arg(r->depth);
                if (r->characterId)
                    s += QStringLiteral(" id %1").arg(*r->characterId);
                out << s;
            } else if (const auto* a = std::get_if<DoAction>(&tag)) {
                for (const Action& act : a->actions)
                    out << indent + QStringLiteral("  action %1 frame %2 label '%3'").arg(int(act.kind)).arg(act.frame).arg(QString::fromStdString(act.label));
            } else if (const auto* bg = std::get_if<SetBackground>(&tag)) {
                out << indent + QStringLiteral("  background %1").arg(color(bg->color));
            }
        }
    }
    for (const auto& [name, frame] : t.labels)
        out << indent + QStringLiteral("label '%1' at %2").arg(QString::fromStdString(name)).arg(frame);
}

// Points at the first line that differs, so a failure reads at once.
inline void compareDumps(const QStringList& got, const QStringList& want)
{
    for (qsizetype i = 0; i < std::min(got.size(), want.size()); ++i)
        QCOMPARE(got[i], want[i]);
    QCOMPARE(got.size(), want.size());
}

inline QStringList dump(const Movie& m)
{
    QStringList out;
    out << QStringLiteral("stage %1 rate %2 frames %3").arg(rect(m.header.stage), num(m.header.frameRate)).arg(m.header.frameCount);
    if (m.background)
        out << QStringLiteral("background %1").arg(color(*m.background));
    if (m.as3)
        out << QStringLiteral("ActionScript 3");
    for (const auto& [id, c] : m.characters) {
        if (const auto* s = std::get_if<Shape>(&c)) {
            out << QStringLiteral("shape %1 bounds %2 winding %3").arg(id).arg(rect(s->bounds)).arg(s->windingRule);
            styles(out, s->fills, s->lines, "  ");
            records(out, s->records, "  ");
        } else if (const auto* m2 = std::get_if<MorphShape>(&c)) {
            out << QStringLiteral("morph %1 bounds %2 %3").arg(id).arg(rect(m2->startBounds), rect(m2->endBounds));
            styles(out, m2->startFills, m2->startLines, "  start ");
            styles(out, m2->endFills, m2->endLines, "  end ");
            records(out, m2->startRecords, "  start ");
            records(out, m2->endRecords, "  end ");
        } else if (const auto* b = std::get_if<Bitmap>(&c)) {
            out << QStringLiteral("bitmap %1 kind %2 size %3x%4 encoded %5 alpha %6").arg(id).arg(int(b->kind)).arg(b->width).arg(b->height)
                       .arg(hexBytes(b->encoded), hexBytes(b->alpha));
            QStringList px;
            for (uint32_t p : b->pixels)
                px << QString::number(p, 16);
            out << QStringLiteral("  pixels ") + px.join(' ');
        } else if (const auto* f = std::get_if<Font>(&c)) {
            out << QStringLiteral("font %1 '%2' bold %3 italic %4 em20 %5 layout %6 ascent %7 descent %8 leading %9")
                       .arg(id).arg(QString::fromStdString(f->name)).arg(f->bold).arg(f->italic).arg(f->emSquare20).arg(f->hasLayout)
                       .arg(num(f->ascent), num(f->descent), num(f->leading));
            for (size_t i = 0; i < f->glyphs.size(); ++i) {
                out << QStringLiteral("  glyph %1 code %2 advance %3").arg(i).arg(i < f->codes.size() ? f->codes[i] : 0).arg(num(f->glyphs[i].advance));
                records(out, f->glyphs[i].records, "    ");
            }
        } else if (const auto* t = std::get_if<Text>(&c)) {
            out << QStringLiteral("text %1 bounds %2 matrix %3").arg(id).arg(rect(t->bounds), matrix(t->matrix));
            for (const TextRun& r : t->runs) {
                QString s = QStringLiteral("  run font %1 color %2 at %3,%4 height %5:").arg(r.fontId).arg(color(r.color), num(r.x), num(r.y), num(r.height));
                for (const TextGlyph& g : r.glyphs)
                    s += QStringLiteral(" %1/%2").arg(g.index).arg(g.advance);
                out << s;
            }
        } else if (const auto* e = std::get_if<EditText>(&c)) {
            out << QStringLiteral("edit text %1 bounds %2 variable '%3' text '%4'").arg(id).arg(rect(e->bounds),
                       QString::fromStdString(e->variableName), QString::fromStdString(e->initialText));
            out << QStringLiteral("  has text %1 font %2 color %3 layout %4 font class %5 max length %6")
                       .arg(e->hasText).arg(e->hasFont).arg(e->hasColor).arg(e->hasLayout).arg(e->hasFontClass)
                       .arg(e->maxLength ? QString::number(*e->maxLength) : QStringLiteral("none"));
            out << QStringLiteral("  wrap %1 multiline %2 password %3 read-only %4 auto-size %5 no-select %6 border %7 static %8 html %9 outlines %10")
                       .arg(e->wordWrap).arg(e->multiline).arg(e->password).arg(e->readOnly).arg(e->autoSize).arg(e->noSelect)
                       .arg(e->border).arg(e->wasStatic).arg(e->html).arg(e->useOutlines);
            out << QStringLiteral("  font %1 '%2' height %3 color %4 align %5 margins %6/%7 indent %8 leading %9")
                       .arg(e->fontId).arg(QString::fromStdString(e->fontClass)).arg(e->fontHeight).arg(color(e->color)).arg(e->align)
                       .arg(e->leftMargin).arg(e->rightMargin).arg(e->indent).arg(e->leading);
        } else if (const auto* sp = std::get_if<Sprite>(&c)) {
            out << QStringLiteral("sprite %1").arg(id);
            if (sp->timeline)
                timeline(out, *sp->timeline, "  ");
        } else {
            out << QStringLiteral("character %1 of kind %2").arg(id).arg(c.index());
        }
    }
    timeline(out, m.timeline, "");
    return out;
}

} // namespace yelvanis::swf::testing
