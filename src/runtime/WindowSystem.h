#pragma once

#include "runtime/ScreenDef.h"

#include <memory>
#include <string>
#include <string_view>

namespace yelvanis {

// What a movie start needs of a movie panel.
class MovieControl {
public:
    virtual ~MovieControl() = default;
    virtual void setMovie(const std::string& path) = 0;
    virtual void play() = 0;
    virtual void setLoop(bool loop) = 0;
};

// A built screen: its window and live controls.
class LiveScreen {
public:
    virtual ~LiveScreen() = default;
    // First appearance after the build: visible, in front, focus on the first control.
    virtual void show() = 0;
    virtual void activate() = 0;
    virtual void minimize() = 0;
    virtual bool isMinimized() const = 0;
    // The window and its controls go away now; this object stays valid until
    // the handler that unloaded it has returned.
    virtual void destroy() = 0;
    // Nullptr when the screen has no movie panel of that name.
    virtual MovieControl* movie(std::string_view control) = 0;
};

// What built windows report back to the screen manager.
class ScreenEvents {
public:
    virtual ~ScreenEvents() = default;
    virtual void clicked(const std::string& screen, const std::string& control) = 0;
    // The close box, the window menu or the platform's close command.
    virtual void closeRequested(const std::string& screen) = 0;
};

// The platform under the screen manager: windows, the application folder,
// starting the browser and ending the program.
class WindowSystem {
public:
    virtual ~WindowSystem() = default;
    // Builds the window and all its controls, hidden. Throws on failure.
    virtual std::unique_ptr<LiveScreen> build(const ScreenDef& def, ScreenEvents& events) = 0;
    virtual std::string applicationFolder() const = 0;
    // Starts the browser on the address without waiting; throws when it cannot.
    virtual void launchBrowser(const std::string& url) = 0;
    virtual void quit() = 0;
};

} // namespace yelvanis
