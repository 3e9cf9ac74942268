#include <algorithm>
#include <cmath>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "runtime/movie/render/PaintKinds.h"

namespace yelvanis::swf::render {

namespace {

// Bitmap coordinates in fixed point with 32 fraction bits; a row restarts
// from exact arithmetic every kChunk pixels, which keeps the rounding of the
// step under 1e-6 pixel and every sum far from overflowing.
constexpr int kShift = 32;
constexpr int64_t kOne = int64_t(1) << kShift;
constexpr int kChunk = 4096;
constexpr double kFarPixels = double(1 << 24); // coordinates held within +-2^24 pixels
constexpr double kFarStep = double(1 << 16);   // and steps within +-2^16 pixels a pixel

int64_t toFixed(double v, double limit)
{
    return int64_t(std::clamp(v, -limit, limit) * double(kOne));
}

// The colour transform on premultiplied pixels: back to the straight colour,
// each channel through its table, premultiplied again. An opaque texel, the
// usual kind, needs no division: its channels go through tables that give
// the premultiplied result directly.
struct ColourTables {
    uint8_t r[256], g[256], b[256], a[256];
    uint32_t reciprocal[256]; // 255 / alpha in 16.16
    uint32_t opaqueR[256], opaqueG[256], opaqueB[256]; // already premultiplied and in place

    static uint32_t div255(uint32_t x) { return (x + 128 + ((x + 128) >> 8)) >> 8; }

    explicit ColourTables(const ColorTransform& cx)
    {
        for (int i = 0; i < 256; ++i) {
            const Rgba c = cx.apply({ uint8_t(i), uint8_t(i), uint8_t(i), uint8_t(i) });
            r[i] = c.r, g[i] = c.g, b[i] = c.b, a[i] = c.a;
            reciprocal[i] = i ? uint32_t((255u << 16) / unsigned(i)) : 0;
        }
        const uint32_t alpha = a[255];
        for (int i = 0; i < 256; ++i) {
            opaqueR[i] = (alpha << 24) | (div255(r[i] * alpha) << 16);
            opaqueG[i] = div255(g[i] * alpha) << 8;
            opaqueB[i] = div255(b[i] * alpha);
        }
    }
    Pixel apply(Pixel p) const
    {
        const uint32_t alpha = p >> 24;
        if (alpha == 255)
            return opaqueR[(p >> 16) & 0xff] | opaqueG[(p >> 8) & 0xff] | opaqueB[p & 0xff];
        const uint32_t inv = reciprocal[alpha];
        auto straight = [&](uint32_t c) { return std::min<uint32_t>(255, (c * inv + 0x8000) >> 16); };
        const uint32_t na = a[alpha];
        const uint32_t nr = div255(r[straight((p >> 16) & 0xff)] * na);
        const uint32_t ng = div255(g[straight((p >> 8) & 0xff)] * na);
        const uint32_t nb = div255(b[straight(p & 0xff)] * na);
        return (na << 24) | (nr << 16) | (ng << 8) | nb;
    }
};

// p + (q - p) * w / 256 on all four channels at once, rounded.
inline Pixel lerp(Pixel p, Pixel q, uint32_t w)
{
    const uint32_t rb = ((p & 0x00ff00ff) * (256 - w) + (q & 0x00ff00ff) * w + 0x00800080) >> 8;
    const uint32_t ag = (((p >> 8) & 0x00ff00ff) * (256 - w) + ((q >> 8) & 0x00ff00ff) * w + 0x00800080) >> 8;
    return (rb & 0x00ff00ff) | ((ag & 0x00ff00ff) << 8);
}

// Four texels blended: across by wu (0..255), then down by wv. The SSE2
// form does the same sums, so both give the same pixels; it is the inner
// loop of every smoothed bitmap.
inline Pixel bilinear(Pixel p00, Pixel p10, Pixel p01, Pixel p11, uint32_t wu, uint32_t wv)
{
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128(), half = _mm_set1_epi16(128);
    // Eight 16-bit lanes: the top row's channels low, the bottom row's high.
    const __m128i left = _mm_unpacklo_epi8(_mm_unpacklo_epi32(_mm_cvtsi32_si128(int(p00)), _mm_cvtsi32_si128(int(p01))), zero);
    const __m128i right = _mm_unpacklo_epi8(_mm_unpacklo_epi32(_mm_cvtsi32_si128(int(p10)), _mm_cvtsi32_si128(int(p11))), zero);
    const __m128i across = _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(_mm_mullo_epi16(left, _mm_set1_epi16(short(256 - wu))),
                                                                      _mm_mullo_epi16(right, _mm_set1_epi16(short(wu)))),
                                                        half),
                                          8);
    const short top = short(256 - wv), bottom = short(wv);
    const __m128i weighted = _mm_mullo_epi16(across, _mm_set_epi16(bottom, bottom, bottom, bottom, top, top, top, top));
    const __m128i down = _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(weighted, _mm_srli_si128(weighted, 8)), half), 8);
    return Pixel(_mm_cvtsi128_si32(_mm_packus_epi16(down, down)));
#else
    return lerp(lerp(p00, p10, wu), lerp(p01, p11, wu), wv);
#endif
}

class BitmapPaint final : public Paint {
public:
    // `inv` maps device pixels to bitmap pixels: u = a x + c y + tx, v = b x + d y + ty.
    BitmapPaint(const BitmapView& bits, const Matrix& inv, bool repeat, bool smooth, const ColorTransform& cx)
        : m_bits(bits), m_inv(inv), m_repeat(repeat), m_smooth(smooth)
    {
        if (!cx.isIdentity())
            m_tables = std::make_unique<ColourTables>(cx);
        m_opaque = bits.opaque && (!m_tables || m_tables->a[255] == 255);
    }

    void shade(int y, int x0, int x1, Pixel* out) const override
    {
        const int mode = (m_smooth ? 4 : 0) | (m_repeat ? 2 : 0) | (m_tables ? 1 : 0);
        switch (mode) {
        case 0: return run<false, false, false>(y, x0, x1, out);
        case 1: return run<false, false, true>(y, x0, x1, out);
        case 2: return run<false, true, false>(y, x0, x1, out);
        case 3: return run<false, true, true>(y, x0, x1, out);
        case 4: return run<true, false, false>(y, x0, x1, out);
        case 5: return run<true, false, true>(y, x0, x1, out);
        case 6: return run<true, true, false>(y, x0, x1, out);
        default: return run<true, true, true>(y, x0, x1, out);
        }
    }
    bool opaque() const override { return m_opaque; }

private:
    template <bool Smooth, bool Repeat, bool Transform>
    void run(int y, int x0, int x1, Pixel* out) const
    {
        const int64_t spanU = int64_t(m_bits.width) << kShift, spanV = int64_t(m_bits.height) << kShift;
        int64_t du = toFixed(m_inv.a, kFarStep), dv = toFixed(m_inv.b, kFarStep);
        if constexpr (Repeat) {
            // Steps taken modulo the bitmap's size, so one subtraction keeps a coordinate in range.
            du = ((du % spanU) + spanU) % spanU;
            dv = ((dv % spanV) + spanV) % spanV;
        }
        // Bilinear samples blend the four texels around the point half a texel up and left.
        const double shift = Smooth ? 0.5 : 0.0;
        for (int start = x0; start < x1; start += kChunk) {
            const int end = std::min(x1, start + kChunk);
            double u = m_inv.a * (start + 0.5) + m_inv.c * (y + 0.5) + m_inv.tx - shift;
            double v = m_inv.b * (start + 0.5) + m_inv.d * (y + 0.5) + m_inv.ty - shift;
            if constexpr (Repeat) {
                u -= std::floor(u / m_bits.width) * m_bits.width;
                v -= std::floor(v / m_bits.height) * m_bits.height;
            }
            int64_t fu = toFixed(u, kFarPixels), fv = toFixed(v, kFarPixels);
            if constexpr (Repeat) {
                // floor() above can round up to the very end.
                fu = std::clamp<int64_t>(fu, 0, spanU - 1);
                fv = std::clamp<int64_t>(fv, 0, spanV - 1);
            }
            for (int x = start; x < end; ++x) {
                *out++ = sample<Smooth, Repeat, Transform>(fu, fv);
                fu += du;
                fv += dv;
                if constexpr (Repeat) {
                    fu -= fu >= spanU ? spanU : 0;
                    fv -= fv >= spanV ? spanV : 0;
                }
            }
        }
    }

    template <bool Transform>
    Pixel texel(int i, int j) const
    {
        const Pixel p = m_bits.pixels[size_t(j) * size_t(m_bits.stride) + size_t(i)];
        if constexpr (Transform)
            return m_tables->apply(p);
        return p;
    }

    template <bool Smooth, bool Repeat, bool Transform>
    Pixel sample(int64_t fu, int64_t fv) const
    {
        const int w = m_bits.width, h = m_bits.height;
        int i = int(fu >> kShift), j = int(fv >> kShift);
        if constexpr (!Smooth) {
            // A clipped fill stretches its edge texels outward.
            if constexpr (!Repeat) {
                i = std::clamp(i, 0, w - 1);
                j = std::clamp(j, 0, h - 1);
            }
            return texel<Transform>(i, j);
        } else {
            const uint32_t wu = uint32_t(fu >> (kShift - 8)) & 0xff, wv = uint32_t(fv >> (kShift - 8)) & 0xff;
            int i1 = i + 1, j1 = j + 1;
            if constexpr (Repeat) {
                i1 = i1 == w ? 0 : i1;
                j1 = j1 == h ? 0 : j1;
            } else {
                i = std::clamp(i, 0, w - 1), i1 = std::clamp(i1, 0, w - 1);
                j = std::clamp(j, 0, h - 1), j1 = std::clamp(j1, 0, h - 1);
            }
            return bilinear(texel<Transform>(i, j), texel<Transform>(i1, j), texel<Transform>(i, j1),
                            texel<Transform>(i1, j1), wu, wv);
        }
    }

    BitmapView m_bits;
    Matrix m_inv;
    std::unique_ptr<ColourTables> m_tables;
    bool m_repeat, m_smooth;
    bool m_opaque = false;
};

} // namespace

// A missing bitmap draws nothing, as the QPainter path did with no brush; the
// format's description does not say. A bitmap squashed to a line or a point
// covers no area of its own, and is not drawn either.
std::unique_ptr<Paint> makeBitmapPaint(const FillStyle& style, const Matrix& toDevice, const ColorTransform& cx,
                                       const BitmapView* bitmap, bool smoothing)
{
    if (!bitmap || !bitmap->pixels || bitmap->width <= 0 || bitmap->height <= 0 || bitmap->stride < bitmap->width)
        return makeSolidPaint(0);
    const Matrix& m = toDevice;
    const double det = m.a * m.d - m.b * m.c;
    if (!std::isfinite(det) || det == 0)
        return makeSolidPaint(0);
    const Matrix inv { m.d / det, -m.b / det, -m.c / det, m.a / det, (m.c * m.ty - m.d * m.tx) / det,
                       (m.b * m.tx - m.a * m.ty) / det };
    for (double v : { inv.a, inv.b, inv.c, inv.d, inv.tx, inv.ty })
        if (!(std::abs(v) < 1e12)) // thinner than 1e-12 of a pixel: flat
            return makeSolidPaint(0);
    // Drawn at its own size on whole pixels, every pixel centre is a texel
    // centre and smoothing would change nothing: sample the cheap way.
    const bool aligned = inv.a == 1 && inv.b == 0 && inv.c == 0 && inv.d == 1 && inv.tx == std::floor(inv.tx)
                         && inv.ty == std::floor(inv.ty);
    return std::make_unique<BitmapPaint>(*bitmap, inv, style.repeat, style.smooth && smoothing && !aligned, cx);
}

} // namespace yelvanis::swf::render
