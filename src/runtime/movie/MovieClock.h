#pragma once

// Where a playing view takes its time from. The program's clock runs on the
// monotonic clock and a precise timer; tests drive a manual one, so that
// playback needs no waiting on the wall clock.

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>

namespace yelvanis {

class MovieClock {
public:
    using Time = std::chrono::nanoseconds;

    virtual ~MovieClock() = default;
    virtual Time now() const = 0;
    // Calls `due` once, from the event loop of the thread that asked, when
    // now() has reached `at`. A later call replaces an earlier one.
    virtual void wakeAt(Time at, std::function<void()> due) = 0;
    virtual void cancel() = 0;
};

// The monotonic clock, with one timer that fires only when a wake-up is due.
std::unique_ptr<MovieClock> makeSystemClock();

// A clock that stands still until told to move on.
class ManualClock : public MovieClock {
public:
    Time now() const override { return m_now; }
    void wakeAt(Time at, std::function<void()> due) override
    {
        m_at = at;
        m_due = std::move(due);
    }
    void cancel() override { m_due = nullptr; }
    bool isWaiting() const { return bool(m_due); }
    Time wakeTime() const { return m_at; }

    // Moves time on, and calls a wake-up that has come due.
    void advance(Time by)
    {
        m_now += by;
        if (m_due && m_now >= m_at) {
            auto due = std::move(m_due);
            m_due = nullptr;
            due();
        }
    }

private:
    Time m_now { 0 };
    Time m_at { 0 };
    std::function<void()> m_due;
};

// When each frame is due: frame n at start + n / rate, counted from the
// start so that rounding never adds up to drift.
class FramePacer {
public:
    using Time = MovieClock::Time;

    void start(Time now, double framesPerSecond)
    {
        m_rate = framesPerSecond > 0 ? framesPerSecond : 12;
        m_start = now;
        m_frames = 0;
    }
    // The frames that came due since the last call, at least 0. After a long
    // stall (the program held up, the machine asleep) at most `catchUp` of
    // them; the count then starts again from now rather than racing ahead.
    int64_t take(Time now, int64_t catchUp)
    {
        const int64_t reached = framesAt(now);
        int64_t steps = reached - m_frames;
        if (steps <= 0)
            return 0;
        if (steps > catchUp) {
            steps = catchUp;
            m_start = now;
            m_frames = 0;
            return steps;
        }
        m_frames = reached;
        return steps;
    }
    // When the next frame is due.
    Time next() const { return m_start + timeOf(m_frames + 1); }
    double rate() const { return m_rate; }
    Time interval() const { return timeOf(1); }

private:
    int64_t framesAt(Time now) const
    {
        const double seconds = std::chrono::duration<double>(now - m_start).count();
        // A hair of slack: a timer that fires a nanosecond early still counts its frame.
        return int64_t(seconds * m_rate + 1e-6);
    }
    Time timeOf(int64_t frame) const
    {
        return std::chrono::duration_cast<Time>(std::chrono::duration<double>(double(frame) / m_rate));
    }

    double m_rate = 12;
    Time m_start { 0 };
    int64_t m_frames = 0;
};

} // namespace yelvanis
