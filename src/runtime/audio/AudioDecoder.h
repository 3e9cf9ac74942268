#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct AVCodecContext;
struct AVFormatContext;
struct AVFrame;
struct AVPacket;
struct SwrContext;

namespace yelvanis::audio {

// Reads one audio stream from a file or an address (FFmpeg's own protocols:
// HTTP with range requests for seeking), decodes it and converts it to the
// mixer's format, interleaved stereo float at AudioMixer::kRate.
//
// Every call blocks on input; the interrupt function, asked often while a
// call waits, ends any of them at once when it returns true. Errors come back
// as text; nothing is printed.
class AudioDecoder {
public:
    using Interrupt = std::function<bool()>;
    enum class Result { Audio, End };

    AudioDecoder();
    ~AudioDecoder();
    AudioDecoder(const AudioDecoder&) = delete;
    AudioDecoder& operator=(const AudioDecoder&) = delete;

    bool open(const std::string& address, Interrupt interrupt, std::string* error);

    std::int64_t durationMs() const { return m_durationMs; }
    bool isSeekable() const { return m_seekable; }
    // Bytes taken from the input so far: it moves while data arrives.
    std::int64_t bytesRead() const;

    // Appends the next decoded audio to out and gives the time of its first
    // frame. End when the input is over, cut or unreadable: whatever could
    // be decoded has been given out by then. Undecodable packets are skipped.
    Result decode(std::vector<float>& out, std::int64_t* startMs);

    // Moves to the key point at or before ms; the next decode starts there.
    bool seek(std::int64_t ms);

private:
    bool convert(const AVFrame* frame, std::vector<float>& out);
    void close();
    static int onInterrupt(void* self);

    Interrupt m_interrupt;
    AVFormatContext* m_format = nullptr;
    AVCodecContext* m_codec = nullptr;
    SwrContext* m_resampler = nullptr;
    AVPacket* m_packet = nullptr;
    AVFrame* m_frame = nullptr;
    int m_stream = -1;
    bool m_draining = false;
    bool m_flushedResampler = false;
    std::int64_t m_durationMs = 0;
    bool m_seekable = false;
};

} // namespace yelvanis::audio
