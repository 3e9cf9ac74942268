#include "runtime/movie/SwfTagReaders.h"

namespace yelvanis::swf {

namespace {

void skipFilters(SwfStream& s)
{
    uint8_t count = s.u8();
    for (uint8_t i = 0; i < count; ++i) {
        uint8_t id = s.u8();
        switch (id) {
        case 0: s.skip(23); break;            // drop shadow
        case 1: s.skip(9); break;             // blur
        case 2: s.skip(15); break;            // glow
        case 3: s.skip(27); break;            // bevel
        case 4: case 7: {                     // gradient glow / bevel
            uint8_t n = s.u8();
            s.skip(size_t(n) * 5 + 19);
            break;
        }
        case 5: {                             // convolution
            uint8_t cols = s.u8();
            uint8_t rows = s.u8();
            s.skip(8 + size_t(cols) * rows * 4 + 4 + 1);
            break;
        }
        case 6: s.skip(80); break;            // colour matrix
        default: s.fail("unknown filter");
        }
    }
}

} // namespace

// A button shows its up state, as a one-frame sprite; it never reacts.
void readDefineButton(SwfStream& s, int buttonVersion, ReadContext& ctx)
{
    uint16_t id = s.u16();
    if (buttonVersion == 2) {
        s.u8();  // menu tracking
        s.u16(); // action offset
    }
    auto timeline = std::make_shared<Timeline>();
    Frame frame;
    while (!s.atEnd()) {
        uint8_t flags = s.u8();
        if (flags == 0)
            break;
        PlaceObject p;
        p.characterId = s.u16();
        p.depth = s.u16();
        p.matrix = s.matrix();
        if (buttonVersion == 2)
            p.colorTransform = s.colorTransform(true);
        if (flags & 0x10)
            skipFilters(s);
        if (flags & 0x20)
            s.u8();
        if ((flags & 0x01) && *p.characterId != id)
            frame.tags.push_back(p);
    }
    timeline->frames.push_back(std::move(frame));
    ctx.movie.characters[id] = Sprite { timeline };
}

PlaceObject readPlaceObject(SwfStream& s, int placeVersion)
{
    PlaceObject p;
    if (placeVersion == 1) {
        p.characterId = s.u16();
        p.depth = s.u16();
        p.matrix = s.matrix();
        if (!s.atEnd())
            p.colorTransform = s.colorTransform(false);
        return p;
    }
    uint8_t flags = s.u8();
    uint8_t flags2 = placeVersion >= 3 ? s.u8() : 0;
    p.depth = s.u16();
    p.move = flags & 0x01;
    bool hasCharacter = flags & 0x02;
    if (placeVersion >= 3 && (flags2 & 0x08))
        s.string(); // class name
    if (hasCharacter)
        p.characterId = s.u16();
    if (flags & 0x04)
        p.matrix = s.matrix();
    if (flags & 0x08)
        p.colorTransform = s.colorTransform(true);
    if (flags & 0x10)
        p.ratio = s.u16();
    if (flags & 0x20)
        p.name = s.string();
    if (flags & 0x40)
        p.clipDepth = s.u16();
    if (placeVersion >= 3) {
        // Filters and blend modes change nothing we draw; caching and visibility do.
        // They come after the fields above, so a broken filter list costs only them.
        try {
            if (flags2 & 0x01)
                skipFilters(s);
            if (flags2 & 0x02)
                s.u8();
            if (flags2 & 0x04)
                p.cacheAsBitmap = s.u8() != 0;
            if (flags2 & 0x20) {
                p.visible = s.u8() != 0;
                s.rgba();
            }
        } catch (const ParseError&) {
        }
    }
    return p;
}

RemoveObject readRemoveObject(SwfStream& s, int removeVersion)
{
    RemoveObject r;
    if (removeVersion == 1)
        s.u16();
    r.depth = s.u16();
    return r;
}

DoAction readDoAction(SwfStream& s)
{
    DoAction d;
    while (!s.atEnd()) {
        uint8_t code = s.u8();
        if (code == 0)
            break;
        uint16_t length = code >= 0x80 ? s.u16() : 0;
        if (length > s.remaining())
            s.fail("action runs past the tag");
        SwfStream body = s.sub(length);
        switch (code) {
        case 0x04: d.actions.push_back({ Action::Kind::NextFrame, 0, {} }); break;
        case 0x05: d.actions.push_back({ Action::Kind::PrevFrame, 0, {} }); break;
        case 0x06: d.actions.push_back({ Action::Kind::Play, 0, {} }); break;
        case 0x07: d.actions.push_back({ Action::Kind::Stop, 0, {} }); break;
        case 0x81:
            if (body.remaining() >= 2)
                d.actions.push_back({ Action::Kind::GotoFrame, body.u16(), {} });
            break;
        case 0x8C:
            d.actions.push_back({ Action::Kind::GotoLabel, 0, body.string() });
            break;
        default:
            break; // every other action is skipped without effect
        }
    }
    return d;
}

} // namespace yelvanis::swf
