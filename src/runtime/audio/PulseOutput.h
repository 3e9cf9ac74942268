#pragma once

#include <atomic>
#include <functional>

struct pa_context;
struct pa_stream;
struct pa_threaded_mainloop;

namespace yelvanis::audio {

// One playback stream on the desktop's sound server (PulseAudio, or
// PipeWire's PulseAudio service), pulling float stereo frames from a render
// function on the sound library's own thread. Connecting never blocks the
// caller, never starts a server and never retries: without a server the
// output reports failure and the caller keeps time by itself.
class PulseOutput {
public:
    using Render = std::function<void(float* out, int frames)>;

    PulseOutput(int rate, int channels, Render render);
    ~PulseOutput();
    PulseOutput(const PulseOutput&) = delete;
    PulseOutput& operator=(const PulseOutput&) = delete;

    // Frames are flowing to the server.
    bool isLive() const { return m_live.load(); }
    // The server cannot be reached, or went away.
    bool hasFailed() const { return m_failed.load(); }
    // Corks the stream while nothing plays, so the server can idle.
    void setActive(bool active);

private:
    static void onContextState(pa_context* context, void* self);
    static void onStreamState(pa_stream* stream, void* self);
    static void onWrite(pa_stream* stream, size_t bytes, void* self);
    void openStream();

    const int m_rate;
    const int m_channels;
    Render m_render;
    pa_threaded_mainloop* m_loop = nullptr;
    pa_context* m_context = nullptr;
    pa_stream* m_stream = nullptr;
    bool m_active = true;
    std::atomic<bool> m_live{false};
    std::atomic<bool> m_failed{false};
};

} // namespace yelvanis::audio
