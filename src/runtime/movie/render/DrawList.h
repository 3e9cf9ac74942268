#pragma once

// One walk of the display list per frame: what every object draws, in
// order, with its transform, colour transform, the clip layers over it and
// the device pixels it may touch. Drawing reads the list, and comparing it
// with the last frame's tells which rows changed.

#include <cstdint>
#include <map>
#include <vector>

#include "runtime/movie/MovieLoader.h"
#include "runtime/movie/MoviePlayer.h"
#include "runtime/movie/PixelRaster.h"
#include "runtime/movie/render/ShapeCache.h"

namespace yelvanis::swf::render {

struct DrawnItem {
    bool mask = false;
    bool cached = false; // drawn once into its own picture, placed on whole pixels
    uint16_t characterId = 0;
    uint16_t ratio = 0;
    Matrix transform; // to device pixels
    ColorTransform colorTransform;
    uint32_t first = 0, count = 0; // masks over an object (in maskIndices), or a mask's parts
    PixelBox bounds;               // device pixels it may touch
};

// A piece of a clip layer: a shape, morph or text, through nested sprites.
struct MaskPart {
    uint16_t characterId = 0;
    uint16_t ratio = 0;
    Matrix transform;
    bool operator==(const MaskPart&) const = default;
};

struct DrawList {
    std::vector<DrawnItem> items;
    std::vector<uint32_t> maskIndices; // items that mask an object, by runs
    std::vector<MaskPart> parts;
    int width = 0, height = 0;
    bool antialias = true;
    Rgba background;
    bool valid = false;

    void clear();
    // Whether item i here draws the same pixels as item j of `other`.
    bool same(size_t i, const DrawList& other, size_t j) const;
};

class SceneWalker {
public:
    SceneWalker(const LoadedMovie& movie, ShapeCache& shapes)
        : m_movie(movie)
        , m_shapes(shapes)
    {
    }
    // O(k) for k objects, plus each shape's geometry the first time it is seen.
    void walk(const Clip& root, const Matrix& stage, double stageScale, DrawList& out);

private:
    void walkClip(const Clip& clip, const Matrix& t, const ColorTransform& cx, int nesting);
    void walkMask(const DisplayObject& o, const Matrix& t, PixelBox& bounds, int nesting);
    PixelBox deviceBounds(const DisplayObject& o, const Character& c, const Matrix& t);
    const Bounds& textBounds(uint16_t id, const Text& text);

    const LoadedMovie& m_movie;
    ShapeCache& m_shapes;
    std::map<uint16_t, Bounds> m_textBounds;
    DrawList* m_out = nullptr;
    double m_stageScale = 1;
    struct OpenMask {
        uint16_t untilDepth;
        uint32_t item;
    };
    std::vector<OpenMask> m_openMasks;
    int m_cachedDepth = 0; // inside this many objects drawn as pictures of their own
    // The open masks are the run [first, first + count) of maskIndices.
    bool m_noted = false;
    uint32_t m_notedFirst = 0, m_notedCount = 0;
};

PixelBox unite(const PixelBox& a, const PixelBox& b);
bool isEmpty(const PixelBox& b);

} // namespace yelvanis::swf::render
