#include "runtime/movie/MovieClock.h"

#include <QElapsedTimer>
#include <QTimer>

namespace yelvanis {

namespace {

class SystemClock : public MovieClock {
public:
    SystemClock()
    {
        m_elapsed.start();
        m_timer.setSingleShot(true);
        // A coarse timer may fire up to 5 % late: at 30 frames a second
        // that is a visible stutter.
        m_timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { fire(); });
    }
    Time now() const override { return Time(m_elapsed.nsecsElapsed()); }
    void wakeAt(Time at, std::function<void()> due) override
    {
        m_at = at;
        m_due = std::move(due);
        arm();
    }
    void cancel() override
    {
        m_due = nullptr;
        m_timer.stop();
    }

private:
    void arm()
    {
        using namespace std::chrono;
        // Timers count whole milliseconds: round up, never wake before time.
        const auto wait = ceil<milliseconds>(std::max(m_at - now(), Time(0)));
        m_timer.start(int(std::min<int64_t>(wait.count(), 24 * 3600 * 1000)));
    }
    void fire()
    {
        if (!m_due)
            return;
        if (now() < m_at) { // woken early by the system's timer slack
            arm();
            return;
        }
        auto due = std::move(m_due);
        m_due = nullptr;
        due();
    }

    QElapsedTimer m_elapsed;
    QTimer m_timer;
    Time m_at { 0 };
    std::function<void()> m_due;
};

} // namespace

std::unique_ptr<MovieClock> makeSystemClock()
{
    return std::make_unique<SystemClock>();
}

} // namespace yelvanis
