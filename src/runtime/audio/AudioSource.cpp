#include "runtime/audio/AudioSource.h"

#include "runtime/audio/AudioMixer.h"

#include <algorithm>
#include <cstring>

namespace yelvanis::audio {

namespace {
constexpr int kChannels = AudioMixer::kChannels;
}

AudioSource::AudioSource(int capacityFrames, int primeFrames)
    : m_ring(size_t(std::max(1, capacityFrames)) * kChannels)
    , m_capacity(std::max(1, capacityFrames))
    , m_prime(std::clamp(primeFrames, 1, std::max(1, capacityFrames)))
{
}

int AudioSource::push(const float* frames, int count)
{
    const std::lock_guard lock(m_mutex);
    const int n = std::min(count, m_capacity - m_queued);
    int write = (m_read + m_queued) % m_capacity;
    for (int done = 0; done < n;) {
        const int run = std::min(n - done, m_capacity - write);
        std::memcpy(&m_ring[size_t(write) * kChannels], frames + size_t(done) * kChannels,
                    size_t(run) * kChannels * sizeof(float));
        done += run;
        write = (write + run) % m_capacity;
    }
    m_queued += n;
    if (m_queued >= m_prime)
        m_primed = true;
    return n;
}

int AudioSource::freeFrames() const
{
    const std::lock_guard lock(m_mutex);
    return m_capacity - m_queued;
}

void AudioSource::reset(std::int64_t startMs)
{
    const std::lock_guard lock(m_mutex);
    m_read = 0;
    m_queued = 0;
    m_primed = false;
    m_finished = false;
    m_startMs = startMs;
    m_played = 0;
}

void AudioSource::finish()
{
    const std::lock_guard lock(m_mutex);
    m_finished = true;
    m_primed = true;
}

bool AudioSource::drained() const
{
    const std::lock_guard lock(m_mutex);
    return m_finished && m_queued == 0;
}

void AudioSource::mixInto(float* out, int frames)
{
    if (m_paused.load())
        return;
    const float gain = m_muted.load() ? 0.0f : m_gain.load();
    const std::lock_guard lock(m_mutex);
    if (!m_primed)
        return;
    const int n = std::min(frames, m_queued);
    for (int done = 0; done < n;) {
        const int run = std::min(n - done, m_capacity - m_read);
        const float* from = &m_ring[size_t(m_read) * kChannels];
        float* to = out + size_t(done) * kChannels;
        for (int i = 0; i < run * kChannels; ++i)
            to[i] += from[i] * gain;
        done += run;
        m_read = (m_read + run) % m_capacity;
    }
    m_queued -= n;
    m_played += n;
    // Starved: wait for a fresh cushion rather than stutter frame by frame.
    if (m_queued == 0 && !m_finished)
        m_primed = false;
}

std::int64_t AudioSource::positionMs() const
{
    const std::lock_guard lock(m_mutex);
    return m_startMs + m_played * 1000 / AudioMixer::kRate;
}

bool AudioSource::isFlowing() const
{
    const std::lock_guard lock(m_mutex);
    return m_primed && (m_queued > 0 || m_finished);
}

} // namespace yelvanis::audio
