#pragma once

#include <QObject>
#include <QString>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace yelvanis::audio {
class AudioDecoder;
class AudioSource;
} // namespace yelvanis::audio

namespace yelvanis::stream {

// How long a stream may keep the player waiting before it gives up quietly.
struct StreamLimits {
    // To connect and read the header: a server that never answers, or
    // answers without end, is dropped after this.
    std::chrono::milliseconds connect{10000};
    // With data awaited and not one byte arriving.
    std::chrono::milliseconds stall{10000};
};

// Plays one address through the program's mixer on one worker thread of its
// own: it connects, demuxes, decodes and queues audio for the mixer. Nothing
// here waits on the network: stop() interrupts a blocked read and joins the
// thread at once, and the worker reports through queued signals that carry
// the engine's serial, so a report that arrives after a restart is known
// for a stale one.
class StreamEngine : public QObject {
    Q_OBJECT
public:
    StreamEngine(std::string address, std::int64_t startMs, StreamLimits limits, int serial);
    ~StreamEngine() override;

    void start();
    void stop();
    void seek(std::int64_t ms);

    audio::AudioSource& source() { return *m_source; }
    const audio::AudioSource& source() const { return *m_source; }
    int serial() const { return m_serial; }
    bool isRunning() const { return m_thread.joinable() && !m_exited.load(); }

signals:
    void opened(int serial, qint64 durationMs, bool seekable);
    void ended(int serial);
    void failed(int serial, const QString& reason);

private:
    void run();
    bool interrupted();
    void beginInput();
    // Sleeps for about ms, or less when stopped or asked to seek.
    void rest(int ms);

    const std::string m_address;
    const std::int64_t m_startMs;
    const StreamLimits m_limits;
    const int m_serial;
    std::shared_ptr<audio::AudioSource> m_source;
    std::thread m_thread;
    std::atomic<bool> m_abort{false};
    std::atomic<bool> m_exited{false};
    std::atomic<std::int64_t> m_seekTo{-1};
    std::mutex m_wakeMutex;
    std::condition_variable m_wake;

    // The worker's own: when the current input began to wait, what it had read.
    audio::AudioDecoder* m_decoder = nullptr;
    bool m_opening = false;
    bool m_timedOut = false;
    std::chrono::steady_clock::time_point m_inputSince;
    std::int64_t m_lastBytes = -1;
};

} // namespace yelvanis::stream
