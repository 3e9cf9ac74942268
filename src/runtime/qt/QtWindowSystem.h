#pragma once

#include "runtime/ScreenManager.h"
#include "runtime/WindowSystem.h"

#include <functional>

namespace yelvanis::qt {

class ScreenWindow;

// The window system of the real program: Qt top-level windows, the folder
// of the executable, the desktop's web browser.
class QtWindowSystem : public WindowSystem {
public:
    QtWindowSystem();

    std::unique_ptr<LiveScreen> build(const ScreenDef& def, ScreenEvents& events) override;
    std::string applicationFolder() const override;
    void launchBrowser(const std::string& url) override;
    void quit() override;

    // Tests replace what ending the program and starting the browser do.
    std::function<void()> onQuit;
    std::function<bool(const std::string& url)> browserLauncher;
};

// The live window of a screen as the screen manager sees it.
ScreenWindow* windowOf(LiveScreen* screen);

// The default error report: a message box titled "Yelvanis v1.0" naming the
// step that failed and why; the program goes on.
ErrorReporter messageBoxReporter();

} // namespace yelvanis::qt
