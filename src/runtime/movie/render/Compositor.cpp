#include "runtime/movie/render/Compositor.h"

#include <algorithm>

namespace yelvanis::swf::render {

namespace {

// Each channel times a / 255, rounded.
inline Pixel scale(Pixel p, uint32_t a)
{
    uint32_t rb = (p & 0x00ff00ffu) * a + 0x00800080u;
    rb = ((rb + ((rb >> 8) & 0x00ff00ffu)) >> 8) & 0x00ff00ffu;
    uint32_t ag = ((p >> 8) & 0x00ff00ffu) * a + 0x00800080u;
    ag = (ag + ((ag >> 8) & 0x00ff00ffu)) & 0xff00ff00u;
    return rb | ag;
}

inline Pixel over(Pixel dst, Pixel src)
{
    return src + scale(dst, 255 - (src >> 24));
}

inline uint32_t mul255(uint32_t a, uint32_t b)
{
    uint32_t t = a * b + 128;
    return (t + (t >> 8)) >> 8;
}

} // namespace

PixelBox clipTo(const PixelBox& box, const Canvas& canvas)
{
    PixelBox r { std::max(box.x0, 0), std::max(box.y0, 0), std::min(box.x1, canvas.width), std::min(box.y1, canvas.height) };
    if (r.x1 < r.x0)
        r.x1 = r.x0;
    if (r.y1 < r.y0)
        r.y1 = r.y0;
    return r;
}

CoverageMask emptyMask(const PixelBox& box)
{
    CoverageMask m;
    m.box = box;
    if (box.x1 > box.x0 && box.y1 > box.y0)
        m.alpha.assign(size_t(box.x1 - box.x0) * size_t(box.y1 - box.y0), 0);
    else
        m.box = { box.x0, box.y0, box.x0, box.y0 };
    return m;
}

CoverageMask intersect(const CoverageMask& a, const CoverageMask& b)
{
    CoverageMask m = emptyMask({ std::max(a.box.x0, b.box.x0), std::max(a.box.y0, b.box.y0), std::min(a.box.x1, b.box.x1),
                                 std::min(a.box.y1, b.box.y1) });
    const int w = m.box.x1 - m.box.x0;
    for (int y = m.box.y0; y < m.box.y1; ++y) {
        const uint8_t* ra = a.row(y) + (m.box.x0 - a.box.x0);
        const uint8_t* rb = b.row(y) + (m.box.x0 - b.box.x0);
        uint8_t* out = m.alpha.data() + size_t(y - m.box.y0) * size_t(w);
        for (int i = 0; i < w; ++i)
            out[i] = uint8_t(mul255(ra[i], rb[i]));
    }
    return m;
}

void MaskWriter::span(int y, int x0, int x1, const uint8_t* coverage, uint8_t uniform)
{
    if (y < m_mask.box.y0 || y >= m_mask.box.y1)
        return;
    const int from = std::max(x0, m_mask.box.x0), to = std::min(x1, m_mask.box.x1);
    uint8_t* row = m_mask.alpha.data() + size_t(y - m_mask.box.y0) * size_t(m_mask.box.x1 - m_mask.box.x0) - m_mask.box.x0;
    for (int x = from; x < to; ++x) {
        const uint32_t c = coverage ? coverage[x - x0] : uniform;
        row[x] = uint8_t(row[x] + c - mul255(row[x], c)); // the union of independent coverage
    }
}

void Compositor::span(int y, int x0, int x1, const uint8_t* coverage, uint8_t uniform)
{
    if (y < 0 || y >= m_canvas.height || (m_rows && !(*m_rows)[size_t(y)]))
        return;
    int from = std::max(x0, 0), to = std::min(x1, m_canvas.width);
    const uint8_t* maskRow = nullptr;
    if (m_mask) {
        if (y < m_mask->box.y0 || y >= m_mask->box.y1)
            return;
        from = std::max(from, m_mask->box.x0);
        to = std::min(to, m_mask->box.x1);
        maskRow = m_mask->row(y) - m_mask->box.x0;
    }
    if (from >= to)
        return;
    Pixel* dst = m_canvas.bits + size_t(y) * size_t(m_canvas.stride);
    // The weight of each pixel: its coverage, times the mask's.
    const uint8_t* weights = nullptr;
    uint32_t weight = uniform;
    if (coverage && !maskRow) {
        weights = coverage + (from - x0);
    } else if (maskRow) {
        m_weights.resize(size_t(to - from));
        for (int x = from; x < to; ++x) {
            uint32_t c = coverage ? coverage[x - x0] : uniform;
            m_weights[size_t(x - from)] = uint8_t(maskRow ? mul255(c, maskRow[x]) : c);
        }
        weights = m_weights.data();
    }
    if (m_uniform) {
        const Pixel c = m_colour;
        if (!weights && weight == 255) {
            if ((c >> 24) == 255)
                std::fill(dst + from, dst + to, c);
            else if (c)
                for (int x = from; x < to; ++x)
                    dst[x] = over(dst[x], c);
            return;
        }
        if (!weights) {
            const Pixel s = scale(c, weight);
            for (int x = from; x < to; ++x)
                dst[x] = over(dst[x], s);
            return;
        }
        for (int x = from; x < to; ++x) {
            const uint32_t w = weights[x - from];
            if (w == 255)
                dst[x] = over(dst[x], c);
            else if (w)
                dst[x] = over(dst[x], scale(c, w));
        }
        return;
    }
    if (!weights && weight == 255 && m_paint.opaque()) {
        m_paint.shade(y, from, to, dst + from); // covers what was there
        return;
    }
    m_shade.resize(size_t(to - from));
    m_paint.shade(y, from, to, m_shade.data());
    const Pixel* src = m_shade.data() - from;
    for (int x = from; x < to; ++x) {
        const uint32_t w = weights ? weights[x - from] : weight;
        const Pixel s = src[x];
        if (w == 255) {
            if ((s >> 24) == 255)
                dst[x] = s;
            else if (s)
                dst[x] = over(dst[x], s);
        } else if (w && s) {
            dst[x] = over(dst[x], scale(s, w));
        }
    }
}

} // namespace yelvanis::swf::render
