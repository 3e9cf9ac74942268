#include "runtime/movie/SwfTagReaders.h"

namespace yelvanis::swf {

namespace {

Font* fontFor(ReadContext& ctx, uint16_t id)
{
    auto it = ctx.movie.characters.find(id);
    if (it == ctx.movie.characters.end())
        return nullptr;
    return std::get_if<Font>(&it->second);
}

} // namespace

void readDefineFont(SwfStream& s, ReadContext& ctx)
{
    uint16_t id = s.u16();
    Font font;
    SwfStream table = s.sub(s.remaining());
    if (table.remaining() >= 2) {
        uint16_t first = table.u16();
        size_t count = first / 2;
        std::vector<uint32_t> offsets { first };
        for (size_t i = 1; i < count && table.remaining() >= 2; ++i)
            offsets.push_back(table.u16());
        size_t total = table.position() + table.remaining();
        for (size_t i = 0; i < offsets.size(); ++i) {
            size_t start = offsets[i];
            size_t end = i + 1 < offsets.size() ? offsets[i + 1] : total;
            Glyph g;
            if (start < end && end <= total) {
                SwfStream gs(table.current() - table.position() + start, end - start, table.fileOffset(), s.tagCode(), s.version());
                try {
                    g.records = readShapeRecords(gs, 1, ctx, nullptr, nullptr);
                } catch (const ParseError&) {
                    // keep the glyph blank; the rest of the font stays usable
                }
            }
            font.glyphs.push_back(std::move(g));
        }
    }
    ctx.movie.characters[id] = std::move(font);
}

void readDefineFont23(SwfStream& s, int fontVersion, ReadContext& ctx)
{
    uint16_t id = s.u16();
    Font font;
    font.emSquare20 = fontVersion == 3;
    uint8_t flags = s.u8();
    bool hasLayout = flags & 0x80;
    bool wideOffsets = flags & 0x08;
    bool wideCodes = flags & 0x04;
    font.italic = flags & 0x02;
    font.bold = flags & 0x01;
    s.u8(); // language
    uint8_t nameLength = s.u8();
    if (nameLength > s.remaining())
        s.fail("font name runs past the tag");
    font.name.assign(reinterpret_cast<const char*>(s.current()), nameLength);
    while (!font.name.empty() && font.name.back() == '\0')
        font.name.pop_back();
    s.skip(nameLength);
    uint16_t count = s.u16();
    const uint8_t* tableStart = s.current();
    size_t tableSize = s.remaining();
    size_t tableFileOffset = s.fileOffset();
    std::vector<uint32_t> offsets;
    for (uint16_t i = 0; i < count; ++i)
        offsets.push_back(wideOffsets ? s.u32() : s.u16());
    uint32_t codeTableOffset = count || s.remaining() ? (wideOffsets ? s.u32() : s.u16()) : 0;
    for (uint16_t i = 0; i < count; ++i) {
        size_t start = offsets[i];
        size_t end = i + 1 < count ? offsets[i + 1] : codeTableOffset;
        Glyph g;
        if (start < end && end <= tableSize) {
            SwfStream gs(tableStart + start, end - start, tableFileOffset + start, s.tagCode(), s.version());
            try {
                g.records = readShapeRecords(gs, 1, ctx, nullptr, nullptr);
            } catch (const ParseError&) {
            }
        }
        font.glyphs.push_back(std::move(g));
    }
    if (codeTableOffset > tableSize)
        s.fail("code table runs past the tag");
    SwfStream rest(tableStart + codeTableOffset, tableSize - codeTableOffset, tableFileOffset + codeTableOffset, s.tagCode(),
                   s.version());
    for (uint16_t i = 0; i < count; ++i)
        font.codes.push_back(wideCodes ? rest.u16() : rest.u8());
    if (hasLayout && rest.remaining() >= 6) {
        font.hasLayout = true;
        font.ascent = rest.u16();
        font.descent = rest.u16();
        font.leading = rest.s16();
        for (uint16_t i = 0; i < count; ++i)
            font.glyphs[i].advance = rest.s16();
        // bounds and kerning are not needed to lay out text
    }
    ctx.movie.characters[id] = std::move(font);
}

void readDefineFontInfo(SwfStream& s, int infoVersion, ReadContext& ctx)
{
    uint16_t id = s.u16();
    Font* font = fontFor(ctx, id);
    if (!font)
        return;
    uint8_t nameLength = s.u8();
    if (nameLength > s.remaining())
        s.fail("font name runs past the tag");
    font->name.assign(reinterpret_cast<const char*>(s.current()), nameLength);
    while (!font->name.empty() && font->name.back() == '\0')
        font->name.pop_back();
    s.skip(nameLength);
    uint8_t flags = s.u8();
    font->italic = flags & 0x04;
    font->bold = flags & 0x02;
    bool wide = flags & 0x01;
    if (infoVersion == 2)
        s.u8(); // language
    font->codes.clear();
    for (size_t i = 0; i < font->glyphs.size() && s.remaining() >= (wide ? 2u : 1u); ++i)
        font->codes.push_back(wide ? s.u16() : s.u8());
}

void readDefineText(SwfStream& s, int textVersion, ReadContext& ctx)
{
    uint16_t id = s.u16();
    Text text;
    text.bounds = s.rect();
    text.matrix = s.matrix();
    unsigned glyphBits = s.u8();
    unsigned advanceBits = s.u8();
    if (glyphBits > 32 || advanceBits > 32)
        s.fail("glyph field wider than 32 bits");
    TextRun style;
    style.color = { 0, 0, 0, 255 };
    while (!s.atEnd()) {
        uint8_t head = s.u8();
        if (head == 0)
            break;
        if (head & 0x80) {
            // style record
            if (head & 0x08)
                style.fontId = s.u16();
            if (head & 0x04)
                style.color = textVersion == 2 ? s.rgba() : s.rgb();
            if (head & 0x01)
                style.x = s.s16();
            if (head & 0x02)
                style.y = s.s16();
            if (head & 0x08)
                style.height = s.u16();
            uint8_t count = s.u8();
            TextRun run = style;
            run.glyphs.clear();
            for (uint8_t i = 0; i < count; ++i) {
                TextGlyph g;
                g.index = s.ubits(glyphBits);
                g.advance = s.sbits(advanceBits);
                run.glyphs.push_back(g);
            }
            s.align();
            for (const TextGlyph& g : run.glyphs)
                style.x += g.advance; // the next run starts where this one ended
            text.runs.push_back(std::move(run));
        } else {
            // Old-style glyph record without a style header.
            uint8_t count = head & 0x7f;
            TextRun run = style;
            run.glyphs.clear();
            for (uint8_t i = 0; i < count; ++i) {
                TextGlyph g;
                g.index = s.ubits(glyphBits);
                g.advance = s.sbits(advanceBits);
                run.glyphs.push_back(g);
            }
            s.align();
            for (const TextGlyph& g : run.glyphs)
                style.x += g.advance;
            text.runs.push_back(std::move(run));
        }
    }
    ctx.movie.characters[id] = std::move(text);
}

void readDefineEditText(SwfStream& s, ReadContext& ctx)
{
    uint16_t id = s.u16();
    EditText e;
    e.bounds = s.rect();
    uint8_t f1 = s.u8();
    uint8_t f2 = s.u8();
    e.hasText = f1 & 0x80;
    e.wordWrap = f1 & 0x40;
    e.multiline = f1 & 0x20;
    e.password = f1 & 0x10;
    e.readOnly = f1 & 0x08;
    e.hasColor = f1 & 0x04;
    bool hasMaxLength = f1 & 0x02;
    e.hasFont = f1 & 0x01;
    e.hasFontClass = f2 & 0x80;
    e.autoSize = f2 & 0x40;
    e.hasLayout = f2 & 0x20;
    e.noSelect = f2 & 0x10;
    e.border = f2 & 0x08;
    e.wasStatic = f2 & 0x04;
    e.html = f2 & 0x02;
    e.useOutlines = f2 & 0x01;
    if (e.hasFont)
        e.fontId = s.u16();
    if (e.hasFontClass)
        e.fontClass = s.string();
    if (e.hasFont || e.hasFontClass)
        e.fontHeight = s.u16();
    if (e.hasColor)
        e.color = s.rgba();
    if (hasMaxLength)
        e.maxLength = s.u16();
    if (e.hasLayout) {
        e.align = s.u8();
        e.leftMargin = s.u16();
        e.rightMargin = s.u16();
        e.indent = s.u16();
        e.leading = s.s16();
    }
    e.variableName = s.string();
    if (e.hasText)
        e.initialText = s.string();
    ctx.movie.characters[id] = std::move(e);
}

} // namespace yelvanis::swf
