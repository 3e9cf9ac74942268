#include <algorithm>
#include <cmath>
#include <iterator>
#include <vector>

#include "runtime/movie/render/PaintKinds.h"

namespace yelvanis::swf::render {

namespace {

// Linear RGB as the player's renderings show it: sRGB's own transfer curve
// (the format names "linear RGB" without giving one), with linear light held
// in 8 bits, blends truncated to those 8 bits, and the way back to sRGB
// truncated too. Dark blends come out in coarse steps, as the player's do.
double srgbToLinear(double c)
{
    c /= 255;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double linearToSrgb(double l)
{
    return l <= 0.0031308 ? l * 12.92 : 1.055 * std::pow(l, 1 / 2.4) - 0.055;
}

struct LinearTables {
    std::array<uint8_t, 256> toLinear {}, fromLinear {};
};

const LinearTables& linearTables()
{
    static const LinearTables tables = [] {
        LinearTables t;
        for (int i = 0; i < 256; ++i) {
            t.toLinear[size_t(i)] = uint8_t(std::lround(srgbToLinear(i) * 255));
            t.fromLinear[size_t(i)] = uint8_t(std::clamp(linearToSrgb(i / 255.0) * 255 + 1e-6, 0.0, 255.0));
        }
        return t;
    }();
    return tables;
}

// A stop's colour premultiplied, channels 0..255 (in 8-bit linear light when
// the gradient blends there), so that a fade to a transparent stop keeps the
// hue of the visible one.
struct Premul {
    float r = 0, g = 0, b = 0, a = 0;
};

Premul premul(Rgba c, bool linear)
{
    const float a = c.a / 255.0f;
    if (!linear)
        return { c.r * a, c.g * a, c.b * a, float(c.a) };
    const auto& lin = linearTables().toLinear;
    return { lin[c.r] * a, lin[c.g] * a, lin[c.b] * a, float(c.a) };
}

Premul mix(const Premul& p, const Premul& q, float t)
{
    return { p.r + (q.r - p.r) * t, p.g + (q.g - p.g) * t, p.b + (q.b - p.b) * t, p.a + (q.a - p.a) * t };
}

// `lin` is given when the gradient blends in linear light.
Pixel encode(const Premul& p, const LinearTables* lin)
{
    const int a = std::min(int(p.a + 0.5f), 255);
    if (a <= 0)
        return 0;
    if (!lin) {
        auto channel = [a](float v) { return uint32_t(std::clamp(int(v + 0.5f), 0, a)); };
        return (uint32_t(a) << 24) | (channel(p.r) << 16) | (channel(p.g) << 8) | channel(p.b);
    }
    // Straight again, truncated to 8-bit linear light (the small margin keeps
    // a blend that lands on a whole value from falling below it), back to
    // sRGB, premultiplied again.
    const float unpremultiply = 255 / p.a;
    auto channel = [&](float v) {
        const int straight = std::clamp(int(v * unpremultiply + 1e-3f), 0, 255);
        return uint32_t((lin->fromLinear[size_t(straight)] * a + 127) / 255);
    };
    return (uint32_t(a) << 24) | (channel(p.r) << 16) | (channel(p.g) << 8) | channel(p.b);
}

} // namespace

// Stops are taken in file order, each advancing a cursor along the 256
// entries; the format's description says nothing of stops whose ratio
// repeats or goes backwards. What the player does, as its renderings show:
// such a stop takes the entry after the previous stop's (ratio + 1, or later
// if that one was pushed on too), and that entry holds the previous stop's
// colour, so a run of k stops at one ratio shows the first k - 1 of them one
// entry each. The blend towards the next stop still starts from the stop's
// own ratio, so the entries just after a run are already part-way along it.
// A stop pushed past 255 has no entry left and is never seen. The format
// asks for at least one stop; a gradient without any is filled with opaque
// black, as the player fills it, under the colour transform like any fill.
Ramp buildRamp(const Gradient& gradient, const ColorTransform& cx)
{
    Ramp ramp {};
    const auto& stops = gradient.stops;
    if (stops.empty()) {
        ramp.fill(premultiply(cx.apply({ 0, 0, 0, 255 })));
        return ramp;
    }
    const bool linear = gradient.linearRgb;
    const LinearTables* lin = linear ? &linearTables() : nullptr;
    // The format allows 15 stops; a longer list is still taken whole.
    Premul few[16];
    std::vector<Premul> many;
    Premul* colours = few;
    if (stops.size() > std::size(few)) {
        many.resize(stops.size());
        colours = many.data();
    }
    for (size_t i = 0; i < stops.size(); ++i)
        colours[i] = premul(cx.apply(stops[i].color), linear);

    int end = stops.front().ratio; // the last entry written so far
    std::fill(ramp.begin(), ramp.begin() + end + 1, encode(colours[0], lin));
    for (size_t i = 1; i < stops.size() && end < 255; ++i) {
        const int r0 = stops[i - 1].ratio, r1 = stops[i].ratio;
        const int next = std::min(std::max(r1, end + 1), 255);
        const float perRatio = r1 > r0 ? 1.0f / float(r1 - r0) : 0.0f;
        for (int e = end + 1; e <= next; ++e) {
            const float t = std::min(float(e - r0) * perRatio, 1.0f);
            ramp[size_t(e)] = encode(mix(colours[i - 1], colours[i], t), lin);
        }
        end = next;
    }
    std::fill(ramp.begin() + end + 1, ramp.end(), encode(colours[stops.size() - 1], lin));
    return ramp;
}

} // namespace yelvanis::swf::render
