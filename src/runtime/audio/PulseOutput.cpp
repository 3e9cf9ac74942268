#include "runtime/audio/PulseOutput.h"

#include <pulse/context.h>
#include <pulse/error.h>
#include <pulse/stream.h>
#include <pulse/thread-mainloop.h>

#include <algorithm>

namespace yelvanis::audio {

namespace {
// What the server keeps queued ahead of the speakers: short enough that a
// pause or a volume change is heard at once, long enough not to drop out.
constexpr pa_usec_t kTargetLatency = 80 * 1000;
} // namespace

PulseOutput::PulseOutput(int rate, int channels, Render render)
    : m_rate(rate), m_channels(channels), m_render(std::move(render))
{
    m_loop = pa_threaded_mainloop_new();
    if (!m_loop) {
        m_failed = true;
        return;
    }
    pa_proplist* props = pa_proplist_new();
    pa_proplist_sets(props, PA_PROP_APPLICATION_NAME, "Yelvanis");
    pa_proplist_sets(props, PA_PROP_APPLICATION_ID, "org.yelvanis.Yelvanis");
    m_context = pa_context_new_with_proplist(pa_threaded_mainloop_get_api(m_loop), "Yelvanis", props);
    pa_proplist_free(props);
    if (!m_context) {
        m_failed = true;
        return;
    }
    pa_context_set_state_callback(m_context, &PulseOutput::onContextState, this);
    // No autospawn: starting a server would write its files; the program writes none.
    if (pa_context_connect(m_context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) {
        m_failed = true;
        return;
    }
    if (pa_threaded_mainloop_start(m_loop) < 0)
        m_failed = true;
}

PulseOutput::~PulseOutput()
{
    if (m_loop)
        pa_threaded_mainloop_stop(m_loop);
    if (m_stream) {
        pa_stream_disconnect(m_stream);
        pa_stream_unref(m_stream);
    }
    if (m_context) {
        pa_context_disconnect(m_context);
        pa_context_unref(m_context);
    }
    if (m_loop)
        pa_threaded_mainloop_free(m_loop);
}

void PulseOutput::setActive(bool active)
{
    if (!m_loop || m_failed.load())
        return;
    pa_threaded_mainloop_lock(m_loop);
    m_active = active;
    if (m_stream && pa_stream_get_state(m_stream) == PA_STREAM_READY)
        if (pa_operation* op = pa_stream_cork(m_stream, active ? 0 : 1, nullptr, nullptr))
            pa_operation_unref(op);
    pa_threaded_mainloop_unlock(m_loop);
}

void PulseOutput::onContextState(pa_context* context, void* self)
{
    auto* out = static_cast<PulseOutput*>(self);
    switch (pa_context_get_state(context)) {
    case PA_CONTEXT_READY:
        out->openStream();
        break;
    case PA_CONTEXT_FAILED:
    case PA_CONTEXT_TERMINATED:
        out->m_live = false;
        out->m_failed = true;
        break;
    default:
        break;
    }
}

void PulseOutput::openStream()
{
    const pa_sample_spec spec{PA_SAMPLE_FLOAT32LE, uint32_t(m_rate), uint8_t(m_channels)};
    m_stream = pa_stream_new(m_context, "Yelvanis", &spec, nullptr);
    if (!m_stream) {
        m_failed = true;
        return;
    }
    pa_stream_set_state_callback(m_stream, &PulseOutput::onStreamState, this);
    pa_stream_set_write_callback(m_stream, &PulseOutput::onWrite, this);
    pa_buffer_attr attr;
    attr.maxlength = uint32_t(-1);
    attr.tlength = uint32_t(pa_usec_to_bytes(kTargetLatency, &spec));
    attr.prebuf = uint32_t(-1);
    attr.minreq = uint32_t(-1);
    attr.fragsize = uint32_t(-1);
    auto flags = pa_stream_flags_t(PA_STREAM_ADJUST_LATENCY | (m_active ? 0 : PA_STREAM_START_CORKED));
    if (pa_stream_connect_playback(m_stream, nullptr, &attr, flags, nullptr, nullptr) < 0)
        m_failed = true;
}

void PulseOutput::onStreamState(pa_stream* stream, void* self)
{
    auto* out = static_cast<PulseOutput*>(self);
    switch (pa_stream_get_state(stream)) {
    case PA_STREAM_READY:
        out->m_live = true;
        break;
    case PA_STREAM_FAILED:
    case PA_STREAM_TERMINATED:
        out->m_live = false;
        out->m_failed = true;
        break;
    default:
        break;
    }
}

void PulseOutput::onWrite(pa_stream* stream, size_t bytes, void* self)
{
    auto* out = static_cast<PulseOutput*>(self);
    const size_t frameBytes = sizeof(float) * size_t(out->m_channels);
    while (bytes >= frameBytes) {
        void* data = nullptr;
        size_t n = bytes;
        if (pa_stream_begin_write(stream, &data, &n) < 0 || !data || n < frameBytes)
            return;
        const int frames = int(n / frameBytes);
        out->m_render(static_cast<float*>(data), frames);
        if (pa_stream_write(stream, data, size_t(frames) * frameBytes, nullptr, 0, PA_SEEK_RELATIVE) < 0)
            return;
        bytes -= std::min(bytes, size_t(frames) * frameBytes);
    }
}

} // namespace yelvanis::audio
