#include "runtime/qt/Surface.h"

#include "content/Content.h"
#include "runtime/Units.h"
#include "runtime/qt/Look.h"

#include <QAccessibleActionInterface>
#include <QAccessibleWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

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

// A painted label or image: no widget of its own, so its own interface,
// with the surface as its parent and the control's click as its press.
class PaintedAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    PaintedAccessible(Surface* surface, int index) : m_surface(surface), m_index(index) { }

    bool isValid() const override { return m_surface && m_index < m_surface->accessibleItemCount(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_surface ? m_surface->window()->windowHandle() : nullptr; }
    QList<std::pair<QAccessibleInterface*, QAccessible::Relation>> relations(QAccessible::Relation) const override
    {
        return {};
    }
    QAccessibleInterface* focusChild() const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(m_surface.data()); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override
    {
        if (!isValid() || t != QAccessible::Name)
            return {};
        return m_surface->accessibleItemName(m_index);
    }
    void setText(QAccessible::Text, const QString&) override { }
    QRect rect() const override
    {
        if (!isValid())
            return {};
        const QRect box = m_surface->accessibleItemBox(m_index);
        return QRect(m_surface->mapToGlobal(box.topLeft()), box.size());
    }
    QAccessible::Role role() const override
    {
        if (!isValid())
            return QAccessible::NoRole;
        return m_surface->accessibleItem(m_index).kind == ControlKind::Image ? QAccessible::Graphic
                                                                              : QAccessible::StaticText;
    }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        s.invisible = !m_surface || !m_surface->isVisible();
        return s;
    }
    void* interface_cast(QAccessible::InterfaceType t) override
    {
        return t == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
    }

    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& name) override
    {
        if (isValid() && name == pressAction())
            m_surface->pressAccessibleItem(m_index);
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    QPointer<Surface> m_surface;
    int m_index;
};

// A surface's children: its windowed controls, then its painted ones.
class SurfaceAccessible : public QAccessibleWidget {
public:
    SurfaceAccessible(Surface* s, QAccessible::Role role) : QAccessibleWidget(s, role) { }

    int childCount() const override { return QAccessibleWidget::childCount() + surface()->accessibleItemCount(); }
    QAccessibleInterface* child(int index) const override
    {
        const int windowed = QAccessibleWidget::childCount();
        if (index < windowed)
            return QAccessibleWidget::child(index);
        if (index - windowed < surface()->accessibleItemCount())
            return surface()->accessibleItemInterface(index - windowed);
        return nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        for (int i = 0; i < surface()->accessibleItemCount(); ++i)
            if (surface()->accessibleItemInterface(i) == child)
                return QAccessibleWidget::childCount() + i;
        return QAccessibleWidget::indexOfChild(child);
    }
    QAccessibleInterface* childAt(int x, int y) const override
    {
        if (QAccessibleInterface* w = QAccessibleWidget::childAt(x, y))
            return w;
        const QPoint p = surface()->mapFromGlobal(QPoint(x, y));
        for (int i = 0; i < surface()->accessibleItemCount(); ++i)
            if (surface()->accessibleItemBox(i).contains(p))
                return surface()->accessibleItemInterface(i);
        return nullptr;
    }

private:
    Surface* surface() const { return static_cast<Surface*>(widget()); }
};

QAccessibleInterface* surfaceAccessible(const QString&, QObject* object)
{
    // A frame is a group of controls; the client area just holds them.
    if (auto* s = qobject_cast<Surface*>(object))
        return new SurfaceAccessible(s, object->inherits("yelvanis::qt::FrameControl") ? QAccessible::Grouping
                                                                                      : QAccessible::Client);
    return nullptr;
}

} // namespace

Surface::Surface(QColor back, ClickHandler onClick, QWidget* parent)
    : QWidget(parent), m_back(back), m_onClick(std::move(onClick))
{
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(surfaceAccessible);
        return true;
    }();
    (void)factoryInstalled;
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
}

Surface::~Surface()
{
    for (QAccessible::Id id : m_accessibleIds)
        if (id)
            QAccessible::deleteAccessibleInterface(id);
}

const ControlDef& Surface::accessibleItem(int index) const
{
    return m_items.at(m_accessible.at(size_t(index))).def;
}

QRect Surface::accessibleItemBox(int index) const
{
    return m_items.at(m_accessible.at(size_t(index))).box;
}

QString Surface::accessibleItemName(int index) const
{
    const Item& item = m_items.at(m_accessible.at(size_t(index)));
    auto captionOf = [](const ControlDef& c) {
        return toDisplayText(c.caption.value_or(std::string())).simplified();
    };
    if (item.def.kind == ControlKind::Label)
        return captionOf(item.def);
    // A caption on the picture, else the nearest one under it that overlaps
    // it sideways and starts within a line's height of its bottom.
    constexpr int kCaptionGap = 24;
    const Item* best = nullptr;
    int bestGap = 0;
    for (const Item& other : m_items) {
        if (other.def.kind != ControlKind::Label || captionOf(other.def).isEmpty())
            continue;
        const QRect r = other.box;
        if (item.box.contains(r.center()))
            return captionOf(other.def);
        const bool sideways = r.left() < item.box.right() && item.box.left() < r.right();
        const int gap = r.top() - item.box.bottom();
        if (sideways && gap >= -kCaptionGap / 2 && gap <= kCaptionGap && r.center().y() > item.box.bottom()
            && (!best || gap < bestGap)) {
            best = &other;
            bestGap = gap;
        }
    }
    return best ? captionOf(best->def) : QString();
}

void Surface::pressAccessibleItem(int index)
{
    if (m_onClick)
        m_onClick(accessibleItem(index).name);
}

QAccessibleInterface* Surface::accessibleItemInterface(int index) const
{
    m_accessibleIds.resize(m_accessible.size(), 0);
    QAccessible::Id& id = m_accessibleIds.at(size_t(index));
    if (!id)
        id = QAccessible::registerAccessibleInterface(new PaintedAccessible(const_cast<Surface*>(this), index));
    return QAccessible::accessibleInterface(id);
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
    if (control.kind != ControlKind::Line)
        m_accessible.push_back(m_items.size());
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
