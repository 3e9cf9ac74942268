#pragma once

// Sub-readers of the tag families. Each reads one tag's body from a stream
// bounded by the tag's length and adds what it found to the movie.

#include <cstdint>
#include <vector>

#include "runtime/movie/SwfReader.h"
#include "runtime/movie/SwfStream.h"

namespace yelvanis::swf {

struct ReadContext {
    Movie& movie;
    const ReadLimits& limits;
    std::vector<uint8_t> jpegTables;
    uint64_t pixelsUsed = 0;
    size_t shapeRecords = 0;
};

// Shapes and morph shapes (SwfShapeTags.cpp)
void readDefineShape(SwfStream& s, int shapeVersion, ReadContext& ctx);
void readDefineMorphShape(SwfStream& s, int morphVersion, ReadContext& ctx);
// Edge records of a glyph or a shape, fill and line index widths read first.
std::vector<ShapeRecord> readShapeRecords(SwfStream& s, int shapeVersion, ReadContext& ctx, std::vector<FillStyle>* fills,
                                          std::vector<LineStyle>* lines);
FillStyle readFillStyle(SwfStream& s, int shapeVersion);

// Bitmaps (SwfBitmapTags.cpp)
void readJpegTables(SwfStream& s, ReadContext& ctx);
void readDefineBits(SwfStream& s, uint16_t code, ReadContext& ctx);
void readDefineBitsLossless(SwfStream& s, int losslessVersion, ReadContext& ctx);

// Fonts and text (SwfTextTags.cpp)
void readDefineFont(SwfStream& s, ReadContext& ctx);
void readDefineFont23(SwfStream& s, int fontVersion, ReadContext& ctx);
void readDefineFontInfo(SwfStream& s, int infoVersion, ReadContext& ctx);
void readDefineText(SwfStream& s, int textVersion, ReadContext& ctx);
void readDefineEditText(SwfStream& s, ReadContext& ctx);

// Display list and actions (SwfDisplayTags.cpp)
PlaceObject readPlaceObject(SwfStream& s, int placeVersion);
RemoveObject readRemoveObject(SwfStream& s, int removeVersion);
DoAction readDoAction(SwfStream& s);
void readDefineButton(SwfStream& s, int buttonVersion, ReadContext& ctx);

} // namespace yelvanis::swf
