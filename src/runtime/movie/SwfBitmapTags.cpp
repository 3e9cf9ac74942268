#include "runtime/movie/SwfTagReaders.h"
#include "runtime/movie/SwfTags.h"

#include <zlib.h>

namespace yelvanis::swf {

namespace {

// Inflates what a bitmap needs, never more than `want` bytes, handing them
// to `sink` a piece at a time; returns how many came. Memory grows with the
// data actually there, so a few bytes claiming a huge picture cost nothing.
template <class Sink>
size_t inflateInto(SwfStream& s, const uint8_t* in, size_t inSize, size_t want, Sink&& sink)
{
    z_stream z {};
    if (inflateInit(&z) != Z_OK)
        s.fail("zlib cannot start");
    z.next_in = const_cast<Bytef*>(in);
    z.avail_in = uInt(std::min<size_t>(inSize, UINT32_MAX));
    uint8_t chunk[64 * 1024];
    size_t total = 0;
    int rc = Z_OK;
    while (total < want && rc == Z_OK) {
        z.next_out = chunk;
        z.avail_out = uInt(std::min<size_t>(sizeof chunk, want - total));
        uInt room = z.avail_out;
        rc = inflate(&z, Z_SYNC_FLUSH);
        size_t got = room - z.avail_out;
        sink(chunk, got);
        total += got;
        if (got == 0 && rc == Z_OK)
            break;
    }
    inflateEnd(&z);
    if (rc != Z_OK && rc != Z_STREAM_END && rc != Z_BUF_ERROR)
        s.fail("corrupt zlib data in bitmap");
    if (total < want - want / 10)
        s.fail("bitmap data too short for its size");
    return total;
}

std::vector<uint8_t> inflateBounded(SwfStream& s, const uint8_t* in, size_t inSize, size_t want)
{
    std::vector<uint8_t> out;
    out.reserve(std::min<size_t>(want, size_t(1) << 20));
    inflateInto(s, in, inSize, want, [&](const uint8_t* p, size_t n) { out.insert(out.end(), p, p + n); });
    out.resize(want, 0); // a short tail stays transparent
    return out;
}

void checkSize(SwfStream& s, ReadContext& ctx, uint64_t w, uint64_t h)
{
    const ReadLimits& l = ctx.limits;
    if (w == 0 || h == 0)
        s.fail("bitmap of zero size");
    if (w > l.maxBitmapSide || h > l.maxBitmapSide || w * h > l.maxBitmapPixels)
        s.fail("bitmap of " + std::to_string(w) + "x" + std::to_string(h) + " exceeds the limit");
    if (ctx.pixelsUsed + w * h > l.maxTotalPixels)
        s.fail("bitmaps of the movie exceed the pixel budget");
    ctx.pixelsUsed += w * h;
}

uint32_t premultiply(uint8_t a, uint8_t r, uint8_t g, uint8_t b)
{
    // Colour channels never exceed alpha in premultiplied data.
    r = std::min(r, a);
    g = std::min(g, a);
    b = std::min(b, a);
    return (uint32_t(a) << 24) | (uint32_t(r) << 16) | (uint32_t(g) << 8) | b;
}

// Joins the shared tables with one image's data into a plain JPEG stream,
// dropping the stray end/start marker pair that many files carry.
std::vector<uint8_t> cleanJpeg(const uint8_t* data, size_t size, const std::vector<uint8_t>* tables)
{
    auto stripBogusHeader = [](const uint8_t*& p, size_t& n) {
        if (n >= 4 && p[0] == 0xFF && p[1] == 0xD9 && p[2] == 0xFF && p[3] == 0xD8) {
            p += 4;
            n -= 4;
        }
    };
    stripBogusHeader(data, size);
    std::vector<uint8_t> out;
    if (tables && tables->size() > 4) {
        const uint8_t* t = tables->data();
        size_t tn = tables->size();
        stripBogusHeader(t, tn);
        // tables: SOI ... EOI; image: SOI ... EOI. Keep SOI of the tables, drop its EOI and the image's SOI.
        if (tn >= 2 && t[tn - 2] == 0xFF && t[tn - 1] == 0xD9)
            tn -= 2;
        out.assign(t, t + tn);
        if (size >= 2 && data[0] == 0xFF && data[1] == 0xD8) {
            data += 2;
            size -= 2;
        }
        out.insert(out.end(), data, data + size);
    } else {
        out.assign(data, data + size);
    }
    // Some encoders put an EOI/SOI pair in the middle as well.
    for (size_t i = 2; i + 4 <= out.size(); ++i) {
        if (out[i] == 0xFF && out[i + 1] == 0xD9 && out[i + 2] == 0xFF && out[i + 3] == 0xD8) {
            out.erase(out.begin() + long(i), out.begin() + long(i) + 4);
            break;
        }
    }
    return out;
}

} // namespace

void readJpegTables(SwfStream& s, ReadContext& ctx)
{
    ctx.jpegTables.assign(s.current(), s.current() + s.remaining());
}

void readDefineBits(SwfStream& s, uint16_t code, ReadContext& ctx)
{
    uint16_t id = s.u16();
    Bitmap b;
    b.kind = Bitmap::Kind::Encoded;
    size_t imageSize = s.remaining();
    if (code == tag::DefineBitsJpeg3 || code == tag::DefineBitsJpeg4) {
        imageSize = s.u32();
        if (code == tag::DefineBitsJpeg4)
            s.u16(); // deblocking
        if (imageSize > s.remaining())
            s.fail("image data runs past the tag");
    }
    const uint8_t* image = s.current();
    bool isJpeg = imageSize >= 2 && ((image[0] == 0xFF && image[1] == 0xD8) || (image[0] == 0xFF && image[1] == 0xD9));
    if (code == tag::DefineBits)
        b.encoded = cleanJpeg(image, imageSize, &ctx.jpegTables);
    else if (isJpeg)
        b.encoded = cleanJpeg(image, imageSize, nullptr);
    else
        b.encoded.assign(image, image + imageSize); // PNG or GIF
    s.skip(imageSize);
    if ((code == tag::DefineBitsJpeg3 || code == tag::DefineBitsJpeg4) && isJpeg && s.remaining() > 0) {
        // The alpha plane's size follows from the picture, which only the image
        // decoder knows: inflate up to the largest bitmap allowed and let the
        // decoder side match it.
        std::vector<uint8_t> alpha;
        z_stream z {};
        if (inflateInit(&z) == Z_OK) {
            z.next_in = const_cast<Bytef*>(s.current());
            z.avail_in = uInt(std::min<size_t>(s.remaining(), UINT32_MAX));
            uint8_t chunk[16384];
            int rc = Z_OK;
            while (rc == Z_OK) {
                z.next_out = chunk;
                z.avail_out = sizeof chunk;
                rc = inflate(&z, Z_NO_FLUSH);
                size_t got = sizeof chunk - z.avail_out;
                if (alpha.size() + got > ctx.limits.maxBitmapPixels)
                    break;
                alpha.insert(alpha.end(), chunk, chunk + got);
                if (got == 0)
                    break;
            }
            inflateEnd(&z);
        }
        b.alpha = std::move(alpha);
    }
    ctx.movie.characters[id] = std::move(b);
}

void readDefineBitsLossless(SwfStream& s, int losslessVersion, ReadContext& ctx)
{
    uint16_t id = s.u16();
    uint8_t format = s.u8();
    uint32_t w = s.u16();
    uint32_t h = s.u16();
    bool alpha = losslessVersion == 2;
    if (format != 3 && format != 4 && format != 5)
        s.fail("unknown lossless bitmap format " + std::to_string(format));
    checkSize(s, ctx, w, h);
    Bitmap b;
    b.kind = Bitmap::Kind::Pixels;
    b.width = w;
    b.height = h;
    if (format == 3) {
        uint32_t colors = uint32_t(s.u8()) + 1;
        size_t entry = alpha ? 4 : 3;
        size_t stride = (w + 3) & ~size_t(3);
        std::vector<uint8_t> raw = inflateBounded(s, s.current(), s.remaining(), colors * entry + stride * h);
        b.pixels.assign(size_t(w) * h, 0);
        std::vector<uint32_t> palette(256, 0);
        for (uint32_t i = 0; i < colors; ++i) {
            const uint8_t* c = raw.data() + i * entry;
            palette[i] = alpha ? premultiply(c[3], c[0], c[1], c[2]) : premultiply(255, c[0], c[1], c[2]);
        }
        const uint8_t* px = raw.data() + colors * entry;
        for (uint32_t y = 0; y < h; ++y)
            for (uint32_t x = 0; x < w; ++x) {
                uint8_t index = px[y * stride + x];
                b.pixels[size_t(y) * w + x] = index < colors ? palette[index] : 0;
            }
    } else if (format == 4) {
        size_t stride = (size_t(w) * 2 + 3) & ~size_t(3);
        std::vector<uint8_t> raw = inflateBounded(s, s.current(), s.remaining(), stride * h);
        b.pixels.assign(size_t(w) * h, 0);
        for (uint32_t y = 0; y < h; ++y)
            for (uint32_t x = 0; x < w; ++x) {
                const uint8_t* p = raw.data() + y * stride + x * 2;
                uint16_t v = uint16_t((p[0] << 8) | p[1]);
                auto expand = [](uint32_t c) { return uint8_t((c << 3) | (c >> 2)); };
                b.pixels[size_t(y) * w + x] = premultiply(255, expand((v >> 10) & 31), expand((v >> 5) & 31), expand(v & 31));
            }
    } else {
        // Straight into the pixels, without the inflated bytes held beside them.
        uint8_t carry[4];
        size_t carried = 0;
        auto put = [alpha](const uint8_t* p) { return premultiply(alpha ? p[0] : 255, p[1], p[2], p[3]); };
        inflateInto(s, s.current(), s.remaining(), size_t(w) * h * 4, [&](const uint8_t* p, size_t n) {
            if (b.pixels.empty())
                b.pixels.reserve(size_t(w) * h); // data is there: room for all of it at once
            for (; carried && n; --n) {
                carry[carried++] = *p++;
                if (carried == 4) {
                    b.pixels.push_back(put(carry));
                    carried = 0;
                }
            }
            const size_t at = b.pixels.size(), quads = n / 4;
            b.pixels.resize(at + quads);
            uint32_t* out = b.pixels.data() + at;
            for (size_t i = 0; i < quads; ++i)
                out[i] = put(p + 4 * i);
            for (p += 4 * quads, n -= 4 * quads; n; --n)
                carry[carried++] = *p++;
        });
        b.pixels.resize(size_t(w) * h, 0); // a short tail stays transparent
    }
    ctx.movie.characters[id] = std::move(b);
}

} // namespace yelvanis::swf
