#include "runtime/movie/SwfReader.h"

#include <cstdio>
#include <cstring>

#include "runtime/movie/SwfTagReaders.h"
#include "runtime/movie/SwfTags.h"

namespace yelvanis::swf {

namespace {

struct TagHeader {
    uint16_t code;
    uint32_t length;
    size_t offset;
};

class TimelineReader {
public:
    TimelineReader(ReadContext& ctx)
        : m_ctx(ctx)
    {
    }

    // Walks tags until End or the end of data. Definition tags are only
    // honoured on the main timeline; a sprite holds control tags only.
    void read(SwfStream& s, Timeline& timeline, int nesting)
    {
        Frame frame;
        bool sawEnd = false;
        while (!s.atEnd()) {
            size_t offset = s.fileOffset();
            if (s.remaining() < 2) {
                warn("stray byte after the last tag", offset);
                break;
            }
            uint16_t word = s.u16();
            TagHeader h { uint16_t(word >> 6), uint32_t(word & 0x3f), offset };
            if (h.length == 0x3f) {
                if (s.remaining() < 4) {
                    warn("truncated tag header", offset);
                    break;
                }
                h.length = s.u32();
            }
            if (h.length > s.remaining()) {
                // Truncated file: play what arrived, as a streaming player would.
                warn(std::string("tag ") + tagName(h.code) + " runs past the end of the file", offset);
                break;
            }
            if (++m_tagCount > m_ctx.limits.maxTags)
                throw ParseError("too many tags", h.code, offset);
            SwfStream body(s.current(), h.length, s.fileOffset(), h.code, s.version());
            s.skip(h.length);
            TagInfo info { h.code, uint32_t(offset), h.length, nesting, std::nullopt };
            if (h.length >= 2 && definesCharacter(h.code))
                info.characterId = uint16_t(body.current()[0] | (body.current()[1] << 8));
            m_ctx.movie.tags.push_back(info);

            if (h.code == tag::End) {
                sawEnd = true;
                break;
            }
            try {
                handle(h, body, timeline, frame, nesting);
            } catch (const ParseError& e) {
                // A broken tag is bounded by its length: skip it and go on.
                warn(std::string("skipped: ") + e.what(), offset);
            }
            if (h.code == tag::ShowFrame) {
                timeline.frames.push_back(std::move(frame));
                frame = Frame {};
            }
        }
        if (!sawEnd && nesting == 0)
            warn("no End tag", s.fileOffset());
        // Control tags after the last ShowFrame still take effect.
        if (!frame.tags.empty() || !frame.label.empty())
            timeline.frames.push_back(std::move(frame));
    }

private:
    static bool definesCharacter(uint16_t code)
    {
        const TagKind* kind = findTag(code);
        return kind && kind->definesCharacter;
    }

    void handle(const TagHeader& h, SwfStream& body, Timeline& timeline, Frame& frame, int nesting)
    {
        bool top = nesting == 0;
        switch (h.code) {
        case tag::ShowFrame: break;
        case tag::SetBackgroundColor: {
            SetBackground bg { body.rgb() };
            if (top && !m_ctx.movie.background)
                m_ctx.movie.background = bg.color;
            frame.tags.push_back(bg);
            break;
        }
        case tag::FrameLabel: {
            std::string label = body.string();
            frame.label = label;
            timeline.labels.emplace(label, uint32_t(timeline.frames.size()));
            break;
        }
        case tag::PlaceObject: frame.tags.push_back(readPlaceObject(body, 1)); break;
        case tag::PlaceObject2: frame.tags.push_back(readPlaceObject(body, 2)); break;
        case tag::PlaceObject3: frame.tags.push_back(readPlaceObject(body, 3)); break;
        case tag::RemoveObject: frame.tags.push_back(readRemoveObject(body, 1)); break;
        case tag::RemoveObject2: frame.tags.push_back(readRemoveObject(body, 2)); break;
        case tag::DoAction: {
            DoAction a = readDoAction(body);
            if (!a.actions.empty())
                frame.tags.push_back(std::move(a));
            break;
        }
        case tag::FileAttributes:
            if (body.remaining() >= 1 && (body.current()[0] & 0x08))
                m_ctx.movie.as3 = true;
            break;
        case tag::DoAbc: case tag::DoAbcOld: m_ctx.movie.as3 = true; break;
        default:
            if (!top) {
                if (definesCharacter(h.code) || h.code == tag::JpegTables)
                    warn(std::string("definition ") + tagName(h.code) + " inside a sprite ignored", h.offset);
                break;
            }
            handleDefinition(h, body);
            break;
        }
    }

    void handleDefinition(const TagHeader& h, SwfStream& body)
    {
        switch (h.code) {
        case tag::DefineShape: readDefineShape(body, 1, m_ctx); break;
        case tag::DefineShape2: readDefineShape(body, 2, m_ctx); break;
        case tag::DefineShape3: readDefineShape(body, 3, m_ctx); break;
        case tag::DefineShape4: readDefineShape(body, 4, m_ctx); break;
        case tag::DefineMorphShape: readDefineMorphShape(body, 1, m_ctx); break;
        case tag::DefineMorphShape2: readDefineMorphShape(body, 2, m_ctx); break;
        case tag::JpegTables: readJpegTables(body, m_ctx); break;
        case tag::DefineBits: case tag::DefineBitsJpeg2: case tag::DefineBitsJpeg3: case tag::DefineBitsJpeg4:
            readDefineBits(body, h.code, m_ctx);
            break;
        case tag::DefineBitsLossless: readDefineBitsLossless(body, 1, m_ctx); break;
        case tag::DefineBitsLossless2: readDefineBitsLossless(body, 2, m_ctx); break;
        case tag::DefineFont: readDefineFont(body, m_ctx); break;
        case tag::DefineFont2: readDefineFont23(body, 2, m_ctx); break;
        case tag::DefineFont3: readDefineFont23(body, 3, m_ctx); break;
        case tag::DefineFontInfo: readDefineFontInfo(body, 1, m_ctx); break;
        case tag::DefineFontInfo2: readDefineFontInfo(body, 2, m_ctx); break;
        case tag::DefineText: readDefineText(body, 1, m_ctx); break;
        case tag::DefineText2: readDefineText(body, 2, m_ctx); break;
        case tag::DefineEditText: readDefineEditText(body, m_ctx); break;
        case tag::DefineButton: readDefineButton(body, 1, m_ctx); break;
        case tag::DefineButton2: readDefineButton(body, 2, m_ctx); break;
        case tag::DefineSprite: {
            uint16_t id = body.u16();
            body.u16(); // declared frame count: the ShowFrame tags decide
            auto timeline = std::make_shared<Timeline>();
            read(body, *timeline, 1);
            m_ctx.movie.characters[id] = Sprite { timeline };
            break;
        }
        default: break; // sounds, buttons, scripts, metadata: not ours to play
        }
    }

    void warn(const std::string& what, size_t offset)
    {
        if (m_ctx.movie.warnings.size() >= 100)
            return;
        char where[40];
        std::snprintf(where, sizeof where, " (at offset %zu)", offset);
        m_ctx.movie.warnings.push_back(what + where);
    }

    ReadContext& m_ctx;
    size_t m_tagCount = 0;
};

} // namespace

ReadResult readMovie(const uint8_t* data, size_t size, const ReadLimits& limits)
{
    ReadResult result;
    try {
        std::vector<uint8_t> file = decompress(data, size, limits);
        auto movie = std::make_shared<Movie>();
        Header& h = movie->header;
        std::memcpy(h.signature, data, 3);
        SwfStream s(file.data(), file.size(), 0, -1, file[3]);
        s.skip(3);
        h.version = s.u8();
        h.fileLength = s.u32();
        h.stage = s.rect();
        uint16_t rate = s.u16();
        h.frameRate = rate / 256.0;
        h.frameCount = s.u16();
        ReadContext ctx { *movie, limits, {}, 0, 0 };
        TimelineReader reader(ctx);
        reader.read(s, movie->timeline, 0);
        if (movie->timeline.frames.empty())
            movie->timeline.frames.emplace_back();
        result.movie = std::move(movie);
    } catch (const ParseError& e) {
        result.error = e.what();
    } catch (const std::bad_alloc&) {
        result.error = "out of memory while reading";
    } catch (const std::length_error&) {
        result.error = "size out of range while reading";
    }
    return result;
}

} // namespace yelvanis::swf
