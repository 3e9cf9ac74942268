#include "runtime/ScreenManager.h"

#include <algorithm>

namespace yelvanis {

namespace {

std::string describe(const std::string& screen, const Step& step)
{
    std::string s = std::string(actionName(step.action)) + " on " + screen;
    if (!step.target.empty())
        s += " (" + step.target + ")";
    if (!step.file.empty())
        s += " (" + step.file + ")";
    return s;
}

std::string joinPath(const std::string& folder, const std::string& file)
{
    if (folder.empty())
        return file;
    return folder.back() == '/' ? folder + file : folder + '/' + file;
}

} // namespace

ScreenManager::ScreenManager(const Catalogue& catalogue, WindowSystem& windows, ErrorReporter report)
    : m_catalogue(catalogue), m_windows(windows), m_report(std::move(report))
{
}

ScreenManager::~ScreenManager()
{
    for (auto& [id, screen] : m_live)
        screen->destroy();
}

void ScreenManager::start()
{
    ++m_depth;
    try {
        show(kStartScreen);
    } catch (const StepFailure& f) {
        m_report(f.step, f.what());
    }
    --m_depth;
    releaseUnloaded();
    if (m_live.empty() && !m_ended) {
        m_ended = true;
        m_windows.quit();
    }
}

void ScreenManager::show(const std::string& id)
{
    auto it = m_live.find(id);
    if (it != m_live.end()) {
        it->second->activate();
        m_active = id;
        return;
    }
    // A load handler that refers back to its own screen while it is being
    // built would recurse without end.
    if (std::find(m_building.begin(), m_building.end(), id) != m_building.end())
        throw StepFailure("show " + id, "the screen is still being built");
    const ScreenDef* def = nullptr;
    try {
        def = &m_catalogue.screen(id);
    } catch (const std::out_of_range& e) {
        throw StepFailure("show " + id, e.what());
    }
    std::unique_ptr<LiveScreen> screen;
    try {
        screen = m_windows.build(*def, *this);
    } catch (const std::exception& e) {
        throw StepFailure("show " + id, e.what());
    }
    LiveScreen* raw = screen.get();
    m_live.emplace(id, std::move(screen));
    m_building.push_back(id);
    if (const Binding* load = m_catalogue.binding(id, "", Event::Load)) {
        try {
            runSteps(id, load->steps);
        } catch (const StepFailure& f) {
            // The load handler ends here; the screen itself is built and shows.
            m_report(f.step, f.what());
        }
    }
    m_building.pop_back();
    // The load handler may have unloaded the screen again.
    if (isLoaded(id) && live(id) == raw) {
        raw->show();
        m_active = id;
    }
}

void ScreenManager::unload(const std::string& id)
{
    auto it = m_live.find(id);
    if (it == m_live.end())
        return;
    std::unique_ptr<LiveScreen> screen = std::move(it->second);
    m_live.erase(it);
    screen->destroy();
    if (m_depth > 0)
        m_unloaded.push_back(std::move(screen));
    if (m_active == id)
        m_active.clear();
    if (m_live.empty() && !m_ended) {
        m_ended = true;
        m_windows.quit();
    }
}

void ScreenManager::minimize(const std::string& id)
{
    if (LiveScreen* s = live(id))
        s->minimize();
}

std::vector<std::string> ScreenManager::loadedScreens() const
{
    std::vector<std::string> ids;
    for (const auto& [id, s] : m_live)
        ids.push_back(id);
    return ids;
}

LiveScreen* ScreenManager::live(const std::string& id) const
{
    auto it = m_live.find(id);
    return it == m_live.end() ? nullptr : it->second.get();
}

void ScreenManager::dispatch(const std::string& screen, const std::string& control, Event event)
{
    if (!isLoaded(screen))
        return;
    const Binding* b = m_catalogue.binding(screen, control, event);
    if (!b)
        return;
    ++m_depth;
    try {
        runSteps(screen, b->steps);
    } catch (const StepFailure& f) {
        m_report(f.step, f.what());
    }
    --m_depth;
    releaseUnloaded();
}

void ScreenManager::clicked(const std::string& screen, const std::string& control)
{
    dispatch(screen, control, Event::Click);
}

void ScreenManager::closeRequested(const std::string& screen)
{
    ++m_depth;
    unload(screen);
    --m_depth;
    releaseUnloaded();
}

void ScreenManager::runSteps(const std::string& screen, const std::vector<Step>& steps)
{
    for (const Step& step : steps)
        runStep(screen, step);
}

void ScreenManager::runStep(const std::string& screen, const Step& step)
{
    switch (step.action) {
    case Action::GoTo:
        show(step.target);
        unload(screen);
        return;
    case Action::Open:
        show(step.target);
        return;
    case Action::Close:
        unload(screen);
        return;
    case Action::Minimize:
        minimize(screen);
        return;
    case Action::StartMovie: {
        LiveScreen* s = live(screen);
        MovieControl* movie = s ? s->movie(step.control) : nullptr;
        if (!movie)
            throw StepFailure(describe(screen, step), "the screen has no movie panel " + step.control);
        try {
            movie->setMovie(joinPath(m_windows.applicationFolder(), step.file));
            movie->play();
            movie->setLoop(true);
        } catch (const std::exception& e) {
            throw StepFailure(describe(screen, step), e.what());
        }
        return;
    }
    case Action::LaunchBrowser:
        try {
            m_windows.launchBrowser(step.target);
        } catch (const std::exception& e) {
            throw StepFailure(describe(screen, step), e.what());
        }
        return;
    }
}

void ScreenManager::releaseUnloaded()
{
    if (m_depth == 0)
        m_unloaded.clear();
}

} // namespace yelvanis
