#include "MovieBuilder.h"

#include <cmath>
#include <stdexcept>

#include "ShapeBuilder.h"
#include "runtime/movie/SwfWriter.h"

namespace yelvanis::movies {

using namespace swf;

Matrix toMatrix(const QTransform& t)
{
    auto fixed = [](double v) { return std::round(v * 65536.0) / 65536.0; };
    return { fixed(t.m11()), fixed(t.m12()), fixed(t.m21()), fixed(t.m22()), std::round(t.dx() * 20.0), std::round(t.dy() * 20.0) };
}

ColorTransform fade(double alpha)
{
    ColorTransform c;
    c.aMul = int32_t(std::lround(std::clamp(alpha, 0.0, 1.0) * 256));
    return c;
}

ColorTransform tint(const QColor& to, double amount, double alpha)
{
    ColorTransform c;
    int keep = int(std::lround((1 - amount) * 256));
    c.rMul = c.gMul = c.bMul = keep;
    c.rAdd = int(std::lround(to.red() * amount));
    c.gAdd = int(std::lround(to.green() * amount));
    c.bAdd = int(std::lround(to.blue() * amount));
    c.aMul = int32_t(std::lround(std::clamp(alpha, 0.0, 1.0) * 256));
    return c;
}

uint16_t Scene::add(uint16_t characterId, ActorFunction state)
{
    m_actors.push_back({ characterId, std::move(state), 0 });
    return uint16_t(m_actors.size());
}

uint16_t Scene::addStatic(uint16_t characterId, const QTransform& t, double alpha)
{
    return add(characterId, [t, alpha](int) { return ActorState { t, alpha, std::nullopt, 0 }; });
}

uint16_t Scene::addMask(uint16_t characterId, ActorFunction state, uint16_t lastMaskedDepth)
{
    m_actors.push_back({ characterId, std::move(state), lastMaskedDepth });
    return uint16_t(m_actors.size());
}

namespace {

ColorTransform colorOf(const ActorState& s)
{
    return s.color ? *s.color : fade(s.alpha);
}

} // namespace

Timeline Scene::timeline(const std::vector<std::string>& labels) const
{
    Timeline t;
    std::vector<std::optional<ActorState>> last(m_actors.size());
    for (int f = 0; f < m_frames; ++f) {
        Frame frame;
        if (size_t(f) < labels.size() && !labels[size_t(f)].empty()) {
            frame.label = labels[size_t(f)];
            t.labels[frame.label] = uint32_t(f);
        }
        for (size_t i = 0; i < m_actors.size(); ++i) {
            const Actor& a = m_actors[i];
            uint16_t depth = uint16_t(i + 1);
            std::optional<ActorState> now = a.state(f);
            const std::optional<ActorState>& before = last[i];
            if (!now) {
                if (before)
                    frame.tags.push_back(RemoveObject { depth });
            } else {
                Matrix m = toMatrix(now->transform);
                ColorTransform cx = colorOf(*now);
                PlaceObject p;
                p.depth = depth;
                if (!before) {
                    p.characterId = a.characterId;
                    p.matrix = m;
                    if (!cx.isIdentity())
                        p.colorTransform = cx;
                    if (now->ratio)
                        p.ratio = now->ratio;
                    if (a.clipDepth)
                        p.clipDepth = a.clipDepth;
                    frame.tags.push_back(p);
                } else {
                    p.move = true;
                    bool changed = false;
                    if (!(toMatrix(before->transform) == m)) {
                        p.matrix = m;
                        changed = true;
                    }
                    if (!(colorOf(*before) == cx)) {
                        p.colorTransform = cx;
                        changed = true;
                    }
                    if (before->ratio != now->ratio) {
                        p.ratio = now->ratio;
                        changed = true;
                    }
                    if (changed)
                        frame.tags.push_back(p);
                }
            }
            last[i] = now;
        }
        t.frames.push_back(std::move(frame));
    }
    return t;
}

MovieBuilder::MovieBuilder(int widthPx, int heightPx, double frameRate, const QColor& background)
    : m_width(widthPx)
    , m_height(heightPx)
    , m_background(rgba(background))
{
    m_movie.header.version = 8;
    m_movie.header.stage = { 0, widthPx * 20, 0, heightPx * 20 };
    m_movie.header.frameRate = frameRate;
    m_movie.background = m_background;
}

uint16_t MovieBuilder::add(Character c)
{
    uint16_t id = m_next++;
    m_movie.characters[id] = std::move(c);
    return id;
}

uint16_t MovieBuilder::reserve()
{
    return add(std::monostate {});
}

void MovieBuilder::set(uint16_t id, Character c)
{
    m_movie.characters[id] = std::move(c);
}

uint16_t MovieBuilder::addSprite(const Scene& scene)
{
    return add(Sprite { std::make_shared<Timeline>(scene.timeline()) });
}

void MovieBuilder::setMain(const Scene& scene)
{
    m_movie.timeline = scene.timeline();
    if (m_movie.timeline.frames.empty())
        throw std::runtime_error("a movie needs at least one frame");
    auto& first = m_movie.timeline.frames.front().tags;
    first.insert(first.begin(), SetBackground { m_background });
    m_movie.header.frameCount = uint16_t(m_movie.timeline.frames.size());
}

std::vector<uint8_t> MovieBuilder::write() const
{
    return writeMovie(m_movie);
}

} // namespace yelvanis::movies
