#include "runtime/audio/AudioDecoder.h"

#include "runtime/audio/AudioMixer.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/error.h>
#include <libavutil/opt.h>
#include <libswresample/swresample.h>
}

#include <algorithm>
#include <span>

namespace yelvanis::audio {

namespace {

std::string describe(int code)
{
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return text;
}

void quietLibraries()
{
    // FFmpeg would print every network and decoding complaint on stderr;
    // failures reach the caller as results instead.
    static const bool once = [] {
        av_log_set_level(AV_LOG_QUIET);
        return true;
    }();
    (void)once;
}

} // namespace

AudioDecoder::AudioDecoder()
{
    quietLibraries();
}

AudioDecoder::~AudioDecoder()
{
    close();
}

void AudioDecoder::close()
{
    av_frame_free(&m_frame);
    av_packet_free(&m_packet);
    swr_free(&m_resampler);
    avcodec_free_context(&m_codec);
    avformat_close_input(&m_format);
}

int AudioDecoder::onInterrupt(void* self)
{
    auto* d = static_cast<AudioDecoder*>(self);
    return d->m_interrupt && d->m_interrupt() ? 1 : 0;
}

bool AudioDecoder::open(const std::string& address, Interrupt interrupt, std::string* error)
{
    auto fail = [&](const std::string& why) {
        if (error)
            *error = why;
        close();
        return false;
    };
    close();
    m_interrupt = std::move(interrupt);
    m_format = avformat_alloc_context();
    m_packet = av_packet_alloc();
    m_frame = av_frame_alloc();
    if (!m_format || !m_packet || !m_frame)
        return fail("out of memory");
    m_format->interrupt_callback = {&AudioDecoder::onInterrupt, this};
    // Stream only what this program plays; never follow the input to
    // other protocols or files.
    AVDictionary* options = nullptr;
    av_dict_set(&options, "protocol_whitelist", "file,http,tcp", 0);
    av_dict_set(&options, "reconnect", "0", 0);
    int rc = avformat_open_input(&m_format, address.c_str(), nullptr, &options);
    av_dict_free(&options);
    if (rc < 0) {
        m_format = nullptr; // freed by the failed open
        return fail("cannot open " + address + ": " + describe(rc));
    }
    m_stream = av_find_best_stream(m_format, AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
    // A header that says everything (ASF does) needs no probing of packets;
    // probing reads ahead on the network before the first sound.
    if (m_stream < 0 || m_format->streams[m_stream]->codecpar->sample_rate <= 0
        || m_format->streams[m_stream]->codecpar->ch_layout.nb_channels <= 0) {
        if ((rc = avformat_find_stream_info(m_format, nullptr)) < 0)
            return fail("cannot read the streams of " + address + ": " + describe(rc));
        m_stream = av_find_best_stream(m_format, AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
    }
    if (m_stream < 0)
        return fail(address + " holds no audio");
    const AVCodecParameters* par = m_format->streams[m_stream]->codecpar;
    const AVCodec* codec = avcodec_find_decoder(par->codec_id);
    if (!codec)
        return fail(std::string("no decoder for ") + avcodec_get_name(par->codec_id));
    m_codec = avcodec_alloc_context3(codec);
    if (!m_codec || avcodec_parameters_to_context(m_codec, par) < 0)
        return fail("cannot set up the decoder");
    m_codec->pkt_timebase = m_format->streams[m_stream]->time_base;
    if ((rc = avcodec_open2(m_codec, codec, nullptr)) < 0)
        return fail(std::string("cannot open the ") + codec->name + " decoder: " + describe(rc));
    if (m_codec->sample_rate <= 0 || m_codec->ch_layout.nb_channels <= 0)
        return fail("the audio has no rate or no channels");
    for (AVStream* s : std::span(m_format->streams, m_format->nb_streams))
        if (s->index != m_stream)
            s->discard = AVDISCARD_ALL;

    AVChannelLayout stereo = AV_CHANNEL_LAYOUT_STEREO;
    if (swr_alloc_set_opts2(&m_resampler, &stereo, AV_SAMPLE_FMT_FLT, AudioMixer::kRate, &m_codec->ch_layout,
                            m_codec->sample_fmt, m_codec->sample_rate, 0, nullptr) < 0
        || swr_init(m_resampler) < 0)
        return fail("cannot convert the audio");

    const AVStream* audio = m_format->streams[m_stream];
    if (m_format->duration > 0)
        m_durationMs = av_rescale(m_format->duration, 1000, AV_TIME_BASE);
    else if (audio->duration > 0)
        m_durationMs = av_rescale_q(audio->duration, audio->time_base, AVRational{1, 1000});
    else
        m_durationMs = 0;
    m_seekable = m_format->pb && (m_format->pb->seekable & AVIO_SEEKABLE_NORMAL) && m_durationMs > 0;
    m_draining = false;
    m_flushedResampler = false;
    return true;
}

std::int64_t AudioDecoder::bytesRead() const
{
    return m_format && m_format->pb ? m_format->pb->bytes_read : 0;
}

bool AudioDecoder::convert(const AVFrame* frame, std::vector<float>& out)
{
    const int room = swr_get_out_samples(m_resampler, frame ? frame->nb_samples : 0);
    if (room <= 0)
        return false;
    const size_t at = out.size();
    out.resize(at + size_t(room) * AudioMixer::kChannels);
    uint8_t* dest = reinterpret_cast<uint8_t*>(out.data() + at);
    const int made = swr_convert(m_resampler, &dest, room, frame ? const_cast<const uint8_t**>(frame->extended_data) : nullptr,
                                 frame ? frame->nb_samples : 0);
    out.resize(at + size_t(std::max(0, made)) * AudioMixer::kChannels);
    return made > 0;
}

AudioDecoder::Result AudioDecoder::decode(std::vector<float>& out, std::int64_t* startMs)
{
    if (!m_codec)
        return Result::End;
    for (;;) {
        int rc = avcodec_receive_frame(m_codec, m_frame);
        if (rc == 0) {
            if (startMs) {
                const AVRational tb = m_format->streams[m_stream]->time_base;
                const int64_t pts = m_frame->best_effort_timestamp;
                const int64_t first = m_format->streams[m_stream]->start_time;
                *startMs = pts == AV_NOPTS_VALUE
                    ? -1
                    : av_rescale_q(pts - (first == AV_NOPTS_VALUE ? 0 : first), tb, AVRational{1, 1000});
            }
            const bool made = convert(m_frame, out);
            av_frame_unref(m_frame);
            if (made)
                return Result::Audio;
            continue;
        }
        if (rc == AVERROR_EOF) {
            // What the resampler still holds, once.
            if (!m_flushedResampler) {
                m_flushedResampler = true;
                if (startMs)
                    *startMs = -1;
                if (convert(nullptr, out))
                    return Result::Audio;
            }
            return Result::End;
        }
        if (rc != AVERROR(EAGAIN))
            return Result::End;
        if (m_draining)
            return Result::End;
        rc = av_read_frame(m_format, m_packet);
        if (rc < 0) {
            // The end, a cut or an interruption: play out what was decoded.
            m_draining = true;
            avcodec_send_packet(m_codec, nullptr);
            continue;
        }
        if (m_packet->stream_index == m_stream)
            avcodec_send_packet(m_codec, m_packet); // a damaged packet is skipped
        av_packet_unref(m_packet);
    }
}

bool AudioDecoder::seek(std::int64_t ms)
{
    if (!m_format || !m_seekable)
        return false;
    const AVStream* s = m_format->streams[m_stream];
    int64_t ts = av_rescale_q(std::max<int64_t>(0, ms), AVRational{1, 1000}, s->time_base);
    if (s->start_time != AV_NOPTS_VALUE)
        ts += s->start_time;
    if (av_seek_frame(m_format, m_stream, ts, AVSEEK_FLAG_BACKWARD) < 0)
        return false;
    avcodec_flush_buffers(m_codec);
    // Drop the resampler's tail from before the seek.
    swr_init(m_resampler);
    m_draining = false;
    m_flushedResampler = false;
    return true;
}

} // namespace yelvanis::audio
