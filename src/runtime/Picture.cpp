#include "runtime/Picture.h"

#include <cstdint>

namespace yelvanis {

namespace {

unsigned u8(std::string_view b, size_t i) { return static_cast<unsigned char>(b[i]); }
unsigned le16(std::string_view b, size_t i) { return u8(b, i) | (u8(b, i + 1) << 8); }
unsigned be16(std::string_view b, size_t i) { return (u8(b, i) << 8) | u8(b, i + 1); }
std::uint32_t le32(std::string_view b, size_t i) { return le16(b, i) | (std::uint32_t(le16(b, i + 2)) << 16); }

std::optional<PictureInfo> readGif(std::string_view b)
{
    if (b.size() < 13)
        return std::nullopt;
    PictureInfo info;
    info.format = PictureFormat::Gif;
    info.width = int(le16(b, 6));
    info.height = int(le16(b, 8));
    size_t pos = 13;
    const unsigned flags = u8(b, 10);
    if (flags & 0x80)
        pos += 3u * (1u << ((flags & 7) + 1));
    int frames = 0;
    // Walk the blocks to count images and find a transparent colour.
    while (pos < b.size()) {
        const unsigned tag = u8(b, pos);
        if (tag == 0x3B)
            break;
        if (tag == 0x21) {
            if (pos + 2 >= b.size())
                return std::nullopt;
            const unsigned label = u8(b, pos + 1);
            size_t p = pos + 2;
            if (label == 0xF9 && p + 1 < b.size() && u8(b, p) >= 4 && (u8(b, p + 1) & 1))
                info.transparentColour = true;
            while (p < b.size() && u8(b, p) != 0)
                p += 1 + u8(b, p);
            pos = p + 1;
        } else if (tag == 0x2C) {
            if (pos + 10 > b.size())
                return std::nullopt;
            ++frames;
            const unsigned iflags = u8(b, pos + 9);
            size_t p = pos + 10;
            if (iflags & 0x80)
                p += 3u * (1u << ((iflags & 7) + 1));
            p += 1; // LZW minimum code size
            while (p < b.size() && u8(b, p) != 0)
                p += 1 + u8(b, p);
            pos = p + 1;
        } else {
            return std::nullopt;
        }
    }
    if (frames == 0)
        return std::nullopt;
    info.singleFrame = frames == 1;
    return info;
}

std::optional<PictureInfo> readJpeg(std::string_view b)
{
    size_t pos = 2;
    while (pos + 4 <= b.size()) {
        if (u8(b, pos) != 0xFF)
            return std::nullopt;
        const unsigned marker = u8(b, pos + 1);
        if (marker == 0xFF) {
            ++pos;
            continue;
        }
        if (marker == 0xD8 || (marker >= 0xD0 && marker <= 0xD7) || marker == 0x01) {
            pos += 2;
            continue;
        }
        const unsigned len = be16(b, pos + 2);
        const bool sof = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (sof) {
            if (pos + 9 > b.size())
                return std::nullopt;
            PictureInfo info;
            info.format = PictureFormat::Jpeg;
            info.height = int(be16(b, pos + 5));
            info.width = int(be16(b, pos + 7));
            return info;
        }
        pos += 2 + len;
    }
    return std::nullopt;
}

std::optional<PictureInfo> readIco(std::string_view b)
{
    const unsigned count = le16(b, 4);
    if (count == 0 || b.size() < 6 + 16u * count)
        return std::nullopt;
    PictureInfo info;
    info.format = PictureFormat::Ico;
    for (unsigned i = 0; i < count; ++i) {
        const size_t e = 6 + 16u * i;
        IconImage img;
        img.width = u8(b, e) ? int(u8(b, e)) : 256;
        img.height = u8(b, e + 1) ? int(u8(b, e + 1)) : 256;
        img.bitsPerPixel = int(le16(b, e + 6));
        const std::uint32_t size = le32(b, e + 8), offset = le32(b, e + 12);
        if (offset > b.size() || size > b.size() - offset)
            return std::nullopt;
        // The bitmap header inside holds the true size; the directory's bytes
        // cannot say 240 apart from 256 on their own.
        if (size >= 16 && le32(b, offset) == 40) {
            img.width = int(le32(b, offset + 4));
            img.height = int(le32(b, offset + 8)) / 2;
            img.bitsPerPixel = int(le16(b, offset + 14));
        }
        info.images.push_back(img);
    }
    info.width = info.images.front().width;
    info.height = info.images.front().height;
    return info;
}

} // namespace

const char* formatName(PictureFormat f)
{
    switch (f) {
    case PictureFormat::Gif: return "gif";
    case PictureFormat::Jpeg: return "jpeg";
    case PictureFormat::Ico: return "ico";
    }
    return "unknown";
}

std::optional<PictureInfo> readPictureInfo(std::string_view b)
{
    if (b.size() >= 6 && (b.substr(0, 6) == "GIF87a" || b.substr(0, 6) == "GIF89a"))
        return readGif(b);
    if (b.size() >= 3 && u8(b, 0) == 0xFF && u8(b, 1) == 0xD8 && u8(b, 2) == 0xFF)
        return readJpeg(b);
    if (b.size() >= 6 && le16(b, 0) == 0 && le16(b, 2) == 1)
        return readIco(b);
    return std::nullopt;
}

} // namespace yelvanis
