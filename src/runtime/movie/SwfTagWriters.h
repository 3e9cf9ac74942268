#pragma once

// Writers of the tag families, the mirror of SwfTagReaders.h. Each writes one
// whole tag (header included) of the version asked for, or throws WriteError
// naming the character or frame when the data does not fit that tag.

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "runtime/movie/SwfBitWriter.h"
#include "runtime/movie/SwfWriter.h"
#include "runtime/movie/SwfTypes.h"

namespace yelvanis::swf {

struct WriteContext {
    // Ids already written; a reference to any other id is refused. Null: no check.
    const std::set<uint16_t>* defined = nullptr;
    uint8_t version = 0; // of the file; 0: any tag goes
    void need(uint16_t id, const std::string& user) const;
    // Refuses a tag newer than the file's version.
    void allow(uint16_t code, const std::string& user) const;
};

std::string where(const char* what, uint16_t id);

// Shapes (SwfShapeWriter.cpp) and morph shapes (SwfMorphWriter.cpp)
int shapeVersionFor(const Shape& s); // 3, or 4 where a style or the winding rule needs it
void writeDefineShape(BitWriter& out, uint16_t id, const Shape& s, int shapeVersion, const WriteContext& ctx);
int morphVersionFor(const MorphShape& m);
void writeDefineMorphShape(BitWriter& out, uint16_t id, const MorphShape& m, int morphVersion, const WriteContext& ctx);
// Style fields shared by shapes and morphs: the fill type byte, a gradient's
// spread/interpolation/count byte, the focal point's 8.8 field, and the flag
// bits of a line style 2 (only such a line carries caps, joins, flags, fills).
uint8_t fillType(const FillStyle& f);
uint8_t gradientHead(const Gradient& g, size_t count);
int16_t focalField(double focal);
bool plainLine(const LineStyle& l);
bool plainLines(const std::vector<LineStyle>& lines);
void lineFlags(BitWriter& w, const LineStyle& l);
// Edge records of a glyph or a shape, fill and line index widths first.
void writeShapeRecords(BitWriter& w, const std::vector<ShapeRecord>& records, size_t fillCount, size_t lineCount,
                       int shapeVersion, const WriteContext& ctx, const std::string& user);

// Bitmaps (SwfBitmapWriter.cpp)
uint16_t bitmapTagFor(const Bitmap& b);
void writeBitmap(BitWriter& out, uint16_t code, uint16_t id, const Bitmap& b);
std::vector<uint8_t> deflateBytes(const std::vector<uint8_t>& in);

// Fonts and text (SwfTextWriter.cpp)
void writeDefineFont(BitWriter& out, uint16_t id, const Font& f, const WriteContext& ctx);
void writeDefineFont23(BitWriter& out, uint16_t id, const Font& f, int fontVersion, const WriteContext& ctx);
int textVersionFor(const Text& t);
void writeDefineText(BitWriter& out, uint16_t id, const Text& t, int textVersion, const WriteContext& ctx);
void writeDefineEditText(BitWriter& out, uint16_t id, const EditText& e, const WriteContext& ctx);

// Display list, actions and sprites (SwfDisplayWriter.cpp)
int placeVersionFor(const PlaceObject& p);
void writePlaceObject(BitWriter& out, const PlaceObject& p, int placeVersion, const WriteContext& ctx, const std::string& user);
void writeRemoveObject(BitWriter& out, const RemoveObject& r, int removeVersion, const std::string& user);
void writeDoAction(BitWriter& out, const DoAction& a, const std::string& user);
void writeControlTag(BitWriter& out, uint16_t code, const ControlTag& t, const WriteContext& ctx, const std::string& user);
void writeTimeline(BitWriter& out, const Timeline& t, const WriteContext& ctx, const std::string& owner);
void writeDefineSprite(BitWriter& out, uint16_t id, const Sprite& s, const WriteContext& ctx);

} // namespace yelvanis::swf
