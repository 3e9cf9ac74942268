#pragma once

namespace yelvanis {

// Layouts are made for 96 pixels per inch: 1440 twips per inch.
inline constexpr int kTwipsPerPixel = 15;

constexpr int twipsToPixels(int twips)
{
    // Round half away from zero, so negative positions round like positive ones.
    return twips >= 0 ? (twips + kTwipsPerPixel / 2) / kTwipsPerPixel
                      : -((-twips + kTwipsPerPixel / 2) / kTwipsPerPixel);
}

} // namespace yelvanis
