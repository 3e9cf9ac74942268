#include "runtime/movie/SwfReader.h"

#include <cstdio>
#include <cstring>

#include "runtime/movie/SwfTagReaders.h"

namespace yelvanis::swf {

namespace {

enum Tag : uint16_t {
    End = 0, ShowFrame = 1, DefineShape = 2, PlaceObject1 = 4, RemoveObject1 = 5, DefineBits = 6,
    JpegTables = 8, SetBackgroundColor = 9, DefineFont = 10, DefineText = 11, DoActionTag = 12,
    DefineFontInfo = 13, DefineBitsLossless = 20, DefineBitsJpeg2 = 21, DefineShape2 = 22,
    PlaceObject2 = 26, RemoveObject2 = 28, DefineShape3 = 32, DefineText2 = 33, DefineBitsJpeg3 = 35,
    DefineBitsLossless2 = 36, DefineEditText = 37, DefineSprite = 39, FrameLabel = 43,
    DefineMorphShape = 46, DefineFont2 = 48, DefineFontInfo2 = 62, FileAttributes = 69,
    PlaceObject3 = 70, DoAbcOld = 72, DefineFont3 = 75, DoAbc = 82, DefineShape4 = 83,
    DefineMorphShape2 = 84, DefineBitsJpeg4 = 90, DefineButton = 7, DefineButton2 = 34,
};

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

            if (h.code == End) {
                sawEnd = true;
                break;
            }
            try {
                handle(h, body, timeline, frame, nesting);
            } catch (const ParseError& e) {
                // A broken tag is bounded by its length: skip it and go on.
                warn(std::string("skipped: ") + e.what(), offset);
            }
            if (h.code == ShowFrame) {
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
        switch (code) {
        case DefineShape: case DefineShape2: case DefineShape3: case DefineShape4: case DefineBits:
        case DefineBitsJpeg2: case DefineBitsJpeg3: case DefineBitsJpeg4: case DefineBitsLossless:
        case DefineBitsLossless2: case DefineFont: case DefineFont2: case DefineFont3: case DefineText:
        case DefineText2: case DefineEditText: case DefineSprite: case DefineMorphShape: case DefineMorphShape2:
        case DefineButton: case DefineButton2:
            return true;
        default:
            return false;
        }
    }

    void handle(const TagHeader& h, SwfStream& body, Timeline& timeline, Frame& frame, int nesting)
    {
        bool top = nesting == 0;
        switch (h.code) {
        case ShowFrame: break;
        case SetBackgroundColor: {
            SetBackground bg { body.rgb() };
            if (top && !m_ctx.movie.background)
                m_ctx.movie.background = bg.color;
            frame.tags.push_back(bg);
            break;
        }
        case FrameLabel: {
            std::string label = body.string();
            frame.label = label;
            timeline.labels.emplace(label, uint32_t(timeline.frames.size()));
            break;
        }
        case PlaceObject1: frame.tags.push_back(readPlaceObject(body, 1)); break;
        case PlaceObject2: frame.tags.push_back(readPlaceObject(body, 2)); break;
        case PlaceObject3: frame.tags.push_back(readPlaceObject(body, 3)); break;
        case RemoveObject1: frame.tags.push_back(readRemoveObject(body, 1)); break;
        case RemoveObject2: frame.tags.push_back(readRemoveObject(body, 2)); break;
        case DoActionTag: {
            DoAction a = readDoAction(body);
            if (!a.actions.empty())
                frame.tags.push_back(std::move(a));
            break;
        }
        case FileAttributes:
            if (body.remaining() >= 1 && (body.current()[0] & 0x08))
                m_ctx.movie.as3 = true;
            break;
        case DoAbc: case DoAbcOld: m_ctx.movie.as3 = true; break;
        default:
            if (!top) {
                if (definesCharacter(h.code) || h.code == JpegTables)
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
        case DefineShape: readDefineShape(body, 1, m_ctx); break;
        case DefineShape2: readDefineShape(body, 2, m_ctx); break;
        case DefineShape3: readDefineShape(body, 3, m_ctx); break;
        case DefineShape4: readDefineShape(body, 4, m_ctx); break;
        case DefineMorphShape: readDefineMorphShape(body, 1, m_ctx); break;
        case DefineMorphShape2: readDefineMorphShape(body, 2, m_ctx); break;
        case JpegTables: readJpegTables(body, m_ctx); break;
        case DefineBits: case DefineBitsJpeg2: case DefineBitsJpeg3: case DefineBitsJpeg4:
            readDefineBits(body, h.code, m_ctx);
            break;
        case DefineBitsLossless: readDefineBitsLossless(body, 1, m_ctx); break;
        case DefineBitsLossless2: readDefineBitsLossless(body, 2, m_ctx); break;
        case DefineFont: readDefineFont(body, m_ctx); break;
        case DefineFont2: readDefineFont23(body, 2, m_ctx); break;
        case DefineFont3: readDefineFont23(body, 3, m_ctx); break;
        case DefineFontInfo: readDefineFontInfo(body, 1, m_ctx); break;
        case DefineFontInfo2: readDefineFontInfo(body, 2, m_ctx); break;
        case DefineText: readDefineText(body, 1, m_ctx); break;
        case DefineText2: readDefineText(body, 2, m_ctx); break;
        case DefineEditText: readDefineEditText(body, m_ctx); break;
        case DefineButton: readDefineButton(body, 1, m_ctx); break;
        case DefineButton2: readDefineButton(body, 2, m_ctx); break;
        case DefineSprite: {
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

const char* tagName(uint16_t code)
{
    switch (code) {
    case 0: return "End";
    case 1: return "ShowFrame";
    case 2: return "DefineShape";
    case 4: return "PlaceObject";
    case 5: return "RemoveObject";
    case 6: return "DefineBits";
    case 7: return "DefineButton";
    case 8: return "JPEGTables";
    case 9: return "SetBackgroundColor";
    case 10: return "DefineFont";
    case 11: return "DefineText";
    case 12: return "DoAction";
    case 13: return "DefineFontInfo";
    case 14: return "DefineSound";
    case 15: return "StartSound";
    case 17: return "DefineButtonSound";
    case 18: return "SoundStreamHead";
    case 19: return "SoundStreamBlock";
    case 20: return "DefineBitsLossless";
    case 21: return "DefineBitsJPEG2";
    case 22: return "DefineShape2";
    case 23: return "DefineButtonCxform";
    case 24: return "Protect";
    case 26: return "PlaceObject2";
    case 28: return "RemoveObject2";
    case 32: return "DefineShape3";
    case 33: return "DefineText2";
    case 34: return "DefineButton2";
    case 35: return "DefineBitsJPEG3";
    case 36: return "DefineBitsLossless2";
    case 37: return "DefineEditText";
    case 39: return "DefineSprite";
    case 41: return "ProductInfo";
    case 43: return "FrameLabel";
    case 45: return "SoundStreamHead2";
    case 46: return "DefineMorphShape";
    case 48: return "DefineFont2";
    case 56: return "ExportAssets";
    case 57: return "ImportAssets";
    case 58: return "EnableDebugger";
    case 59: return "DoInitAction";
    case 60: return "DefineVideoStream";
    case 61: return "VideoFrame";
    case 62: return "DefineFontInfo2";
    case 63: return "DebugID";
    case 64: return "EnableDebugger2";
    case 65: return "ScriptLimits";
    case 66: return "SetTabIndex";
    case 69: return "FileAttributes";
    case 70: return "PlaceObject3";
    case 71: return "ImportAssets2";
    case 72: return "DoABC";
    case 73: return "DefineFontAlignZones";
    case 74: return "CSMTextSettings";
    case 75: return "DefineFont3";
    case 76: return "SymbolClass";
    case 77: return "Metadata";
    case 78: return "DefineScalingGrid";
    case 82: return "DoABC";
    case 83: return "DefineShape4";
    case 84: return "DefineMorphShape2";
    case 86: return "DefineSceneAndFrameLabelData";
    case 87: return "DefineBinaryData";
    case 88: return "DefineFontName";
    case 89: return "StartSound2";
    case 90: return "DefineBitsJPEG4";
    case 91: return "DefineFont4";
    case 93: return "EnableTelemetry";
    case 94: return "PlaceObject4";
    default: return "Unknown";
    }
}

} // namespace yelvanis::swf
