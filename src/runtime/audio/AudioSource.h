#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <vector>

namespace yelvanis::audio {

// One voice of the mixer: a bounded queue of interleaved stereo float frames
// at the mixer's rate, filled by one producer (a decoding thread) and drained
// by the mixer. The frames the mixer has taken are the voice's clock, so its
// position keeps time with what is heard, or with the silent clock when
// there is no sound device.
//
// The lock is held only to copy frames in or out: the output never waits on
// the producer's work.
class AudioSource {
public:
    // The queue holds capacityFrames; playback (re)starts once primeFrames
    // are queued or the producer says no more will come.
    AudioSource(int capacityFrames, int primeFrames);

    // Producer side.
    // Copies as many of the frames as fit; returns how many it took.
    int push(const float* frames, int count);
    int freeFrames() const;
    // Drops what is queued and restarts the clock at startMs (after a seek).
    void reset(std::int64_t startMs);
    // No more frames will come until the next reset: what is queued plays out.
    void finish();
    bool drained() const;

    // Mixer side: adds up to `frames` frames, times the gain, into out.
    void mixInto(float* out, int frames);

    // Controls, from any thread.
    void setGain(float gain) { m_gain.store(gain); }
    float gain() const { return m_gain.load(); }
    void setMuted(bool muted) { m_muted.store(muted); }
    bool isMuted() const { return m_muted.load(); }
    void setPaused(bool paused) { m_paused.store(paused); }
    bool isPaused() const { return m_paused.load(); }

    std::int64_t positionMs() const;
    // Whether the mixer is taking frames: primed and not starved.
    bool isFlowing() const;

private:
    mutable std::mutex m_mutex;
    std::vector<float> m_ring;
    const int m_capacity;
    const int m_prime;
    int m_read = 0;
    int m_queued = 0;
    bool m_primed = false;
    bool m_finished = false;
    std::int64_t m_startMs = 0;
    std::int64_t m_played = 0;
    std::atomic<float> m_gain{1.0f};
    std::atomic<bool> m_muted{false};
    std::atomic<bool> m_paused{false};
};

} // namespace yelvanis::audio
