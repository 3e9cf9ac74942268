#pragma once

#include <string>
#include <vector>

namespace yelvanis {

enum class Event { Click, Load };

enum class Action { GoTo, Open, Close, Minimize, StartMovie, LaunchBrowser };

struct Step {
    Action action = Action::Close;
    std::string target; // screen of GoTo and Open; address of the browser launch
    std::string file;   // movie file of a movie start
    std::string control = "ShockwaveFlash1"; // the movie panel a movie start drives

    static Step goTo(std::string screen) { return {Action::GoTo, std::move(screen), {}}; }
    static Step open(std::string screen) { return {Action::Open, std::move(screen), {}}; }
    static Step close() { return {Action::Close, {}, {}}; }
    static Step minimize() { return {Action::Minimize, {}, {}}; }
    static Step startMovie(std::string file) { return {Action::StartMovie, {}, std::move(file)}; }
    static Step launchBrowser(std::string url) { return {Action::LaunchBrowser, std::move(url), {}}; }
};

// (screen, control or the screen itself, event) to the handler's steps.
struct Binding {
    std::string screen;
    std::string control; // empty: the screen itself
    Event event = Event::Click;
    std::vector<Step> steps;
};

const char* actionName(Action a);
const char* eventName(Event e);

} // namespace yelvanis
