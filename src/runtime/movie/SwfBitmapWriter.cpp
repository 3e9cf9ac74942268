#include "runtime/movie/SwfTagWriters.h"
#include "runtime/movie/SwfTags.h"

#include <algorithm>
#include <unordered_map>
#include <zlib.h>

namespace yelvanis::swf {

namespace {

bool isJpeg(const std::vector<uint8_t>& b)
{
    return b.size() >= 2 && b[0] == 0xFF && (b[1] == 0xD8 || b[1] == 0xD9);
}

bool opaque(const Bitmap& b)
{
    return std::all_of(b.pixels.begin(), b.pixels.end(), [](uint32_t p) { return (p >> 24) == 0xff; });
}

void writeEncoded(BitWriter& out, uint16_t code, uint16_t id, const Bitmap& b, const std::string& user)
{
    if (b.encoded.empty())
        throw WriteError(user + ": no picture data");
    BitWriter w;
    w.u16(id);
    if (code == tag::DefineBitsJpeg2) {
        if (!b.alpha.empty())
            throw WriteError(user + ": an alpha plane needs DefineBitsJPEG3");
        w.bytes(b.encoded);
        out.tag(code, w.take());
        return;
    }
    if (!b.alpha.empty() && !isJpeg(b.encoded))
        throw WriteError(user + ": an alpha plane goes with JPEG data only");
    w.u32(uint32_t(b.encoded.size()));
    if (code == tag::DefineBitsJpeg4)
        w.u16(0); // no deblocking
    w.bytes(b.encoded);
    if (!b.alpha.empty())
        w.bytes(deflateBytes(b.alpha));
    out.tag(code, w.take());
}

// Up to 256 colours go out as a palette, more as 32-bit pixels.
void writeLossless(BitWriter& out, uint16_t code, uint16_t id, const Bitmap& b, const std::string& user)
{
    if (b.kind != Bitmap::Kind::Pixels || b.width == 0 || b.height == 0 || b.width > 65535 || b.height > 65535
        || b.pixels.size() != size_t(b.width) * b.height)
        throw WriteError(user + ": pixels do not match the size");
    bool withAlpha = code == tag::DefineBitsLossless2;
    if (!withAlpha && !opaque(b))
        throw WriteError(user + ": transparent pixels need DefineBitsLossless2");
    std::unordered_map<uint32_t, uint8_t> index;
    std::vector<uint32_t> palette;
    bool paletted = true;
    for (uint32_t p : b.pixels) {
        if (index.count(p))
            continue;
        if (palette.size() == 256) {
            paletted = false;
            break;
        }
        index[p] = uint8_t(palette.size());
        palette.push_back(p);
    }
    std::vector<uint8_t> raw;
    if (paletted) {
        for (uint32_t p : palette) {
            raw.push_back(uint8_t(p >> 16));
            raw.push_back(uint8_t(p >> 8));
            raw.push_back(uint8_t(p));
            if (withAlpha)
                raw.push_back(uint8_t(p >> 24));
        }
        size_t stride = (b.width + 3) & ~size_t(3);
        for (uint32_t y = 0; y < b.height; ++y) {
            for (uint32_t x = 0; x < b.width; ++x)
                raw.push_back(index[b.pixels[size_t(y) * b.width + x]]);
            raw.insert(raw.end(), stride - b.width, 0);
        }
    } else {
        for (uint32_t p : b.pixels) {
            raw.push_back(withAlpha ? uint8_t(p >> 24) : 0xff);
            raw.push_back(uint8_t(p >> 16));
            raw.push_back(uint8_t(p >> 8));
            raw.push_back(uint8_t(p));
        }
    }
    BitWriter w;
    w.u16(id);
    w.u8(paletted ? 3 : 5);
    w.u16(uint16_t(b.width));
    w.u16(uint16_t(b.height));
    if (paletted)
        w.u8(uint8_t(palette.size() - 1));
    w.bytes(deflateBytes(raw));
    out.tag(code, w.take());
}

} // namespace

std::vector<uint8_t> deflateBytes(const std::vector<uint8_t>& in)
{
    uLongf size = compressBound(uLong(in.size()));
    std::vector<uint8_t> out(size);
    if (compress2(out.data(), &size, in.data(), uLong(in.size()), 9) != Z_OK)
        throw WriteError("zlib failed");
    out.resize(size);
    return out;
}

uint16_t bitmapTagFor(const Bitmap& b)
{
    if (b.kind == Bitmap::Kind::Encoded)
        return b.alpha.empty() ? tag::DefineBitsJpeg2 : tag::DefineBitsJpeg3;
    return opaque(b) ? tag::DefineBitsLossless : tag::DefineBitsLossless2;
}

void writeBitmap(BitWriter& out, uint16_t code, uint16_t id, const Bitmap& b)
{
    std::string user = where("bitmap", id);
    switch (code) {
    case tag::DefineBitsJpeg2:
    case tag::DefineBitsJpeg3:
    case tag::DefineBitsJpeg4:
        if (b.kind != Bitmap::Kind::Encoded)
            throw WriteError(user + ": decoded pixels go in a lossless bitmap tag");
        writeEncoded(out, code, id, b, user);
        return;
    case tag::DefineBitsLossless:
    case tag::DefineBitsLossless2:
        writeLossless(out, code, id, b, user);
        return;
    default:
        // DefineBits would need the shared JPEG tables, which a movie does not keep apart.
        throw WriteError(user + ": cannot be written as " + tagName(code));
    }
}

} // namespace yelvanis::swf
