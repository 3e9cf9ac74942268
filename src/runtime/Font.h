#pragma once

#include <cstdint>
#include <string>

namespace yelvanis {

// Character sets that the definitions store with their fonts.
enum Charset : std::uint8_t { kWestern = 0, kTurkish = 162, kOem = 255 };

struct Font {
    std::string face = "MS Sans Serif";
    std::int32_t size = 82500; // ten-thousandths of a point
    int weight = 400;
    bool italic = false;
    bool underline = false;
    std::uint8_t charset = kTurkish;

    double points() const { return size / 10000.0; }
    bool bold() const { return weight >= 700; }
    bool operator==(const Font&) const = default;
};

// Points to the stored unit: pt(9.75) == 97500.
constexpr std::int32_t pt(double points) { return static_cast<std::int32_t>(points * 10000.0 + 0.5); }

// "MS Sans Serif" 8.25 pt, normal: what labels, buttons and frames get when
// their definition names no font.
Font defaultFont();

} // namespace yelvanis
