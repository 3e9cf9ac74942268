#pragma once

// Plain data that mirrors what an SWF file holds. No Qt here: the reader,
// the geometry builder and the timeline player share these types, and the
// fuzz target links them without a GUI.

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace yelvanis::swf {

struct Rgba {
    uint8_t r = 0, g = 0, b = 0, a = 255;
    bool operator==(const Rgba&) const = default;
};

// Twips (1/20 pixel) throughout.
struct Rect {
    int32_t xMin = 0, xMax = 0, yMin = 0, yMax = 0;
    int32_t width() const { return xMax - xMin; }
    int32_t height() const { return yMax - yMin; }
};

// x' = a*x + c*y + tx, y' = b*x + d*y + ty
struct Matrix {
    double a = 1, b = 0, c = 0, d = 1, tx = 0, ty = 0;
    Matrix operator*(const Matrix& inner) const
    {
        // this applied after inner
        return { a * inner.a + c * inner.b, b * inner.a + d * inner.b,
                 a * inner.c + c * inner.d, b * inner.c + d * inner.d,
                 a * inner.tx + c * inner.ty + tx, b * inner.tx + d * inner.ty + ty };
    }
    bool operator==(const Matrix&) const = default;
};

// Multiply terms are 8.8 fixed point (256 is 1.0), add terms in colour units.
struct ColorTransform {
    int32_t rMul = 256, gMul = 256, bMul = 256, aMul = 256;
    int32_t rAdd = 0, gAdd = 0, bAdd = 0, aAdd = 0;
    bool isIdentity() const
    {
        return rMul == 256 && gMul == 256 && bMul == 256 && aMul == 256 && rAdd == 0 && gAdd == 0 && bAdd == 0 && aAdd == 0;
    }
    // this applied after inner
    ColorTransform operator*(const ColorTransform& inner) const;
    Rgba apply(Rgba c) const;
    bool operator==(const ColorTransform&) const = default;
};

struct GradientStop {
    uint8_t ratio = 0;
    Rgba color;
};

struct Gradient {
    enum class Spread : uint8_t { Pad, Reflect, Repeat };
    Spread spread = Spread::Pad;
    bool linearRgb = false;
    double focal = 0; // -1..1, only for focal radial fills
    std::vector<GradientStop> stops;
};

struct FillStyle {
    enum class Kind : uint8_t { Solid, Linear, Radial, Focal, Bitmap };
    Kind kind = Kind::Solid;
    Rgba color;
    Matrix matrix; // gradient or bitmap space to shape space
    Gradient gradient;
    uint16_t bitmapId = 0;
    bool repeat = true;
    bool smooth = true;
};

struct LineStyle {
    enum class Cap : uint8_t { Round, None, Square };
    enum class Join : uint8_t { Round, Bevel, Miter };
    uint16_t width = 0; // twips
    Rgba color;
    Cap startCap = Cap::Round, endCap = Cap::Round;
    Join join = Join::Round;
    double miterLimit = 3;
    bool noHScale = false, noVScale = false, noClose = false;
    std::optional<FillStyle> fill; // newer line styles may be filled
};

struct Point {
    double x = 0, y = 0;
    bool operator==(const Point&) const = default;
};

struct StyleTables {
    std::vector<FillStyle> fills;
    std::vector<LineStyle> lines;
};

// One record of a shape's edge list, in absolute twips coordinates.
struct ShapeRecord {
    enum class Kind : uint8_t { Style, Line, Curve };
    Kind kind = Kind::Style;
    // Style change
    bool hasMove = false;
    bool hasFill0 = false, hasFill1 = false, hasLine = false;
    uint32_t fill0 = 0, fill1 = 0, line = 0; // 1-based, 0 = none
    std::shared_ptr<const StyleTables> newStyles; // styles replaced from here on
    // Edge: from the pen to `to`, through `control` for curves; for a
    // style record with a move, `to` is the new pen position.
    Point control;
    Point to;
};

struct Shape {
    Rect bounds;
    std::vector<FillStyle> fills;
    std::vector<LineStyle> lines;
    std::vector<ShapeRecord> records;
    bool windingRule = false;
};

struct MorphShape {
    Rect startBounds, endBounds;
    // Start and end styles pair up index by index.
    std::vector<FillStyle> startFills, endFills;
    std::vector<LineStyle> startLines, endLines;
    std::vector<ShapeRecord> startRecords, endRecords;
};

struct Bitmap {
    enum class Kind : uint8_t { Encoded, Pixels };
    Kind kind = Kind::Pixels;
    // Encoded: JPEG, PNG or GIF bytes ready for an image decoder, plus an
    // optional alpha plane (one byte a pixel, already inflated).
    std::vector<uint8_t> encoded;
    std::vector<uint8_t> alpha;
    // Pixels: premultiplied ARGB, one uint32 a pixel, row after row.
    uint32_t width = 0, height = 0;
    std::vector<uint32_t> pixels;
};

struct Glyph {
    std::vector<ShapeRecord> records;
    double advance = 0; // font units, when the font has a layout
};

struct Font {
    std::string name;
    bool bold = false, italic = false;
    bool emSquare20 = false; // glyph coordinates at 20 times resolution
    std::vector<Glyph> glyphs;
    std::vector<uint16_t> codes; // glyph index to character code
    double ascent = 0, descent = 0, leading = 0;
    bool hasLayout = false;
    double unitsPerEm() const { return emSquare20 ? 1024.0 * 20.0 : 1024.0; }
};

struct TextGlyph {
    uint32_t index = 0;
    int32_t advance = 0;
};

struct TextRun {
    uint16_t fontId = 0;
    Rgba color;
    double x = 0, y = 0; // twips, in text space
    double height = 0;   // twips
    std::vector<TextGlyph> glyphs;
};

struct Text {
    Rect bounds;
    Matrix matrix;
    std::vector<TextRun> runs;
};

struct EditText {
    Rect bounds;
    bool hasText = false, wordWrap = false, multiline = false, password = false;
    bool border = false, html = false, useOutlines = false, autoSize = false;
    bool hasFont = false, hasColor = false, hasLayout = false;
    uint16_t fontId = 0;
    std::string fontClass;
    uint16_t fontHeight = 240;
    Rgba color { 0, 0, 0, 255 };
    uint8_t align = 0; // 0 left, 1 right, 2 centre, 3 justify
    uint16_t leftMargin = 0, rightMargin = 0, indent = 0;
    int16_t leading = 0;
    std::string variableName;
    std::string initialText;
};

struct Timeline;

struct Sprite {
    std::shared_ptr<Timeline> timeline;
};

using Character = std::variant<std::monostate, Shape, MorphShape, Bitmap, Font, Text, EditText, Sprite>;

struct PlaceObject {
    uint16_t depth = 0;
    bool move = false; // modifies the object already at the depth
    std::optional<uint16_t> characterId;
    std::optional<Matrix> matrix;
    std::optional<ColorTransform> colorTransform;
    std::optional<uint16_t> ratio;
    std::optional<uint16_t> clipDepth;
    std::optional<std::string> name;
    std::optional<bool> visible;
    std::optional<bool> cacheAsBitmap; // PlaceObject3: drawn once into a picture of its own
};

struct RemoveObject {
    uint16_t depth = 0;
};

struct Action {
    enum class Kind : uint8_t { Stop, Play, NextFrame, PrevFrame, GotoFrame, GotoLabel };
    Kind kind = Kind::Stop;
    uint32_t frame = 0; // 0-based
    std::string label;
};

struct DoAction {
    std::vector<Action> actions;
};

struct SetBackground {
    Rgba color;
};

using ControlTag = std::variant<PlaceObject, RemoveObject, DoAction, SetBackground>;

struct Frame {
    std::vector<ControlTag> tags;
    std::string label;
};

struct Timeline {
    std::vector<Frame> frames;
    std::map<std::string, uint32_t> labels; // label to 0-based frame
};

struct Header {
    char signature[4] = { 0, 0, 0, 0 };
    uint8_t version = 0;
    uint32_t fileLength = 0;
    Rect stage;
    double frameRate = 0;
    uint16_t frameCount = 0;
};

struct TagInfo {
    uint16_t code = 0;
    uint32_t offset = 0; // of the tag header in the decompressed file
    uint32_t length = 0;
    int nesting = 0;     // 1 inside a sprite
    std::optional<uint16_t> characterId;
};

struct Movie {
    Header header;
    std::optional<Rgba> background;
    bool as3 = false;
    std::map<uint16_t, Character> characters;
    Timeline timeline;
    std::vector<TagInfo> tags;
    std::vector<std::string> warnings; // tolerated oddities, with where

    const Character* character(uint16_t id) const
    {
        auto it = characters.find(id);
        return it == characters.end() ? nullptr : &it->second;
    }
};

const char* tagName(uint16_t code);

} // namespace yelvanis::swf
