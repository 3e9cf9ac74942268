#pragma once

// Assembles a Movie: characters get ids in the order they are added (so what
// a character refers to always comes first), and timelines are described as
// actors whose state is a function of the frame. The builder turns those
// states into the fewest display-list tags: a place when an actor appears, a
// move when its state changes, a remove when it goes.

#include <QColor>
#include <QTransform>
#include <functional>
#include <optional>
#include <vector>

#include "runtime/movie/SwfTypes.h"

namespace yelvanis::movies {

swf::Matrix toMatrix(const QTransform& t); // translation in pixels
swf::ColorTransform fade(double alpha);       // 0..1 opacity
swf::ColorTransform tint(const QColor& to, double amount, double alpha = 1);

struct ActorState {
    QTransform transform;
    double alpha = 1;
    std::optional<swf::ColorTransform> color; // overrides alpha when set
    uint16_t ratio = 0;                       // morph shapes
};

// State at frame f, or nothing while the actor is off the stage.
using ActorFunction = std::function<std::optional<ActorState>(int frame)>;

struct Actor {
    uint16_t characterId = 0;
    ActorFunction state;
    uint16_t clipDepth = 0; // a mask over the depths above it up to this
};

// Depth follows the order actors are added: later actors are drawn above.
class Scene {
public:
    explicit Scene(int frames)
        : m_frames(frames)
    {
    }
    uint16_t add(uint16_t characterId, ActorFunction state);
    // Fixed for the whole scene.
    uint16_t addStatic(uint16_t characterId, const QTransform& t = {}, double alpha = 1);
    // A mask: later actors up to and including `lastMasked` are drawn only inside it.
    uint16_t addMask(uint16_t characterId, ActorFunction state, uint16_t lastMaskedDepth);
    uint16_t nextDepth() const { return uint16_t(m_actors.size() + 1); }
    int frames() const { return m_frames; }
    swf::Timeline timeline(const std::vector<std::string>& labels = {}) const;

private:
    int m_frames;
    std::vector<Actor> m_actors;
};

class MovieBuilder {
public:
    MovieBuilder(int widthPx, int heightPx, double frameRate, const QColor& background);

    uint16_t add(swf::Character c);
    // An id whose character is set later (a font filled as text is laid out).
    uint16_t reserve();
    void set(uint16_t id, swf::Character c);
    uint16_t addSprite(const Scene& scene);
    void setMain(const Scene& scene);

    swf::Movie& movie() { return m_movie; }
    int width() const { return m_width; }
    int height() const { return m_height; }
    double frameRate() const { return m_movie.header.frameRate; }
    std::vector<uint8_t> write() const;

private:
    swf::Movie m_movie;
    int m_width, m_height;
    uint16_t m_next = 1;
    swf::Rgba m_background;
};

} // namespace yelvanis::movies
