#pragma once

// The CPU time this thread has spent: bounds on work that still hold on a
// loaded machine, where wall time stretches with every other process.

#include <cstdint>
#include <ctime>

namespace swftest {

class ThreadCpuTimer {
public:
    void start() { m_start = now(); }
    // Milliseconds of CPU since start().
    int64_t elapsed() const { return (now() - m_start) / 1000000; }

private:
    static int64_t now()
    {
        timespec ts {};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
        return int64_t(ts.tv_sec) * 1000000000 + ts.tv_nsec;
    }
    int64_t m_start = now();
};

} // namespace swftest
