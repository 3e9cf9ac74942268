#include "runtime/movie/render/DrawList.h"

#include <algorithm>
#include <cmath>

#include "runtime/movie/render/Outline.h"

namespace yelvanis::swf::render {

bool isEmpty(const PixelBox& b)
{
    return b.x1 <= b.x0 || b.y1 <= b.y0;
}

PixelBox unite(const PixelBox& a, const PixelBox& b)
{
    if (isEmpty(a))
        return b;
    if (isEmpty(b))
        return a;
    return { std::min(a.x0, b.x0), std::min(a.y0, b.y0), std::max(a.x1, b.x1), std::max(a.y1, b.y1) };
}

void DrawList::clear()
{
    items.clear();
    maskIndices.clear();
    parts.clear();
    valid = false;
}

bool DrawList::same(size_t i, const DrawList& other, size_t j) const
{
    const DrawnItem& a = items[i];
    const DrawnItem& b = other.items[j];
    if (a.mask != b.mask || a.cached != b.cached || a.characterId != b.characterId || a.ratio != b.ratio || a.count != b.count
        || !(a.transform == b.transform) || !(a.colorTransform == b.colorTransform) || a.bounds.x0 != b.bounds.x0
        || a.bounds.y0 != b.bounds.y0 || a.bounds.x1 != b.bounds.x1 || a.bounds.y1 != b.bounds.y1)
        return false;
    if (a.mask)
        return std::equal(parts.begin() + a.first, parts.begin() + a.first + a.count, other.parts.begin() + b.first);
    return std::equal(maskIndices.begin() + a.first, maskIndices.begin() + a.first + a.count, other.maskIndices.begin() + b.first);
}

const Bounds& SceneWalker::textBounds(uint16_t id, const Text& text)
{
    auto it = m_textBounds.find(id);
    if (it != m_textBounds.end())
        return it->second;
    Bounds bounds;
    forEachGlyph(*m_movie.movie, text, [&](const TextRun& run, uint32_t index, const Matrix& g) {
        if (const CachedShape* gs = m_shapes.glyph(run.fontId, index); gs && gs->bounds.valid) {
            bounds.include(Point { gs->bounds.x0 * g.a + g.tx, gs->bounds.y0 * g.d + g.ty });
            bounds.include(Point { gs->bounds.x1 * g.a + g.tx, gs->bounds.y1 * g.d + g.ty });
        }
    });
    return m_textBounds.emplace(id, bounds).first->second;
}

PixelBox SceneWalker::deviceBounds(const DisplayObject& o, const Character& c, const Matrix& t)
{
    Bounds local;
    Matrix at = t;
    double reach = 0; // of strokes, in local units
    if (std::holds_alternative<Shape>(c) || std::holds_alternative<MorphShape>(c)) {
        const CachedShape* shape = m_shapes.shape(o.characterId, o.ratio);
        if (!shape || shape->geometry.layers.empty() || !shape->bounds.valid)
            return {};
        local = shape->bounds;
        reach = shape->strokeReach;
    } else if (const auto* text = std::get_if<Text>(&c)) {
        local = textBounds(o.characterId, *text);
        at = t * text->matrix;
    } else if (const auto* edit = std::get_if<EditText>(&c)) {
        local = { double(edit->bounds.xMin), double(edit->bounds.yMin), double(edit->bounds.xMax), double(edit->bounds.yMax), true };
    } else if (std::holds_alternative<Bitmap>(c)) {
        auto it = m_movie.bitmaps.find(o.characterId);
        if (it == m_movie.bitmaps.end() || it->second.isNull())
            return {};
        local = { 0, 0, it->second.width() * 20.0, it->second.height() * 20.0, true };
    }
    if (!local.valid)
        return {};
    Bounds d;
    for (Point p : { Point { local.x0, local.y0 }, Point { local.x1, local.y0 }, Point { local.x0, local.y1 }, Point { local.x1, local.y1 } })
        d.include(map(at, p));
    // Strokes: the widest a stroke may get, scaled (the largest axis) or on
    // the device (the stage scale); two pixels more for coverage and smoothing.
    const double axis = std::sqrt(at.a * at.a + at.b * at.b + at.c * at.c + at.d * at.d);
    const double pad = 2 + reach * std::max(axis, m_stageScale);
    if (!std::isfinite(d.x0 - pad) || !std::isfinite(d.y0 - pad) || !std::isfinite(d.x1 + pad) || !std::isfinite(d.y1 + pad))
        return { 0, 0, m_out->width, m_out->height };
    auto clampTo = [](double v, int hi) { return int(std::clamp(v, 0.0, double(hi))); };
    PixelBox b { clampTo(std::floor(d.x0 - pad), m_out->width), clampTo(std::floor(d.y0 - pad), m_out->height),
                 clampTo(std::ceil(d.x1 + pad), m_out->width), clampTo(std::ceil(d.y1 + pad), m_out->height) };
    return isEmpty(b) ? PixelBox {} : b;
}

void SceneWalker::walkMask(const DisplayObject& o, const Matrix& t, PixelBox& bounds, int nesting)
{
    if (nesting > 32)
        return;
    const Character* c = m_movie.movie->character(o.characterId);
    if (!c)
        return;
    if (o.clip) {
        for (const auto& [depth, child] : o.clip->displayList)
            if (!child.clipDepth)
                walkMask(child, t * child.matrix, bounds, nesting + 1);
        return;
    }
    if (std::holds_alternative<Shape>(*c) || std::holds_alternative<MorphShape>(*c) || std::holds_alternative<Text>(*c)) {
        m_out->parts.push_back({ o.characterId, o.ratio, t });
        bounds = unite(bounds, deviceBounds(o, *c, t));
    }
}

void SceneWalker::walk(const Clip& root, const Matrix& stage, double stageScale, DrawList& out)
{
    m_out = &out;
    m_stageScale = stageScale;
    out.items.clear();
    out.maskIndices.clear();
    out.parts.clear();
    m_openMasks.clear();
    m_noted = false;
    m_cachedDepth = 0;
    walkClip(root, stage, ColorTransform {}, 0);
    m_out = nullptr;
}

void SceneWalker::walkClip(const Clip& clip, const Matrix& t, const ColorTransform& cx, int nesting)
{
    // A clip layer masks the depths up to its clip depth, whatever clip
    // layers open after it: each one closes on its own. Checking is O(1)
    // while none is due, a closing O(k) for the k open, and so is noting the
    // open ones for the next object: O(n k) at worst for n objects, k within
    // the player's object limit.
    const size_t masksBefore = m_openMasks.size();
    uint16_t firstClosing = UINT16_MAX;
    for (const auto& [depth, object] : clip.displayList) {
        if (depth > firstClosing) {
            m_openMasks.erase(std::remove_if(m_openMasks.begin() + ptrdiff_t(masksBefore), m_openMasks.end(),
                                             [at = depth](const OpenMask& m) { return at > m.untilDepth; }),
                              m_openMasks.end());
            firstClosing = UINT16_MAX;
            for (size_t i = masksBefore; i < m_openMasks.size(); ++i)
                firstClosing = std::min(firstClosing, m_openMasks[i].untilDepth);
            m_noted = false;
        }
        Matrix ot = t * object.matrix;
        if (object.cacheAsBitmap && !m_cachedDepth) {
            // Drawn as its own picture put on whole device pixels: the object
            // and everything in it moved by the same fraction to get there.
            ot.tx = std::isfinite(ot.tx) ? std::round(ot.tx) : ot.tx;
            ot.ty = std::isfinite(ot.ty) ? std::round(ot.ty) : ot.ty;
        }
        if (object.clipDepth) {
            DrawnItem mask;
            mask.mask = true;
            mask.characterId = object.characterId;
            mask.transform = ot;
            mask.first = uint32_t(m_out->parts.size());
            walkMask(object, ot, mask.bounds, 0);
            mask.count = uint32_t(m_out->parts.size()) - mask.first;
            m_openMasks.push_back({ object.clipDepth, uint32_t(m_out->items.size()) });
            firstClosing = std::min(firstClosing, object.clipDepth);
            m_noted = false;
            m_out->items.push_back(mask);
            continue;
        }
        if (!object.visible)
            continue;
        const ColorTransform ocx = cx * object.colorTransform;
        const bool cached = object.cacheAsBitmap || m_cachedDepth;
        if (object.clip) {
            if (nesting < 64) {
                m_cachedDepth += object.cacheAsBitmap;
                walkClip(*object.clip, ot, ocx, nesting + 1);
                m_cachedDepth -= object.cacheAsBitmap;
            }
            continue;
        }
        const Character* c = m_movie.movie->character(object.characterId);
        if (!c)
            continue;
        const PixelBox bounds = deviceBounds(object, *c, ot);
        if (isEmpty(bounds))
            continue;
        if (!m_noted) {
            m_noted = true;
            m_notedFirst = uint32_t(m_out->maskIndices.size());
            m_notedCount = uint32_t(m_openMasks.size());
            for (const OpenMask& m : m_openMasks)
                m_out->maskIndices.push_back(m.item);
        }
        DrawnItem item;
        item.characterId = object.characterId;
        item.ratio = object.ratio;
        item.transform = ot;
        item.colorTransform = ocx;
        item.first = m_notedFirst;
        item.count = m_notedCount;
        item.bounds = bounds;
        item.cached = cached;
        m_out->items.push_back(item);
    }
    if (m_openMasks.size() > masksBefore) {
        m_openMasks.resize(masksBefore);
        m_noted = false;
    }
}

} // namespace yelvanis::swf::render
