#pragma once

#include <cstdint>
#include <string>

namespace yelvanis {

// The system colours that the screens use, by their platform index.
enum class SystemColour : std::uint8_t {
    WindowText = 8,
    ActiveTitleBarText = 9,
    HighlightText = 14,
    ButtonFace = 15,
    ButtonText = 18,
};

// One 32-bit value: 0x00BBGGRR for an RGB colour, or the top bit set and the
// system colour's index in the low byte.
struct Colour {
    std::uint32_t value = 0;

    static constexpr std::uint32_t kSystemBit = 0x80000000u;

    // From the #RRGGBB notation written as 0xRRGGBB.
    static constexpr Colour rgb(std::uint32_t rrggbb)
    {
        const std::uint32_t r = (rrggbb >> 16) & 0xFF, g = (rrggbb >> 8) & 0xFF, b = rrggbb & 0xFF;
        return Colour{(b << 16) | (g << 8) | r};
    }
    static constexpr Colour system(SystemColour c)
    {
        return Colour{kSystemBit | static_cast<std::uint32_t>(c)};
    }

    constexpr bool isSystem() const { return (value & kSystemBit) != 0; }
    constexpr SystemColour systemColour() const { return static_cast<SystemColour>(value & 0xFF); }
    constexpr std::uint8_t red() const { return value & 0xFF; }
    constexpr std::uint8_t green() const { return (value >> 8) & 0xFF; }
    constexpr std::uint8_t blue() const { return (value >> 16) & 0xFF; }
    // 0xRRGGBB of an RGB colour, or of the system colour's fixed value.
    std::uint32_t resolvedRgb() const;

    constexpr bool operator==(const Colour&) const = default;
};

// Fixed values so the screens look as designed under any desktop theme.
std::uint32_t systemColourRgb(SystemColour c);
// "#RRGGBB" or "system:window-text" and so on.
std::string toString(Colour c);
const char* systemColourName(SystemColour c);

} // namespace yelvanis
