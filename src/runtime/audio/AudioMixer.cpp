#include "runtime/audio/AudioMixer.h"

#include "runtime/audio/AudioSource.h"
#include "runtime/audio/PulseOutput.h"

#include <algorithm>
#include <chrono>

namespace yelvanis::audio {

namespace {
// The silent clock's step; a late wake-up catches up, up to a limit, so a
// suspended machine does not skip a whole march on resume.
constexpr auto kTick = std::chrono::milliseconds(20);
constexpr int kMaxCatchUpFrames = AudioMixer::kRate / 5;
} // namespace

AudioMixer& AudioMixer::instance()
{
    static AudioMixer mixer;
    return mixer;
}

AudioMixer::AudioMixer()
{
    m_output = std::make_unique<PulseOutput>(kRate, kChannels, [this](float* out, int frames) { mix(out, frames); });
    m_output->setActive(false);
    m_clock = std::thread([this] { runSilentClock(); });
}

AudioMixer::~AudioMixer()
{
    {
        const std::lock_guard lock(m_clockMutex);
        m_quit = true;
    }
    m_clockWake.notify_all();
    m_clock.join();
    m_output.reset();
}

void AudioMixer::add(std::shared_ptr<AudioSource> source)
{
    bool first = false;
    {
        const std::lock_guard lock(m_sourcesMutex);
        first = m_sources.empty();
        m_sources.push_back(std::move(source));
    }
    if (first)
        m_output->setActive(true);
    m_clockWake.notify_all();
}

void AudioMixer::remove(const AudioSource* source)
{
    std::shared_ptr<AudioSource> last; // let go outside the lock
    bool empty = false;
    {
        const std::lock_guard lock(m_sourcesMutex);
        auto it = std::find_if(m_sources.begin(), m_sources.end(), [&](const auto& s) { return s.get() == source; });
        if (it == m_sources.end())
            return;
        last = std::move(*it);
        m_sources.erase(it);
        empty = m_sources.empty();
    }
    if (empty)
        m_output->setActive(false);
}

int AudioMixer::sourceCount() const
{
    const std::lock_guard lock(m_sourcesMutex);
    return int(m_sources.size());
}

AudioMixer::Output AudioMixer::output() const
{
    if (m_output->isLive())
        return Output::Device;
    return m_output->hasFailed() ? Output::Silent : Output::Connecting;
}

bool AudioMixer::deviceLive() const
{
    return m_output->isLive();
}

void AudioMixer::mix(float* out, int frames)
{
    std::fill(out, out + size_t(frames) * kChannels, 0.0f);
    const std::lock_guard lock(m_sourcesMutex);
    for (const auto& s : m_sources)
        s->mixInto(out, frames);
}

void AudioMixer::runSilentClock()
{
    using Clock = std::chrono::steady_clock;
    std::vector<float> scratch(size_t(kMaxCatchUpFrames) * kChannels);
    auto last = Clock::now();
    double owed = 0;
    std::unique_lock lock(m_clockMutex);
    while (!m_quit) {
        if (sourceCount() == 0) {
            m_clockWake.wait(lock, [this] { return m_quit || sourceCount() > 0; });
            last = Clock::now();
            owed = 0;
            continue;
        }
        m_clockWake.wait_for(lock, kTick, [this] { return m_quit; });
        const auto now = Clock::now();
        owed += std::chrono::duration<double>(now - last).count() * kRate;
        last = now;
        const int frames = std::min(int(owed), kMaxCatchUpFrames);
        owed = std::min(owed - frames, double(kMaxCatchUpFrames));
        if (frames <= 0 || deviceLive())
            continue;
        lock.unlock();
        mix(scratch.data(), frames);
        lock.lock();
    }
}

} // namespace yelvanis::audio
