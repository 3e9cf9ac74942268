#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace yelvanis::stream {

// The initial settings of a stream player, under the player's own property
// names and in the order its stored record holds them. Strings are UTF-8
// here and UTF-16LE in the record.
struct PlayerSettings {
    std::string url;
    double rate = 1.0;
    std::int32_t balance = 0;
    double currentPosition = 0.0; // seconds
    std::string defaultFrame;
    std::int32_t playCount = 1;
    bool autoStart = true;
    std::int32_t currentMarker = 0;
    bool invokeURLs = true;
    std::string baseURL;
    std::int32_t volume = 50; // 0 to 100
    bool mute = false;
    std::string uiMode = "full";
    bool stretchToFit = false;
    bool windowlessVideo = false;
    bool enabled = true;
    bool enableContextMenu = true;
    bool fullScreen = false;
    std::string samiStyle;
    std::string samiLang;
    std::string samiFilename;
    std::string captioningID;
    bool enableErrorDialogs = false;
    // The player's size in HIMETRIC (hundredths of a millimetre).
    std::int32_t extentWidth = 0;
    std::int32_t extentHeight = 0;

    bool operator==(const PlayerSettings&) const = default;
};

// The stored record: four header bytes, each setting as a 2-byte variant
// type code and its value, then the extent, all little-endian.
std::vector<std::uint8_t> encodeRecord(const PlayerSettings& settings);

// Reads a stored record. Empty when the record is malformed; then *error,
// if given, says what and at which byte offset. Any non-zero boolean reads
// as true; anything else that differs from the layout is refused.
std::optional<PlayerSettings> decodeRecord(const std::vector<std::uint8_t>& record, std::string* error = nullptr);

// Twips (1440 per inch) to HIMETRIC (2540 per inch), rounded to the nearest.
constexpr std::int32_t himetricFromTwips(std::int32_t twips)
{
    const std::int64_t scaled = std::int64_t(twips) * 2540;
    return std::int32_t(scaled >= 0 ? (scaled + 720) / 1440 : -((-scaled + 720) / 1440));
}

} // namespace yelvanis::stream
