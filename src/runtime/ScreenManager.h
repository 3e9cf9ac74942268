#pragma once

#include "runtime/Catalogue.h"
#include "runtime/WindowSystem.h"

#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace yelvanis {

// A step of a handler that did not complete.
struct StepFailure : std::runtime_error {
    StepFailure(std::string step, const std::string& reason)
        : std::runtime_error(reason), step(std::move(step)) {}
    std::string step;
};

using ErrorReporter = std::function<void(const std::string& step, const std::string& reason)>;

// Owns every live screen: builds, shows, minimizes and unloads them, runs
// their handlers and ends the program when the last one goes.
class ScreenManager final : public ScreenEvents {
public:
    ScreenManager(const Catalogue& catalogue, WindowSystem& windows, ErrorReporter report);
    ~ScreenManager() override;

    // Shows the start screen.
    void start();

    void show(const std::string& id);
    void unload(const std::string& id);
    void minimize(const std::string& id);

    // Runs the handler bound to the event, if any. A failing step ends the
    // handler and goes to the error report.
    void dispatch(const std::string& screen, const std::string& control, Event event);

    void clicked(const std::string& screen, const std::string& control) override;
    void closeRequested(const std::string& screen) override;

    bool isLoaded(const std::string& id) const { return m_live.count(id) != 0; }
    std::vector<std::string> loadedScreens() const;
    LiveScreen* live(const std::string& id) const;
    // The screen last shown or activated, if it is still loaded.
    std::string activeScreen() const { return isLoaded(m_active) ? m_active : std::string(); }
    bool ended() const { return m_ended; }

    static constexpr const char* kStartScreen = "giris";

private:
    void runSteps(const std::string& screen, const std::vector<Step>& steps);
    void runStep(const std::string& screen, const Step& step);
    void releaseUnloaded();

    const Catalogue& m_catalogue;
    WindowSystem& m_windows;
    ErrorReporter m_report;
    std::map<std::string, std::unique_ptr<LiveScreen>> m_live;
    // Screens unloaded inside a running handler, released once it returns.
    std::vector<std::unique_ptr<LiveScreen>> m_unloaded;
    std::vector<std::string> m_building;
    std::string m_active;
    int m_depth = 0;
    bool m_ended = false;
};

} // namespace yelvanis
