#pragma once

#include "runtime/WindowSystem.h"

#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace yelvanis::testing {

// Windows that only record what is done to them, in one shared journal.
class FakeWindowSystem : public WindowSystem {
public:
    struct Movie : MovieControl {
        std::vector<std::string>* journal;
        void setMovie(const std::string& path) override { journal->push_back("movie " + path); }
        void play() override { journal->push_back("play"); }
        void setLoop(bool loop) override { journal->push_back(loop ? "loop on" : "loop off"); }
    };

    struct Screen : LiveScreen {
        std::string id;
        std::vector<std::string>* journal;
        bool* alive;
        bool shown = false, minimized = false, destroyed = false;
        Movie movieControl;
        bool hasMovie = false;

        void show() override { shown = true; journal->push_back("show " + id); }
        void activate() override { journal->push_back("activate " + id); }
        void minimize() override { minimized = true; journal->push_back("minimize " + id); }
        bool isMinimized() const override { return minimized; }
        void destroy() override { destroyed = true; journal->push_back("destroy " + id); }
        MovieControl* movie(std::string_view name) override
        {
            return hasMovie && name == "ShockwaveFlash1" ? &movieControl : nullptr;
        }
        ~Screen() override { journal->push_back("release " + id); }
    };

    std::unique_ptr<LiveScreen> build(const ScreenDef& def, ScreenEvents&) override
    {
        if (failing.count(def.id))
            throw std::runtime_error("cannot create " + def.id);
        journal.push_back("build " + def.id);
        auto s = std::make_unique<Screen>();
        s->id = def.id;
        s->journal = &journal;
        s->movieControl.journal = &journal;
        s->hasMovie = def.control("ShockwaveFlash1") != nullptr;
        return s;
    }
    std::string applicationFolder() const override { return "/opt/app"; }
    void launchBrowser(const std::string& url) override
    {
        if (!browserWorks)
            throw std::runtime_error("no browser");
        journal.push_back("browser " + url);
    }
    void quit() override
    {
        ++quits;
        journal.push_back("quit");
    }

    std::vector<std::string> journal;
    std::set<std::string> failing;
    bool browserWorks = true;
    int quits = 0;
};

} // namespace yelvanis::testing
