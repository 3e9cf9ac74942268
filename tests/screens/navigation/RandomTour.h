#pragma once

#include "NavigationModel.h"

#include "runtime/ScreenManager.h"
#include "runtime/qt/QtWindowSystem.h"

#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace yelvanis::testing {

// Drives the real program, offscreen, with a seeded random sequence of what
// a user can do: a bound click on any loaded screen, a close box where the
// screen has one, minimizing. After each step the screen manager and the
// windows on the desktop must agree with the navigation model. When the
// program ends, it is started again.
class RandomTour {
public:
    struct Counts {
        int clicks = 0, closes = 0, minimizes = 0, starts = 0, reports = 0;
        size_t mostLoaded = 0;
    };

    RandomTour(const Catalogue& catalogue, std::uint64_t seed);
    // The model may follow other rules than the program runs: a tour that
    // must find them out.
    RandomTour(const Catalogue& program, const Catalogue& model, std::uint64_t seed);
    ~RandomTour();

    // Empty when all steps agreed; otherwise what differed, at which step.
    std::string run(int steps);
    const Counts& counts() const { return m_counts; }

private:
    enum class Kind { Click, CloseBox, Minimize };
    struct UserEvent {
        Kind kind;
        std::string screen;
        std::string control;
    };

    void startProgram();
    void stopProgram();
    std::vector<UserEvent> possibleEvents() const;
    bool clickable(const std::string& screen, const std::string& control) const;
    void perform(const UserEvent& e);
    std::string disagreement() const;
    static std::string describe(const UserEvent& e);

    const Catalogue& m_catalogue;
    std::uint64_t m_seed;
    std::mt19937_64 m_random;
    NavigationModel m_model;
    std::unique_ptr<qt::QtWindowSystem> m_windows;
    std::unique_ptr<ScreenManager> m_manager;
    int m_reports = 0;
    Counts m_counts;
    std::vector<std::string> m_recent;
};

} // namespace yelvanis::testing
