#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace yelvanis {

enum class PictureFormat { Gif, Jpeg, Ico };

struct IconImage {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
    bool operator==(const IconImage&) const = default;
};

// What a picture's own bytes say about it: format and pixel size, and for an
// icon every image it holds.
struct PictureInfo {
    PictureFormat format = PictureFormat::Gif;
    int width = 0;
    int height = 0;
    std::vector<IconImage> images;
    bool singleFrame = true;       // GIF: exactly one image
    bool transparentColour = false; // GIF: a graphic control block sets one
};

// Reads the header of a GIF, JPEG or ICO file. Empty for anything else or for
// data too short to hold what the header promises.
std::optional<PictureInfo> readPictureInfo(std::string_view bytes);

const char* formatName(PictureFormat f);

// A picture of the content, by its resource name (for example
// "main/giris.ico"). The bytes come from the content registry.
struct PictureRef {
    std::string resource;
    bool operator==(const PictureRef&) const = default;
};

} // namespace yelvanis
