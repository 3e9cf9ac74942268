#include "runtime/qt/ScreenWindow.h"

#include "content/Content.h"
#include "runtime/Units.h"
#include "runtime/qt/ButtonControl.h"
#include "runtime/qt/FrameControl.h"
#include "runtime/qt/Look.h"
#include "runtime/qt/MoviePanel.h"
#include "runtime/qt/StreamPanel.h"
#include "runtime/qt/Surface.h"
#include "runtime/qt/TextBoxControl.h"
#include "runtime/stream/StreamPlayer.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QBuffer>
#include <QCloseEvent>
#include <QImageReader>
#include <QApplication>
#include <QIcon>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>

#include <algorithm>
#include <stdexcept>

namespace yelvanis::qt {

namespace {

// Width of the border drawn round a window that has no title bar.
constexpr int kDrawnBorder = 3;

QIcon iconFor(const IconDef& icon)
{
    if (icon.kind == IconDef::Kind::Picture) {
        // Every image of the icon file, so the desktop can choose its size.
        const auto bytes = content::get(icon.picture.resource);
        QByteArray data = QByteArray::fromRawData(bytes.data(), qsizetype(bytes.size()));
        QBuffer buffer(&data);
        QImageReader reader(&buffer, "ICO");
        QIcon result;
        for (int i = 0; i < qMax(1, reader.imageCount()); ++i) {
            if (i > 0 && !reader.jumpToImage(i))
                break;
            const QImage image = reader.read();
            if (!image.isNull())
                result.addPixmap(QPixmap::fromImage(image));
        }
        return result;
    }
    if (icon.kind == IconDef::Kind::None) {
        QPixmap empty(16, 16);
        empty.fill(Qt::transparent);
        return QIcon(empty);
    }
    return {};
}

// The caption a screen reader announces for a text box: the nearest label
// above it on the same container that overlaps it sideways; failing that the
// frame's caption, failing that the screen's.
QString headingOf(const ControlDef& box, QRect boxRect, const ScreenDef& def, const Surface& container)
{
    const ControlDef* best = nullptr;
    int bestGap = 0;
    for (const ControlDef& c : def.controls) {
        if (c.kind != ControlKind::Label || c.container != box.container || !c.caption
            || toDisplayText(*c.caption).trimmed().isEmpty())
            continue;
        const QRect r = container.boxOf(c);
        const bool sideways = r.left() < boxRect.right() && boxRect.left() < r.right();
        if (!sideways || r.top() >= boxRect.top())
            continue;
        // A label that runs into the box's top edge is as near as can be.
        const int distance = qMax(0, boxRect.top() - r.bottom());
        if (!best || distance < bestGap) {
            best = &c;
            bestGap = distance;
        }
    }
    QString heading;
    if (best) {
        heading = toDisplayText(*best->caption);
    } else if (!box.container.empty()) {
        for (const ControlDef& c : def.controls)
            if (c.name == box.container && c.caption)
                heading = toDisplayText(*c.caption);
    }
    if (heading.trimmed().isEmpty())
        heading = QString::fromStdString(def.caption);
    return heading.simplified();
}

// What a screen reader calls a screen: its caption; a screen without one
// is called by its most prominent label, the one in the largest type,
// topmost first.
QString screenNameOf(const ScreenDef& def)
{
    if (!def.caption.empty())
        return QString::fromStdString(def.caption);
    const ControlDef* best = nullptr;
    for (const ControlDef& c : def.controls) {
        if (c.kind != ControlKind::Label || !c.caption || toDisplayText(*c.caption).trimmed().isEmpty() || !c.font)
            continue;
        if (!best || c.font->size > best->font->size
            || (c.font->size == best->font->size && c.container == best->container && c.top < best->top))
            best = &c;
    }
    return best ? toDisplayText(*best->caption).simplified() : QString();
}

// Roles that the plain widget interface cannot tell: a screen is a window,
// a movie panel an animation, a stream player a sound.
QAccessibleInterface* screenAccessible(const QString&, QObject* object)
{
    if (auto* window = qobject_cast<ScreenWindow*>(object))
        return new QAccessibleWidget(window, QAccessible::Window);
    if (auto* movie = qobject_cast<MoviePanel*>(object))
        return new QAccessibleWidget(movie, QAccessible::Animation);
    if (auto* stream = qobject_cast<StreamPanel*>(object))
        return new QAccessibleWidget(stream, QAccessible::Sound);
    return nullptr;
}

} // namespace

ScreenWindow::ScreenWindow(const ScreenDef& def, ScreenEvents& events)
    : QWidget(nullptr), m_id(def.id), m_events(events)
{
    setObjectName(QString::fromStdString(def.id));
    setAttribute(Qt::WA_DeleteOnClose, false);

    Qt::WindowFlags flags = Qt::Window;
    if (def.hasTitleBar()) {
        flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
        if (def.controlBox)
            flags |= Qt::WindowCloseButtonHint | Qt::WindowSystemMenuHint;
    } else {
        flags |= Qt::FramelessWindowHint;
        m_border = kDrawnBorder;
    }
    setWindowFlags(flags);
    setWindowTitle(QString::fromStdString(def.caption));
    if (QIcon icon = iconFor(def.icon); !icon.isNull())
        setWindowIcon(icon);

    QPalette pal = palette();
    pal.setColor(QPalette::Window, toQColor(*def.backColour));
    setPalette(pal);
    setAutoFillBackground(true);

    buildMenu(def);
    const int menuHeight = m_menuBar ? m_menuBar->sizeHint().height() : 0;
    const QSize client(twipsToPixels(def.clientWidth), twipsToPixels(def.clientHeight));
    m_client = new Surface(toQColor(*def.backColour),
                           [this](const std::string& name) { m_events.clicked(m_id, name); }, this);
    m_client->setObjectName(QStringLiteral("client"));
    m_client->setGeometry(m_border, m_border + menuHeight, client.width(), client.height());
    if (m_menuBar)
        m_menuBar->setGeometry(m_border, m_border, client.width(), menuHeight);

    buildControls(def);
    setAccessibleName(screenNameOf(def));

    const QSize outer(client.width() + 2 * m_border, client.height() + menuHeight + 2 * m_border);
    if (def.border == BorderStyle::SizableToolWindow) {
        resize(outer);
        setMinimumSize(1, 1);
    } else {
        setFixedSize(outer);
    }
    place(def);
}

void ScreenWindow::buildMenu(const ScreenDef& def)
{
    if (def.menu.empty())
        return;
    m_menuBar = new QMenuBar(this);
    m_menuBar->setNativeMenuBar(false);
    m_menuBar->setFont(toQFont(defaultFont()));
    // A desktop's menu colours, not the screen's back colour.
    m_menuBar->setPalette(QApplication::palette());
    m_menuBar->setAutoFillBackground(true);
    for (const MenuItemDef& top : def.menu) {
        const QString caption = QString::fromStdString(top.caption);
        if (top.items.empty()) {
            QAction* a = m_menuBar->addAction(caption);
            a->setObjectName(QString::fromStdString(top.name));
            connect(a, &QAction::triggered, this, [this, name = top.name] { m_events.clicked(m_id, name); });
            continue;
        }
        QMenu* menu = m_menuBar->addMenu(caption);
        menu->setObjectName(QString::fromStdString(top.name));
        menu->setFont(toQFont(defaultFont()));
        for (const MenuItemDef& sub : top.items) {
            QAction* a = menu->addAction(QString::fromStdString(sub.caption));
            a->setObjectName(QString::fromStdString(sub.name));
            connect(a, &QAction::triggered, this, [this, name = sub.name] { m_events.clicked(m_id, name); });
        }
    }
}

void ScreenWindow::buildControls(const ScreenDef& def)
{
    auto clickOf = [this](const std::string& name) { m_events.clicked(m_id, name); };
    std::map<std::string, Surface*, std::less<>> frames;
    // Frames first, so that a control can go into a frame stored after it.
    for (const ControlDef& c : def.controls) {
        if (c.kind != ControlKind::Frame)
            continue;
        if (!c.container.empty())
            throw std::runtime_error("frame " + c.name + " is not on the screen");
        auto* f = new FrameControl(c, clickOf, m_client);
        f->setAccessibleName(toDisplayText(c.caption.value_or(std::string())).simplified());
        frames.emplace(c.name, f);
        m_controls.emplace(c.name, f);
    }

    static const bool factoryInstalled = [] {
        QAccessible::installFactory(screenAccessible);
        return true;
    }();
    (void)factoryInstalled;

    std::vector<std::pair<const ControlDef*, QWidget*>> windowed;
    for (const ControlDef& c : def.controls) {
        Surface* container = m_client;
        if (!c.container.empty()) {
            auto it = frames.find(c.container);
            if (it == frames.end())
                throw std::runtime_error("control " + c.name + " names the unknown container " + c.container);
            container = it->second;
        }
        QWidget* w = nullptr;
        switch (c.kind) {
        case ControlKind::Label:
        case ControlKind::Image:
        case ControlKind::Line:
            container->addPainted(c);
            continue;
        case ControlKind::Frame:
            w = m_controls.at(c.name);
            break;
        case ControlKind::Button: {
            auto* b = new ButtonControl(c, container);
            connect(b, &QAbstractButton::clicked, this, [this, name = c.name] { m_events.clicked(m_id, name); });
            w = b;
            break;
        }
        case ControlKind::TextBox:
            w = new TextBoxControl(c, container);
            break;
        case ControlKind::Movie:
            w = new MoviePanel(c, container);
            break;
        case ControlKind::Stream: {
            auto* panel = new StreamPanel(c, container);
            // The focus goes to the player, so it carries the name too.
            for (QWidget* named : {static_cast<QWidget*>(panel), static_cast<QWidget*>(panel->player())}) {
                named->setAccessibleName(QStringLiteral("Ses çalar"));
                named->setAccessibleDescription(QStringLiteral("Sunucudan gelen sesi çalar"));
            }
            w = panel;
            break;
        }
        }
        m_controls.emplace(c.name, w);
        windowed.emplace_back(&c, w);
    }

    // Once every label is on its surface, whatever order they are stored in.
    for (const auto& [c, w] : windowed)
        if (c->kind == ControlKind::TextBox)
            w->setAccessibleName(headingOf(*c, w->geometry(), def, *static_cast<Surface*>(w->parentWidget())));

    // The one stored earlier lies above: raise the last stored first.
    for (auto it = windowed.rbegin(); it != windowed.rend(); ++it)
        it->second->raise();

    std::vector<std::pair<const ControlDef*, QWidget*>> focusable;
    for (const auto& [c, w] : windowed)
        if (c->canTakeFocus())
            focusable.emplace_back(c, w);
    std::stable_sort(focusable.begin(), focusable.end(),
                     [](const auto& a, const auto& b) { return a.first->tabIndex < b.first->tabIndex; });
    for (const auto& [c, w] : focusable)
        m_tabOrder.push_back(w);
    for (size_t i = 1; i < m_tabOrder.size(); ++i)
        QWidget::setTabOrder(m_tabOrder[i - 1], m_tabOrder[i]);
    for (const auto& [c, w] : focusable) {
        if (c->kind != ControlKind::TextBox || c->tabStop.value_or(true)) {
            m_firstFocus = w;
            break;
        }
    }
    if (!m_firstFocus && !m_tabOrder.empty())
        m_firstFocus = m_tabOrder.front();
}

void ScreenWindow::place(const ScreenDef& def)
{
    const QSize outer = size();
    const int menuHeight = m_menuBar ? m_menuBar->height() : 0;
    switch (def.startPosition) {
    case StartPosition::Manual:
        // The client area's corner goes where the definition says; a top-level
        // widget's geometry excludes the window frame, its pos() does not.
        setGeometry(QRect(QPoint(twipsToPixels(def.clientLeft) - m_border,
                                 twipsToPixels(def.clientTop) - m_border - menuHeight),
                          outer));
        break;
    case StartPosition::CentreScreen: {
        QScreen* screen = QGuiApplication::primaryScreen();
        const QRect avail = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
        move(avail.center() - QPoint(outer.width() / 2, outer.height() / 2));
        break;
    }
    case StartPosition::SystemDefault:
        break;
    }
}

QRect ScreenWindow::clientGeometry() const
{
    return QRect(geometry().topLeft() + m_client->pos(), m_client->size());
}

QWidget* ScreenWindow::control(std::string_view name) const
{
    auto it = m_controls.find(name);
    return it == m_controls.end() ? nullptr : it->second;
}

void ScreenWindow::closeEvent(QCloseEvent* event)
{
    // The frame's close is the navigation action Close: the screen manager
    // unloads the screen and may end the program.
    event->ignore();
    m_events.closeRequested(m_id);
}

void ScreenWindow::paintEvent(QPaintEvent* event)
{
    QWidget::paintEvent(event);
    if (m_border == 0)
        return;
    // A dialog frame drawn by hand: light outside top-left, dark bottom-right.
    QPainter p(this);
    QRect r = rect().adjusted(0, 0, -1, -1);
    const QColor colours[3][2] = {{QColor(0xE3, 0xE3, 0xE3), QColor(0x40, 0x40, 0x40)},
                                  {Qt::white, QColor(0xA0, 0xA0, 0xA0)},
                                  {QColor(0xF0, 0xF0, 0xF0), QColor(0xF0, 0xF0, 0xF0)}};
    for (int i = 0; i < kDrawnBorder; ++i) {
        p.setPen(colours[i][0]);
        p.drawLine(r.topLeft(), r.topRight());
        p.drawLine(r.topLeft(), r.bottomLeft());
        p.setPen(colours[i][1]);
        p.drawLine(r.bottomLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomRight());
        r.adjust(1, 1, -1, -1);
    }
}

} // namespace yelvanis::qt
