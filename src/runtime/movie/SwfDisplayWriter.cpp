#include "runtime/movie/SwfTagWriters.h"
#include "runtime/movie/SwfTags.h"

namespace yelvanis::swf {

namespace {

bool hasVersion3Fields(const PlaceObject& p)
{
    return p.className || p.blendMode || p.cacheAsBitmap || p.visible || p.opaqueBackground;
}

void writePlaceObject1(BitWriter& out, const PlaceObject& p, const std::string& user)
{
    if (!p.characterId || !p.matrix || p.move || p.ratio || p.name || p.clipDepth || hasVersion3Fields(p))
        throw WriteError(user + ": PlaceObject holds a character, a matrix and a colour transform only");
    BitWriter w;
    w.u16(*p.characterId);
    w.u16(p.depth);
    w.matrix(*p.matrix);
    if (p.colorTransform) {
        if (p.colorTransform->aMul != 256 || p.colorTransform->aAdd != 0)
            throw WriteError(user + ": PlaceObject has no alpha terms");
        w.colorTransform(*p.colorTransform, false);
    }
    out.tag(tag::PlaceObject, w.take());
}

} // namespace

int placeVersionFor(const PlaceObject& p)
{
    return hasVersion3Fields(p) ? 3 : 2;
}

void writePlaceObject(BitWriter& out, const PlaceObject& p, int placeVersion, const WriteContext& ctx, const std::string& user)
{
    if (p.characterId)
        ctx.need(*p.characterId, user);
    if (placeVersion == 1) {
        writePlaceObject1(out, p, user);
        return;
    }
    bool three = placeVersion == 3;
    if (!three && hasVersion3Fields(p))
        throw WriteError(user + ": class names, blend modes, caching, visibility and backgrounds need PlaceObject3");
    BitWriter w;
    w.u8(uint8_t((p.move ? 0x01 : 0) | (p.characterId ? 0x02 : 0) | (p.matrix ? 0x04 : 0) | (p.colorTransform ? 0x08 : 0)
                 | (p.ratio ? 0x10 : 0) | (p.name ? 0x20 : 0) | (p.clipDepth ? 0x40 : 0)));
    if (three)
        w.u8(uint8_t((p.opaqueBackground ? 0x40 : 0) | (p.visible ? 0x20 : 0) | (p.className ? 0x08 : 0)
                     | (p.cacheAsBitmap ? 0x04 : 0) | (p.blendMode ? 0x02 : 0)));
    w.u16(p.depth);
    if (p.className)
        w.string(*p.className);
    if (p.characterId)
        w.u16(*p.characterId);
    if (p.matrix)
        w.matrix(*p.matrix);
    if (p.colorTransform)
        w.colorTransform(*p.colorTransform, true);
    if (p.ratio)
        w.u16(*p.ratio);
    if (p.name)
        w.string(*p.name);
    if (p.clipDepth)
        w.u16(*p.clipDepth);
    if (p.blendMode)
        w.u8(*p.blendMode);
    if (p.cacheAsBitmap)
        w.u8(*p.cacheAsBitmap ? 1 : 0);
    if (p.visible)
        w.u8(*p.visible ? 1 : 0);
    if (p.opaqueBackground)
        w.rgba(*p.opaqueBackground);
    out.tag(three ? tag::PlaceObject3 : tag::PlaceObject2, w.take());
}

void writeRemoveObject(BitWriter& out, const RemoveObject& r, int removeVersion, const std::string& user)
{
    BitWriter w;
    if (removeVersion == 1) {
        if (!r.characterId)
            throw WriteError(user + ": RemoveObject names the character it removes");
        w.u16(*r.characterId);
    }
    w.u16(r.depth);
    out.tag(removeVersion == 1 ? tag::RemoveObject : tag::RemoveObject2, w.take());
}

void writeDoAction(BitWriter& out, const DoAction& a, const std::string& user)
{
    BitWriter w;
    for (const Action& act : a.actions) {
        switch (act.kind) {
        case Action::Kind::Stop: w.u8(0x07); break;
        case Action::Kind::Play: w.u8(0x06); break;
        case Action::Kind::NextFrame: w.u8(0x04); break;
        case Action::Kind::PrevFrame: w.u8(0x05); break;
        case Action::Kind::GotoFrame:
            if (act.frame > 65535)
                throw WriteError(user + ": frame number out of range");
            w.u8(0x81);
            w.u16(2);
            w.u16(uint16_t(act.frame));
            break;
        case Action::Kind::GotoLabel:
            if (act.label.size() >= 65535)
                throw WriteError(user + ": label too long");
            w.u8(0x8C);
            w.u16(uint16_t(act.label.size() + 1));
            w.string(act.label);
            break;
        }
    }
    w.u8(0);
    out.tag(tag::DoAction, w.take());
}

void writeFrameLabel(BitWriter& out, const std::string& label)
{
    BitWriter w;
    w.string(label);
    out.tag(tag::FrameLabel, w.take());
}

uint16_t controlTagFor(const ControlTag& t)
{
    if (const auto* p = std::get_if<PlaceObject>(&t))
        return placeVersionFor(*p) == 3 ? tag::PlaceObject3 : tag::PlaceObject2;
    if (const auto* r = std::get_if<RemoveObject>(&t))
        return r->characterId ? tag::RemoveObject : tag::RemoveObject2;
    if (std::holds_alternative<DoAction>(t))
        return tag::DoAction;
    return tag::SetBackgroundColor;
}

void writeControlTag(BitWriter& out, uint16_t code, const ControlTag& t, const WriteContext& ctx, const std::string& user)
{
    const auto* p = std::get_if<PlaceObject>(&t);
    const auto* r = std::get_if<RemoveObject>(&t);
    const auto* a = std::get_if<DoAction>(&t);
    const auto* bg = std::get_if<SetBackground>(&t);
    if (p && (code == tag::PlaceObject || code == tag::PlaceObject2 || code == tag::PlaceObject3)) {
        writePlaceObject(out, *p, code == tag::PlaceObject ? 1 : code == tag::PlaceObject2 ? 2 : 3, ctx, user);
    } else if (r && (code == tag::RemoveObject || code == tag::RemoveObject2)) {
        writeRemoveObject(out, *r, code == tag::RemoveObject ? 1 : 2, user);
    } else if (a && code == tag::DoAction) {
        writeDoAction(out, *a, user);
    } else if (bg && code == tag::SetBackgroundColor) {
        BitWriter w;
        w.rgb(bg->color);
        out.tag(code, w.take());
    } else {
        throw WriteError(user + ": this display-list entry cannot be written as " + tagName(code));
    }
}

void writeTimeline(BitWriter& out, const Timeline& t, const WriteContext& ctx, const std::string& owner)
{
    for (size_t i = 0; i < t.frames.size(); ++i) {
        const Frame& f = t.frames[i];
        std::string user = owner + " frame " + std::to_string(i + 1);
        for (const ControlTag& c : f.tags) {
            uint16_t code = controlTagFor(c);
            ctx.allow(code, user);
            writeControlTag(out, code, c, ctx, user);
        }
        if (!f.label.empty()) {
            ctx.allow(tag::FrameLabel, user);
            writeFrameLabel(out, f.label);
        }
        out.tag(tag::ShowFrame, {});
    }
}

void writeDefineSprite(BitWriter& out, uint16_t id, const Sprite& s, const WriteContext& ctx)
{
    if (!s.timeline)
        throw WriteError(where("sprite", id) + ": no timeline");
    if (s.timeline->frames.size() > 65535)
        throw WriteError(where("sprite", id) + ": too many frames");
    BitWriter w;
    w.u16(id);
    w.u16(uint16_t(s.timeline->frames.size()));
    writeTimeline(w, *s.timeline, ctx, where("sprite", id));
    w.tag(tag::End, {});
    out.tag(tag::DefineSprite, w.take());
}

} // namespace yelvanis::swf
