#pragma once

#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace yelvanis::audio {

class AudioSource;
class PulseOutput;

// The program's one audio output: any number of sources, each with its own
// gain, summed into one stereo stream on the sound server. Without a sound
// server (or before it answers) a silent clock drains the sources at the
// rate they would be heard, so players keep time and reach their end.
//
// Made on first use; the output connects in the background and the first
// add() never waits for it.
class AudioMixer {
public:
    static constexpr int kRate = 44100;
    static constexpr int kChannels = 2;

    enum class Output { Connecting, Device, Silent };

    static AudioMixer& instance();

    void add(std::shared_ptr<AudioSource> source);
    void remove(const AudioSource* source);
    int sourceCount() const;
    Output output() const;

    // The sum of every source for the next `frames` frames, written to out.
    void mix(float* out, int frames);

private:
    AudioMixer();
    ~AudioMixer();
    void runSilentClock();
    bool deviceLive() const;

    mutable std::mutex m_sourcesMutex;
    std::vector<std::shared_ptr<AudioSource>> m_sources;
    std::unique_ptr<PulseOutput> m_output;

    std::mutex m_clockMutex;
    std::condition_variable m_clockWake;
    bool m_quit = false;
    std::thread m_clock;
};

} // namespace yelvanis::audio
