#include "runtime/movie/MoviePlayer.h"

#include <algorithm>

namespace yelvanis::swf {

Clip copyStage(const Clip& root)
{
    Clip copy = root;
    for (auto& [depth, object] : copy.displayList)
        if (object.clip)
            object.clip = std::make_shared<Clip>(copyStage(*object.clip));
    return copy;
}

MoviePlayer::MoviePlayer(std::shared_ptr<const Movie> movie, PlayerLimits limits)
    : m_movie(std::move(movie))
    , m_limits(limits)
{
    rewind();
}

void MoviePlayer::rewind()
{
    m_objects = 0;
    m_pending.clear();
    m_self.clear();
    m_background = m_movie->background.value_or(Rgba { 255, 255, 255, 255 });
    m_root = makeClip(m_movie->timeline, 0);
    construct(*m_root);
    runActions();
    ++m_version;
}

std::shared_ptr<Clip> MoviePlayer::makeClip(const Timeline& timeline, int nesting)
{
    auto clip = std::make_shared<Clip>();
    clip->timeline = &timeline;
    clip->nesting = nesting;
    return clip;
}

void MoviePlayer::construct(Clip& clip)
{
    clip.frame = 0;
    if (!clip.timeline->frames.empty()) {
        applyFrame(clip, 0);
        queueActions(clip, 0);
    }
}

void MoviePlayer::forget(DisplayObject& object)
{
    if (!object.clip)
        return;
    for (auto& [depth, child] : object.clip->displayList)
        forget(child);
    m_objects -= std::min(m_objects, object.clip->displayList.size());
    m_self.erase(object.clip.get());
    object.clip.reset();
}

void MoviePlayer::place(Clip& clip, const PlaceObject& p)
{
    auto it = clip.displayList.find(p.depth);
    bool exists = it != clip.displayList.end();
    if (p.move && !exists)
        return; // nothing to modify
    DisplayObject* object = nullptr;
    if (p.move) {
        object = &it->second;
        // Timelines often place objects again just as they were.
        auto differs = [](const auto& field, const auto& value) { return value && !(field == *value); };
        if (differs(object->characterId, p.characterId) || differs(object->matrix, p.matrix)
            || differs(object->colorTransform, p.colorTransform) || differs(object->ratio, p.ratio)
            || differs(object->clipDepth, p.clipDepth) || differs(object->visible, p.visible))
            m_changed = true;
        if (p.characterId && *p.characterId != object->characterId) {
            forget(*object);
            object->characterId = *p.characterId;
        }
    } else {
        m_changed = true;
        if (!p.characterId)
            return;
        if (exists) {
            // A new object at a taken depth replaces the old one.
            forget(it->second);
            it->second = DisplayObject {};
            object = &it->second;
        } else {
            if (m_objects >= m_limits.maxObjects)
                return;
            object = &clip.displayList[p.depth];
            ++m_objects;
        }
        object->characterId = *p.characterId;
    }
    if (p.matrix)
        object->matrix = *p.matrix;
    if (p.colorTransform)
        object->colorTransform = *p.colorTransform;
    if (p.ratio)
        object->ratio = *p.ratio;
    if (p.clipDepth)
        object->clipDepth = *p.clipDepth;
    if (p.name)
        object->name = *p.name;
    if (p.visible)
        object->visible = *p.visible;
    if (p.cacheAsBitmap) {
        m_changed = m_changed || object->cacheAsBitmap != *p.cacheAsBitmap;
        object->cacheAsBitmap = *p.cacheAsBitmap;
    }
    if (!object->clip && clip.nesting < m_limits.maxNesting) {
        const Character* c = m_movie->character(object->characterId);
        if (const Sprite* sprite = c ? std::get_if<Sprite>(c) : nullptr; sprite && sprite->timeline) {
            object->clip = makeClip(*sprite->timeline, clip.nesting + 1);
            m_self[object->clip.get()] = object->clip;
            m_fresh.push_back(object->clip);
            construct(*object->clip);
        }
    }
}

void MoviePlayer::remove(Clip& clip, uint16_t depth)
{
    auto it = clip.displayList.find(depth);
    if (it == clip.displayList.end())
        return;
    m_changed = true;
    forget(it->second);
    clip.displayList.erase(it);
    if (m_objects)
        --m_objects;
}

void MoviePlayer::applyFrame(Clip& clip, uint32_t frame)
{
    const Frame& f = clip.timeline->frames[frame];
    for (const ControlTag& tag : f.tags) {
        if (const auto* p = std::get_if<PlaceObject>(&tag))
            place(clip, *p);
        else if (const auto* r = std::get_if<RemoveObject>(&tag))
            remove(clip, r->depth);
        else if (const auto* bg = std::get_if<SetBackground>(&tag); bg && &clip == m_root.get()) {
            m_changed = m_changed || !(m_background == bg->color);
            m_background = bg->color;
        }
    }
}

void MoviePlayer::queueActions(Clip& clip, uint32_t frame)
{
    auto self = m_self.find(&clip);
    std::weak_ptr<Clip> weak = &clip == m_root.get() ? std::weak_ptr<Clip>(m_root)
                                                     : (self != m_self.end() ? std::weak_ptr<Clip>(self->second) : std::weak_ptr<Clip>());
    for (const ControlTag& tag : clip.timeline->frames[frame].tags)
        if (const auto* a = std::get_if<DoAction>(&tag))
            m_pending.push_back({ weak, a });
}

void MoviePlayer::gotoFrame(Clip& clip, uint32_t target)
{
    uint32_t count = uint32_t(clip.timeline->frames.size());
    if (count == 0)
        return;
    target = std::min(target, count - 1);
    if (target == clip.frame)
        return;
    if (target > clip.frame) {
        for (uint32_t f = clip.frame + 1; f <= target; ++f)
            applyFrame(clip, f);
    } else {
        // Going back: rebuild from the first frame. Objects that stay at the
        // same depth with the same character keep their own state.
        std::map<uint16_t, DisplayObject> old = std::move(clip.displayList);
        clip.displayList.clear();
        m_objects -= std::min(m_objects, old.size());
        m_changed = true;
        std::map<uint16_t, std::shared_ptr<Clip>> keep;
        for (auto& [depth, object] : old)
            if (object.clip)
                keep[depth] = object.clip;
        // Build the target frame's list without creating new sprite instances
        // for those we keep.
        for (uint32_t f = 0; f <= target; ++f)
            applyFrame(clip, f);
        for (auto& [depth, object] : clip.displayList) {
            auto k = keep.find(depth);
            auto o = old.find(depth);
            if (k != keep.end() && o != old.end() && o->second.characterId == object.characterId && object.clip) {
                forget(object);
                object.clip = k->second;
                m_self[object.clip.get()] = object.clip;
                o->second.clip.reset();
            }
        }
        for (auto& [depth, object] : old)
            forget(object);
    }
    clip.frame = target;
}

void MoviePlayer::advance(Clip& clip, bool isRoot)
{
    // Children that existed before this tick move on; new ones wait.
    std::vector<std::shared_ptr<Clip>> children;
    for (auto& [depth, object] : clip.displayList)
        if (object.clip)
            children.push_back(object.clip);
    if (clip.playing) {
        uint32_t count = uint32_t(clip.timeline->frames.size());
        uint32_t next = clip.frame + 1;
        if (next >= count) {
            if (isRoot && !m_loop) {
                clip.playing = false;
                next = clip.frame;
            } else {
                next = 0;
            }
        }
        if (next != clip.frame) {
            gotoFrame(clip, next);
            queueActions(clip, next);
        }
    }
    for (auto& child : children) {
        // Skip children the frame just removed.
        if (m_self.find(child.get()) == m_self.end())
            continue;
        advance(*child, false);
    }
}

bool MoviePlayer::tick()
{
    m_fresh.clear();
    m_changed = false;
    advance(*m_root, true);
    runActions();
    if (m_changed)
        ++m_version;
    return m_changed;
}

void MoviePlayer::runActions()
{
    int budget = m_limits.maxActionsPerTick;
    while (!m_pending.empty() && budget > 0) {
        std::vector<Pending> batch = std::move(m_pending);
        m_pending.clear();
        for (const Pending& p : batch) {
            auto clip = p.clip.lock();
            if (!clip)
                continue;
            if (clip.get() != m_root.get() && m_self.find(clip.get()) == m_self.end())
                continue; // removed meanwhile
            for (const Action& a : p.action->actions) {
                if (--budget <= 0)
                    break;
                uint32_t count = uint32_t(clip->timeline->frames.size());
                switch (a.kind) {
                case Action::Kind::Stop: clip->playing = false; break;
                case Action::Kind::Play: clip->playing = true; break;
                case Action::Kind::NextFrame:
                    clip->playing = false;
                    if (clip->frame + 1 < count) {
                        gotoFrame(*clip, clip->frame + 1);
                        queueActions(*clip, clip->frame);
                    }
                    break;
                case Action::Kind::PrevFrame:
                    clip->playing = false;
                    if (clip->frame > 0) {
                        gotoFrame(*clip, clip->frame - 1);
                        queueActions(*clip, clip->frame);
                    }
                    break;
                case Action::Kind::GotoFrame:
                case Action::Kind::GotoLabel: {
                    uint32_t target = a.frame;
                    if (a.kind == Action::Kind::GotoLabel) {
                        auto it = clip->timeline->labels.find(a.label);
                        if (it == clip->timeline->labels.end())
                            break;
                        target = it->second;
                    }
                    if (target >= count)
                        target = count ? count - 1 : 0;
                    // Stopping or playing on is up to the action that follows.
                    if (target != clip->frame) {
                        gotoFrame(*clip, target);
                        queueActions(*clip, clip->frame);
                    }
                    break;
                }
                }
            }
        }
    }
    m_pending.clear();
}

} // namespace yelvanis::swf
