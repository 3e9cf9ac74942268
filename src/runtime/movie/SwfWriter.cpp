#include "runtime/movie/SwfWriter.h"

#include <cmath>
#include <zlib.h>

#include "runtime/movie/SwfTagWriters.h"
#include "runtime/movie/SwfTags.h"

namespace yelvanis::swf {

std::string where(const char* what, uint16_t id)
{
    return std::string(what) + " " + std::to_string(id);
}

void WriteContext::need(uint16_t id, const std::string& user) const
{
    if (defined && !defined->count(id))
        throw WriteError(user + " refers to character " + std::to_string(id) + ", which is not defined before it");
}

void WriteContext::allow(uint16_t code, const std::string& user) const
{
    const TagKind* kind = findTag(code);
    if (version && kind && kind->version > version)
        throw WriteError(user + ": " + kind->name + " needs file version " + std::to_string(kind->version));
}

uint16_t definitionTagFor(const Character& c)
{
    if (const auto* s = std::get_if<Shape>(&c))
        return shapeVersionFor(*s) == 4 ? tag::DefineShape4 : tag::DefineShape3;
    if (const auto* m = std::get_if<MorphShape>(&c))
        return morphVersionFor(*m) == 2 ? tag::DefineMorphShape2 : tag::DefineMorphShape;
    if (const auto* b = std::get_if<Bitmap>(&c))
        return bitmapTagFor(*b);
    if (const auto* f = std::get_if<Font>(&c))
        return f->emSquare20 ? tag::DefineFont3 : tag::DefineFont2;
    if (const auto* t = std::get_if<Text>(&c))
        return textVersionFor(*t) == 2 ? tag::DefineText2 : tag::DefineText;
    if (std::holds_alternative<EditText>(c))
        return tag::DefineEditText;
    if (std::holds_alternative<Sprite>(c))
        return tag::DefineSprite;
    return tag::End;
}

namespace {

void writeDefinition(BitWriter& out, uint16_t code, uint16_t id, const Character& c, const WriteContext& ctx)
{
    const auto* shape = std::get_if<Shape>(&c);
    const auto* morph = std::get_if<MorphShape>(&c);
    const auto* font = std::get_if<Font>(&c);
    const auto* text = std::get_if<Text>(&c);
    switch (code) {
    case tag::DefineShape: case tag::DefineShape2: case tag::DefineShape3: case tag::DefineShape4:
        if (!shape)
            break;
        writeDefineShape(out, id, *shape, code == tag::DefineShape ? 1 : code == tag::DefineShape2 ? 2 : code == tag::DefineShape3 ? 3 : 4, ctx);
        return;
    case tag::DefineMorphShape: case tag::DefineMorphShape2:
        if (!morph)
            break;
        writeDefineMorphShape(out, id, *morph, code == tag::DefineMorphShape ? 1 : 2, ctx);
        return;
    case tag::DefineBitsJpeg2: case tag::DefineBitsJpeg3: case tag::DefineBitsJpeg4: case tag::DefineBitsLossless:
    case tag::DefineBitsLossless2:
        if (!std::holds_alternative<Bitmap>(c))
            break;
        writeBitmap(out, code, id, std::get<Bitmap>(c));
        return;
    case tag::DefineFont:
        if (!font)
            break;
        writeDefineFont(out, id, *font, ctx);
        return;
    case tag::DefineFont2: case tag::DefineFont3:
        if (!font)
            break;
        writeDefineFont23(out, id, *font, code == tag::DefineFont2 ? 2 : 3, ctx);
        return;
    case tag::DefineText: case tag::DefineText2:
        if (!text)
            break;
        writeDefineText(out, id, *text, code == tag::DefineText ? 1 : 2, ctx);
        return;
    case tag::DefineEditText:
        if (!std::holds_alternative<EditText>(c))
            break;
        writeDefineEditText(out, id, std::get<EditText>(c), ctx);
        return;
    case tag::DefineSprite:
        if (!std::holds_alternative<Sprite>(c))
            break;
        writeDefineSprite(out, id, std::get<Sprite>(c), ctx);
        return;
    default:
        break;
    }
    throw WriteError(where("character", id) + ": cannot be written as " + tagName(code));
}

class MovieWriter {
public:
    MovieWriter(const Movie& movie, const WriteOptions& options)
        : m_movie(movie)
        , m_options(options)
    {
        m_ctx.defined = &m_defined;
        m_ctx.version = options.version;
    }

    std::vector<uint8_t> run()
    {
        BitWriter body;
        body.rect(m_movie.header.stage);
        double rate = std::round(m_movie.header.frameRate * 256.0);
        if (rate < 0 || rate > 65535)
            throw WriteError("frame rate out of range");
        body.u16(uint16_t(rate));
        if (m_movie.timeline.frames.size() > 65535)
            throw WriteError("too many frames");
        body.u16(uint16_t(m_movie.timeline.frames.size()));
        for (const auto& [id, c] : m_movie.characters) {
            if (std::holds_alternative<std::monostate>(c))
                continue;
            uint16_t code = definitionTagFor(c);
            m_ctx.allow(code, where("character", id));
            writeDefinition(body, code, id, c, m_ctx);
            m_defined.insert(id);
        }
        writeTimeline(body, m_movie.timeline, m_ctx, "main timeline");
        body.tag(tag::End, {});
        return wrap(body.take());
    }

private:
    // The 8-byte header, then the body as it is or deflated.
    std::vector<uint8_t> wrap(const std::vector<uint8_t>& tail) const
    {
        std::vector<uint8_t> file { uint8_t(m_options.compress ? 'C' : 'F'), 'W', 'S', m_options.version };
        uint32_t length = uint32_t(tail.size() + 8);
        for (int i = 0; i < 4; ++i)
            file.push_back(uint8_t(length >> (8 * i)));
        if (!m_options.compress) {
            file.insert(file.end(), tail.begin(), tail.end());
            return file;
        }
        std::vector<uint8_t> packed = deflateBytes(tail);
        file.insert(file.end(), packed.begin(), packed.end());
        return file;
    }

    const Movie& m_movie;
    const WriteOptions& m_options;
    std::set<uint16_t> m_defined;
    WriteContext m_ctx;
};

} // namespace

std::vector<uint8_t> writeMovie(const Movie& movie, const WriteOptions& options)
{
    return MovieWriter(movie, options).run();
}

void writeDefinitionTag(BitWriter& out, uint16_t code, uint16_t id, const Character& c)
{
    writeDefinition(out, code, id, c, WriteContext {});
}

void writeControlTag(BitWriter& out, uint16_t code, const ControlTag& t)
{
    writeControlTag(out, code, t, WriteContext {}, "display-list entry");
}

} // namespace yelvanis::swf
