#include "runtime/stream/StreamEngine.h"

#include "runtime/audio/AudioDecoder.h"
#include "runtime/audio/AudioMixer.h"
#include "runtime/audio/AudioSource.h"

#include <algorithm>
#include <csignal>
#include <mutex>
#include <pthread.h>
#include <vector>

namespace yelvanis::stream {

namespace {

using audio::AudioMixer;
using Clock = std::chrono::steady_clock;

// A second of audio queued ahead; playback starts with a fifth of one.
constexpr int kQueueFrames = AudioMixer::kRate;
constexpr int kPrimeFrames = AudioMixer::kRate / 5;

// FFmpeg's network waits poll in slices of 100 ms and ask the interrupt
// callback between slices. A signal without SA_RESTART ends the slice at
// once, so a stop is heard within a millisecond instead of a tenth of a
// second. The handler does nothing: the wake-up is the point.
int nudgeSignal()
{
    static const int sig = [] {
        const int s = SIGRTMIN + 3;
        struct sigaction action = {};
        action.sa_handler = [](int) {};
        sigemptyset(&action.sa_mask);
        action.sa_flags = 0;
        sigaction(s, &action, nullptr);
        return s;
    }();
    return sig;
}

} // namespace

StreamEngine::StreamEngine(std::string address, std::int64_t startMs, StreamLimits limits, int serial)
    : m_address(std::move(address))
    , m_startMs(std::max<std::int64_t>(0, startMs))
    , m_limits(limits)
    , m_serial(serial)
    , m_source(std::make_shared<audio::AudioSource>(kQueueFrames, kPrimeFrames))
{
}

StreamEngine::~StreamEngine()
{
    stop();
}

void StreamEngine::start()
{
    if (m_thread.joinable())
        return;
    nudgeSignal();
    AudioMixer::instance().add(m_source);
    m_thread = std::thread([this] { run(); });
}

void StreamEngine::stop()
{
    if (m_thread.joinable()) {
        m_abort = true;
        m_wake.notify_all();
        std::unique_lock lock(m_wakeMutex);
        while (!m_exited.load()) {
            pthread_kill(m_thread.native_handle(), nudgeSignal());
            m_wake.wait_for(lock, std::chrono::milliseconds(2));
        }
        lock.unlock();
        m_thread.join();
    }
    AudioMixer::instance().remove(m_source.get());
}

void StreamEngine::seek(std::int64_t ms)
{
    m_seekTo = std::max<std::int64_t>(0, ms);
    m_wake.notify_all();
}

bool StreamEngine::interrupted()
{
    if (m_abort.load())
        return true;
    const auto now = Clock::now();
    if (m_opening) {
        m_timedOut = now - m_inputSince > m_limits.connect;
        return m_timedOut;
    }
    const std::int64_t bytes = m_decoder ? m_decoder->bytesRead() : 0;
    if (bytes != m_lastBytes) {
        m_lastBytes = bytes;
        m_inputSince = now;
        return false;
    }
    m_timedOut = now - m_inputSince > m_limits.stall;
    return m_timedOut;
}

void StreamEngine::beginInput()
{
    m_inputSince = Clock::now();
    m_lastBytes = m_decoder ? m_decoder->bytesRead() : 0;
}

void StreamEngine::rest(int ms)
{
    std::unique_lock lock(m_wakeMutex);
    m_wake.wait_for(lock, std::chrono::milliseconds(ms), [this] { return m_abort.load() || m_seekTo.load() >= 0; });
}

void StreamEngine::run()
{
    auto owned = std::make_unique<audio::AudioDecoder>();
    audio::AudioDecoder& decoder = *owned;
    m_decoder = &decoder;
    m_opening = true;
    beginInput();
    std::string error;
    const bool open = decoder.open(m_address, [this] { return interrupted(); }, &error);
    m_opening = false;
    if (!open) {
        if (!m_abort.load())
            emit failed(m_serial, m_timedOut ? QStringLiteral("Sunucu yanıt vermiyor.") : QString::fromStdString(error));
    } else {
        emit opened(m_serial, decoder.durationMs(), decoder.isSeekable());
        if (m_startMs > 0)
            m_seekTo = m_startMs;
        std::vector<float> chunk;
        size_t sent = 0;          // samples of chunk already queued
        std::int64_t dropUntil = -1; // after a seek: decoded audio before the target is skipped
        m_source->reset(0);
        while (!m_abort.load()) {
            const std::int64_t target = m_seekTo.exchange(-1);
            if (target >= 0) {
                beginInput();
                if (decoder.seek(target)) {
                    m_source->reset(target);
                    chunk.clear();
                    sent = 0;
                    dropUntil = target;
                }
                continue;
            }
            if (sent < chunk.size()) {
                const int left = int((chunk.size() - sent) / AudioMixer::kChannels);
                const int taken = m_source->push(chunk.data() + sent, left);
                sent += size_t(taken) * AudioMixer::kChannels;
                // Full: wake when half the queue has played, and refill it in one go.
                if (taken < left)
                    rest(std::clamp(std::max(left - taken, kQueueFrames / 2 - m_source->freeFrames()) * 1000
                                        / AudioMixer::kRate,
                                    5, 500));
                continue;
            }
            chunk.clear();
            sent = 0;
            beginInput();
            std::int64_t at = -1;
            if (decoder.decode(chunk, &at) == audio::AudioDecoder::Result::Audio) {
                if (dropUntil >= 0 && at >= 0) {
                    const auto skip = std::min<size_t>(chunk.size(), size_t(std::max<std::int64_t>(0, dropUntil - at))
                                                                         * AudioMixer::kRate / 1000 * AudioMixer::kChannels);
                    chunk.erase(chunk.begin(), chunk.begin() + std::ptrdiff_t(skip));
                    if (!chunk.empty())
                        dropUntil = -1;
                }
                continue;
            }
            if (m_abort.load())
                break;
            // The end, a cut or a stall: what was decoded plays out first.
            m_source->finish();
            while (!m_abort.load() && m_seekTo.load() < 0 && !m_source->drained())
                rest(20);
            if (m_seekTo.load() >= 0) {
                m_timedOut = false;
                continue;
            }
            if (m_abort.load())
                break;
            if (m_timedOut)
                emit failed(m_serial, QStringLiteral("Akış durdu."));
            else
                emit ended(m_serial);
            break;
        }
    }
    m_decoder = nullptr;
    // Closed here, so the connection goes as soon as the stream ends.
    owned.reset();
    m_exited = true;
    m_wake.notify_all();
}

} // namespace yelvanis::stream
