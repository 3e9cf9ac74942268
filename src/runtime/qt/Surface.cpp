#include "runtime/qt/Surface.h"

#include "content/Content.h"
#include "runtime/Units.h"
#include "runtime/qt/Look.h"

#include <QMouseEvent>
#include <QPainter>

#include <cmath>

namespace yelvanis::qt {

namespace {

QRect labelBox(const ControlDef& c)
{
    QRect box(twipsToPixels(c.left), twipsToPixels(c.top), twipsToPixels(c.width), twipsToPixels(c.height));
    if (c.autoSize.value_or(false)) {
        // The box follows the caption, each line on one line; left and top stay.
        const QFontMetricsF fm(toQFont(*c.font));
        const QStringList lines = toDisplayText(*c.caption).split(QLatin1Char('\n'));
        qreal w = 0;
        for (const QString& l : lines)
            w = qMax(w, fm.horizontalAdvance(l));
        box.setSize(QSize(int(std::ceil(w)), int(std::ceil(fm.height())) * int(lines.size())));
    }
    return box;
}

} // namespace

Surface::Surface(QColor back, ClickHandler onClick, QWidget* parent)
    : QWidget(parent), m_back(back), m_onClick(std::move(onClick))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
}

void Surface::addPainted(const ControlDef& control)
{
    Item item{control, {}, {}};
    switch (control.kind) {
    case ControlKind::Label:
        item.box = labelBox(control);
        break;
    case ControlKind::Image: {
        if (control.picture && content::has(control.picture->resource)) {
            const auto bytes = content::get(control.picture->resource);
            item.picture = QImage::fromData(reinterpret_cast<const uchar*>(bytes.data()), int(bytes.size()));
        }
        item.box = QRect(twipsToPixels(control.left), twipsToPixels(control.top), twipsToPixels(control.width),
                         twipsToPixels(control.height));
        break;
    }
    case ControlKind::Line: {
        const QPoint a(twipsToPixels(control.x1), twipsToPixels(control.y1));
        const QPoint b(twipsToPixels(control.x2), twipsToPixels(control.y2));
        const int w = control.lineWidth.value_or(1);
        item.box = QRect(a, b).normalized().adjusted(-w, -w, w, w);
        break;
    }
    default:
        return;
    }
    m_items.push_back(std::move(item));
}

QRect Surface::boxOf(const ControlDef& control) const
{
    for (const Item& i : m_items)
        if (i.def.name == control.name)
            return i.box;
    return {};
}

const ControlDef* Surface::paintedAt(QPoint p) const
{
    for (const Item& i : m_items)
        if (i.def.kind != ControlKind::Line && i.box.contains(p))
            return &i.def;
    return nullptr;
}

void Surface::paintBackground(QPainter& p)
{
    p.fillRect(rect(), m_back);
}

void Surface::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    paintBackground(p);
    for (auto it = m_items.rbegin(); it != m_items.rend(); ++it)
        paintItem(p, *it);
}

void Surface::paintItem(QPainter& p, const Item& item) const
{
    const ControlDef& c = item.def;
    p.save();
    switch (c.kind) {
    case ControlKind::Label: {
        p.setClipRect(item.box);
        if (!c.transparent.value_or(false))
            p.fillRect(item.box, toQColor(*c.backColour));
        p.setFont(toQFont(*c.font));
        p.setPen(toQColor(*c.foreColour));
        // An auto-sized label is as wide as its longest line: it never wraps.
        int align = Qt::AlignTop | (c.autoSize.value_or(false) ? 0 : Qt::TextWordWrap);
        switch (*c.alignment) {
        case Alignment::Left: align |= Qt::AlignLeft; break;
        case Alignment::Right: align |= Qt::AlignRight; break;
        case Alignment::Centre: align |= Qt::AlignHCenter; break;
        }
        // Text past the bottom edge is cut off by the clip, not squeezed in.
        QRect textBox = item.box;
        textBox.setHeight(100000);
        p.drawText(textBox, align, toDisplayText(*c.caption));
        break;
    }
    case ControlKind::Image:
        p.setClipRect(item.box);
        if (item.picture.isNull())
            break; // a missing picture draws nothing
        if (c.stretch.value_or(false))
            p.drawImage(item.box, item.picture);
        else
            p.drawImage(item.box.topLeft(), item.picture);
        break;
    case ControlKind::Line: {
        QPen pen(toQColor(kLineColour));
        pen.setWidth(c.lineWidth.value_or(1));
        pen.setCapStyle(Qt::SquareCap);
        p.setPen(pen);
        p.drawLine(QPoint(twipsToPixels(c.x1), twipsToPixels(c.y1)), QPoint(twipsToPixels(c.x2), twipsToPixels(c.y2)));
        break;
    }
    default:
        break;
    }
    p.restore();
}

void Surface::mousePressEvent(QMouseEvent* event)
{
    const ControlDef* c = event->button() == Qt::LeftButton ? paintedAt(event->position().toPoint()) : nullptr;
    m_pressed = c ? c->name : std::string();
    QWidget::mousePressEvent(event);
}

void Surface::mouseReleaseEvent(QMouseEvent* event)
{
    const ControlDef* c = event->button() == Qt::LeftButton ? paintedAt(event->position().toPoint()) : nullptr;
    const std::string pressed = std::exchange(m_pressed, std::string());
    if (c && c->name == pressed && m_onClick)
        m_onClick(c->name);
    QWidget::mouseReleaseEvent(event);
}

} // namespace yelvanis::qt
