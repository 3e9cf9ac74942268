#include "RandomTour.h"

#include "runtime/qt/ScreenWindow.h"
#include "runtime/qt/Surface.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QMenuBar>
#include <QtTest>

#include <algorithm>
#include <functional>
#include <map>
#include <optional>
#include <set>

namespace yelvanis::testing {

namespace {

using qt::ScreenWindow;
using qt::Surface;

// How a user's mouse reaches a control of a live window, or nothing when no
// click can reach it (a painted control hidden under a windowed one).
std::function<void()> mouseRoute(ScreenWindow* w, const ScreenDef& def, const std::string& name)
{
    if (QMenuBar* bar = w->menuBar()) {
        if (auto* action = bar->findChild<QAction*>(QString::fromStdString(name)))
            return [action] { action->trigger(); };
    }
    QWidget* live = w->control(name);
    if (auto* button = qobject_cast<QAbstractButton*>(live))
        return [button] { QTest::mouseClick(button, Qt::LeftButton); };
    if (live)
        return {}; // frames, text boxes and panels have no click of their own
    const ControlDef* c = def.control(name);
    if (!c)
        return {};
    Surface* surface = c->container.empty() ? w->client() : qobject_cast<Surface*>(w->control(c->container));
    if (!surface)
        return {};
    const QRect box = surface->boxOf(*c) & surface->rect();
    if (box.isEmpty())
        return {};
    for (int fy : {2, 1, 3, 0, 4}) {
        for (int fx : {2, 1, 3, 0, 4}) {
            const QPoint p(box.left() + box.width() * (2 * fx + 1) / 10, box.top() + box.height() * (2 * fy + 1) / 10);
            if (surface->childAt(p) == nullptr && surface->paintedAt(p) == c)
                return [surface, p] { QTest::mouseClick(surface, Qt::LeftButton, {}, p); };
        }
    }
    return {};
}

std::string joined(const std::set<std::string>& ids)
{
    std::string s;
    for (const std::string& id : ids)
        s += (s.empty() ? "" : " ") + id;
    return "{" + s + "}";
}

} // namespace

RandomTour::RandomTour(const Catalogue& catalogue, std::uint64_t seed) : RandomTour(catalogue, catalogue, seed) {}

RandomTour::RandomTour(const Catalogue& program, const Catalogue& model, std::uint64_t seed)
    : m_catalogue(program), m_seed(seed), m_random(seed), m_model(model)
{
    startProgram();
}

RandomTour::~RandomTour()
{
    stopProgram();
}

void RandomTour::startProgram()
{
    stopProgram();
    m_windows = std::make_unique<qt::QtWindowSystem>();
    m_windows->onQuit = [] {};
    m_windows->browserLauncher = [](const std::string&) { return true; };
    m_manager = std::make_unique<ScreenManager>(m_catalogue, *m_windows, [this](const std::string&, const std::string&) {
        ++m_reports;
    });
    ++m_counts.starts;
    m_manager->start();
    m_model.start();
    m_recent.push_back("start");
}

void RandomTour::stopProgram()
{
    m_manager.reset();
    m_windows.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

std::vector<RandomTour::UserEvent> RandomTour::possibleEvents() const
{
    std::vector<UserEvent> events;
    const std::set<std::string>& loaded = m_model.loaded();
    for (const Binding& b : m_catalogue.bindings()) {
        if (b.event == Event::Click && loaded.count(b.screen) && clickable(b.screen, b.control))
            events.push_back({Kind::Click, b.screen, b.control});
    }
    for (const std::string& id : loaded) {
        const ScreenDef& def = m_catalogue.screen(id);
        if (def.hasTitleBar() && def.controlBox)
            events.push_back({Kind::CloseBox, id, {}});
        events.push_back({Kind::Minimize, id, {}});
    }
    return events;
}

bool RandomTour::clickable(const std::string& screen, const std::string& control) const
{
    ScreenWindow* w = qt::windowOf(m_manager->live(screen));
    return w && mouseRoute(w, m_catalogue.screen(screen), control);
}

void RandomTour::perform(const UserEvent& e)
{
    ScreenWindow* w = qt::windowOf(m_manager->live(e.screen));
    if (!w)
        return;
    switch (e.kind) {
    case Kind::Click:
        ++m_counts.clicks;
        // A minimized window comes back from the task bar before its click.
        if (w->isMinimized())
            w->showNormal();
        mouseRoute(w, m_catalogue.screen(e.screen), e.control)();
        m_model.click(e.screen, e.control);
        break;
    case Kind::CloseBox:
        ++m_counts.closes;
        w->close();
        m_model.closeBox(e.screen);
        break;
    case Kind::Minimize:
        ++m_counts.minimizes;
        w->showMinimized();
        break;
    }
}

std::string RandomTour::describe(const UserEvent& e)
{
    switch (e.kind) {
    case Kind::Click:
        return "click " + e.screen + "." + e.control;
    case Kind::CloseBox:
        return "close box of " + e.screen;
    case Kind::Minimize:
        return "minimize " + e.screen;
    }
    return {};
}

std::string RandomTour::disagreement() const
{
    const std::vector<std::string> ids = m_manager->loadedScreens();
    const std::set<std::string> real(ids.begin(), ids.end());
    if (real != m_model.loaded())
        return "loaded " + joined(real) + ", expected " + joined(m_model.loaded());
    if (m_manager->activeScreen() != m_model.active())
        return "active '" + m_manager->activeScreen() + "', expected '" + m_model.active() + "'";
    if (m_manager->ended() != m_model.ended())
        return std::string("ended ") + (m_manager->ended() ? "true" : "false") + ", expected otherwise";
    if (m_reports != m_model.reports())
        return "reported " + std::to_string(m_reports) + " failed steps, expected " + std::to_string(m_model.reports());

    // One window per loaded screen on the desktop, none for any other.
    std::map<std::string, int> windows;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (auto* w = qobject_cast<ScreenWindow*>(top)) {
            if (!w->isHidden())
                ++windows[w->screenId()];
            else
                return "a hidden window of " + w->screenId() + " outlives its handler";
        }
    }
    for (const auto& [id, n] : windows) {
        if (n != 1 || !real.count(id))
            return std::to_string(n) + " windows of " + id + (real.count(id) ? "" : ", which is not loaded");
    }
    for (const std::string& id : real) {
        if (!windows.count(id) || qt::windowOf(m_manager->live(id)) == nullptr)
            return "no window for the loaded screen " + id;
    }
    return {};
}

std::string RandomTour::run(int steps)
{
    for (int i = 0; i < steps; ++i) {
        if (m_manager->ended())
            startProgram();
        const std::vector<UserEvent> events = possibleEvents();
        if (events.empty()) {
            startProgram();
            continue;
        }
        const UserEvent e = events[std::uniform_int_distribution<size_t>(0, events.size() - 1)(m_random)];
        m_recent.push_back(describe(e));
        if (m_recent.size() > 12)
            m_recent.erase(m_recent.begin());
        perform(e);
        // Freed windows go; timers and painting get their turn.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
        m_counts.mostLoaded = std::max(m_counts.mostLoaded, m_model.loaded().size());
        const std::string d = disagreement();
        if (!d.empty()) {
            std::string history;
            for (const std::string& r : m_recent)
                history += "\n  " + r;
            return "seed " + std::to_string(m_seed) + ", step " + std::to_string(i) + ": " + d + "\nlast events:" + history;
        }
    }
    m_counts.reports = m_reports;
    return {};
}

} // namespace yelvanis::testing
