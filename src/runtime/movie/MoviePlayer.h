#pragma once

// Plays a movie's main timeline and every sprite instance's own timeline:
// the display lists, frame by frame, and the simple frame actions. No Qt.

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "runtime/movie/SwfTypes.h"

namespace yelvanis::swf {

struct Clip;

struct DisplayObject {
    uint16_t characterId = 0;
    Matrix matrix;
    ColorTransform colorTransform;
    uint16_t ratio = 0;
    uint16_t clipDepth = 0; // non-zero: a mask over the depths up to this one
    bool visible = true;
    bool cacheAsBitmap = false; // drawn into its own picture, placed on whole pixels
    std::string name;
    std::shared_ptr<Clip> clip; // sprite instances only
};

struct Clip {
    const Timeline* timeline = nullptr;
    uint32_t frame = 0; // 0-based
    bool playing = true;
    int nesting = 0;
    std::map<uint16_t, DisplayObject> displayList; // by depth
};

// A copy of a stage that shares nothing playing goes on to change, so that
// another thread can draw it. O(objects), at most PlayerLimits::maxObjects.
Clip copyStage(const Clip& root);

struct PlayerLimits {
    int maxNesting = 24;
    size_t maxObjects = 20000;
    int maxActionsPerTick = 256;
};

class MoviePlayer {
public:
    explicit MoviePlayer(std::shared_ptr<const Movie> movie, PlayerLimits limits = {});

    const Movie& movie() const { return *m_movie; }
    const Clip& root() const { return *m_root; }
    Rgba background() const { return m_background; }
    uint32_t currentFrame() const { return m_root->frame; } // 0-based
    uint32_t frameCount() const { return uint32_t(m_root->timeline->frames.size()); }
    bool isPlaying() const { return m_root->playing; }

    // Whether the main timeline goes back to its first frame after its last.
    void setLoop(bool loop) { m_loop = loop; }
    bool loop() const { return m_loop; }
    void play() { m_root->playing = true; }
    void stop() { m_root->playing = false; }
    // Back to the first frame, as after loading.
    void rewind();

    // One frame of time: every timeline that plays moves on by one frame.
    // Returns whether anything on the stage may look different.
    bool tick();
    // Goes up whenever the stage may look different: the display lists of
    // the main timeline and of every sprite, or the background. A frame that
    // places everything as it was leaves it alone.
    uint64_t stageVersion() const { return m_version; }
    size_t objectCount() const { return m_objects; }

private:
    void construct(Clip& clip);
    void advance(Clip& clip, bool isRoot);
    void gotoFrame(Clip& clip, uint32_t target);
    void applyFrame(Clip& clip, uint32_t frame);
    void place(Clip& clip, const PlaceObject& p);
    void remove(Clip& clip, uint16_t depth);
    void queueActions(Clip& clip, uint32_t frame);
    void runActions();
    std::shared_ptr<Clip> makeClip(const Timeline& timeline, int nesting);
    void forget(DisplayObject& object);

    std::shared_ptr<const Movie> m_movie;
    PlayerLimits m_limits;
    std::shared_ptr<Clip> m_root;
    Rgba m_background { 255, 255, 255, 255 };
    bool m_loop = true;
    size_t m_objects = 0;
    bool m_changed = false;
    uint64_t m_version = 0;
    struct Pending {
        std::weak_ptr<Clip> clip;
        const DoAction* action;
    };
    std::vector<Pending> m_pending;
    std::vector<std::weak_ptr<Clip>> m_fresh; // created this tick: they wait for the next
    std::map<const Clip*, std::shared_ptr<Clip>> m_self; // clips to their owners, for the action queue
};

} // namespace yelvanis::swf
