#pragma once

#include "screens/rulers/FactCard.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The rulers family as data: the gallery's portrait tiles and one record per
// ruler screen. The template functions in Gallery.cpp and RulerScreen.cpp
// turn them into definitions.
namespace yelvanis::screens::rulers {

// Left, top, width, height in twips.
struct Box {
    int left = 0, top = 0, width = 0, height = 0;
};
// Left, top in twips; the size comes from a picture.
struct Spot {
    int left = 0, top = 0;
};
struct PixelSize {
    int width = 0, height = 0;
};

// One portrait tile of the gallery: its image, the name label under it and
// the ruler screen it opens. `file` names the ruler's content files.
struct Tile {
    int row = 0, column = 0;
    const char* image = "";
    Spot imageAt;
    PixelSize portrait;
    const char* label = "";
    const char* caption = "";
    Box labelBox;
    const char* opens = "";
    const char* file = "";
};

enum class Variant { TwoBoxes, OneBox };

// A ruler screen's member-table row.
struct Member {
    int tile = 0; // the gallery tile that opens it, in reign order
    const char* id = "";
    std::uint32_t back = 0; // #RRGGBB
    int clientWidth = 0, clientHeight = 0;
    Variant variant = Variant::TwoBoxes;
    std::optional<PixelSize> tughra; // none on the founder's screen
    std::vector<const char*> nameLines;
};

// A ruler screen's geometry-table row; `Label1` and `Image2` lie in `Frame1`.
struct Geometry {
    Box frame, card, upperHeading, upperBody;
    std::optional<Box> lowerHeading, lowerBody; // two-box variant only
    Box nameLabel, closeLabel;
    Spot portrait;
    std::optional<Spot> tughra;
};

struct Headings {
    const char* upper = "";
    const char* lower = ""; // empty on the one-box variant
};

struct RulerRecord {
    Member member;
    Geometry geometry;
    Headings headings;
    Facts facts;
    // Content file with the fields the record leaves open, "Key: value" lines.
    const char* factsFile = nullptr;
    // Whether the Tab key stops at the text boxes.
    bool textBoxTabStops = false;
    // The close label's GoTo target; none: the label closes its screen.
    const char* closeGoesTo = nullptr;
};

// The 36 tiles in order, `Image1` first.
const std::vector<Tile>& galleryTiles();
// The 36 ruler screens in reign order.
const std::vector<RulerRecord>& rulerRecords();

// The tile with that number (1 to 36); throws std::out_of_range otherwise.
const Tile& tile(int number);

// Content paths of a ruler's pictures and text bodies.
std::string portraitPicture(const Tile& t);
std::string tughraPicture(const Tile& t);
std::string upperBodyText(const Tile& t);
std::string lowerBodyText(const Tile& t);

} // namespace yelvanis::screens::rulers
