#include "SwfCases.h"

#include <QBuffer>
#include <QImage>

namespace yelvanis::swf::cases {

namespace {

using K = FillStyle::Kind;

const Rgba kRed { 255, 0, 0, 255 }, kGreen { 0, 255, 0, 255 }, kBlue { 0, 0, 255, 255 };

// Scale, rotation and skew together, each exact in 16.16.
const Matrix kTurned { 0.5, 0.25, -0.125, 0.75, 100, -50 };

Shape shape1()
{
    Shape s;
    s.bounds = { -20, 220, -20, 170 };
    s.fills = { solidFill({ 255, 128, 0, 255 }) };
    s.lines = { plainLine(20, kBlue) };
    s.records = { move(0, 0, 1, 1), lineTo(200, 0), lineTo(200, 100), lineTo(100, 150), curveTo(50, 150, 0, 100), lineTo(0, 0) };
    return s;
}

Shape shape2()
{
    Shape s;
    s.bounds = { 0, 400, 0, 300 };
    s.fills = { bitmapFill(5, { 20, 1.5, -1.5, 20, 10, -10 }, false, true), solidFill(kGreen) };
    auto layer = std::make_shared<StyleTables>();
    layer->fills = { solidFill({ 1, 2, 3, 255 }) };
    layer->lines = { plainLine(40, { 9, 8, 7, 255 }) };
    ShapeRecord restyle;
    restyle.newStyles = layer;
    s.records = { move(0, 0, 1, {}, 2), lineTo(400, 0), lineTo(400, 300), lineTo(0, 0), restyle, move(10, 10, {}, 1, 1),
                  lineTo(390, 290), lineTo(10, 10) };
    return s;
}

Shape shape3()
{
    Shape s;
    s.bounds = { -100, 1100, -100, 1100 };
    FillStyle radial = gradientFill(K::Radial, { 0.125, 0, 0, 0.125, 500, 500 }, { { 10, { 1, 2, 3, 4 } }, { 200, { 5, 6, 7, 8 } } });
    radial.gradient.spread = Gradient::Spread::Reflect;
    radial.gradient.linearRgb = true;
    s.fills = { gradientFill(K::Linear, kTurned, { { 0, kRed }, { 128, { 0, 255, 0, 128 } }, { 255, { 0, 0, 255, 0 } } }), radial };
    s.lines = { plainLine(1, { 7, 7, 7, 7 }) };
    s.records = { move(0, 0, 2, 1, 1), lineTo(1000, 0), lineTo(1000, 1000), curveTo(-60000, 500, 0, 0) };
    return s;
}

Shape shape4()
{
    Shape s;
    s.bounds = { -100, 1100, -100, 1100 };
    s.windingRule = true;
    FillStyle focal = gradientFill(K::Focal, { 0.25, 0, 0, 0.25, 500, 500 }, { { 0, kRed }, { 255, { 0, 0, 255, 64 } } });
    focal.gradient.spread = Gradient::Spread::Repeat;
    focal.gradient.linearRgb = true;
    focal.gradient.focal = -0.75;
    s.fills = { focal };
    LineStyle capped = plainLine(40, { 9, 9, 9, 255 });
    capped.startCap = LineStyle::Cap::None;
    capped.endCap = LineStyle::Cap::Square;
    capped.join = LineStyle::Join::Miter;
    capped.miterLimit = 2.5;
    capped.noHScale = true;
    capped.pixelHinting = true;
    capped.noClose = true;
    LineStyle filled = plainLine(60, { 200, 100, 50, 255 }); // a filled line reads its first stop's colour
    filled.join = LineStyle::Join::Bevel;
    filled.noVScale = true;
    filled.fill = gradientFill(K::Linear, kTurned, { { 0, { 200, 100, 50, 255 } }, { 255, kBlue } });
    s.lines = { capped, filled };
    s.records = { move(0, 0, 1, 1), lineTo(1000, 0), lineTo(1000, 1000), move(-100, -100, {}, 2), lineTo(1100, 1100) };
    return s;
}

MorphShape morph(int version)
{
    MorphShape m;
    m.startBounds = { 0, 100, 0, 100 };
    m.endBounds = { 0, 300, 0, 200 };
    FillStyle linearA = gradientFill(K::Linear, kTurned, { { 0, kRed }, { 255, kBlue } });
    FillStyle linearB = gradientFill(K::Linear, { 2, 0, 0, 1.5, 0, 0 }, { { 64, kGreen }, { 192, { 0, 0, 0, 0 } } });
    linearA.gradient.spread = linearB.gradient.spread = Gradient::Spread::Reflect;
    m.startFills = { solidFill(kRed), linearA, bitmapFill(5, { 20, 0, 0, 20, 0, 0 }, true, false) };
    m.endFills = { solidFill({ 0, 0, 255, 128 }), linearB, bitmapFill(5, { 40, 2, -2, 40, 100, 100 }, true, false) };
    m.startLines = { plainLine(20, { 0, 0, 0, 255 }) };
    m.endLines = { plainLine(80, { 255, 255, 255, 255 }) };
    if (version == 2) {
        FillStyle focalA = gradientFill(K::Focal, {}, { { 0, kRed }, { 255, kGreen } });
        FillStyle focalB = focalA;
        focalA.gradient.focal = 0.5;
        focalB.gradient.focal = -0.25;
        m.startFills = { focalA };
        m.endFills = { focalB };
        LineStyle a = plainLine(20, kRed), b = plainLine(60, kBlue);
        for (LineStyle* l : { &a, &b }) {
            l->startCap = LineStyle::Cap::None;
            l->endCap = LineStyle::Cap::Square;
            l->join = LineStyle::Join::Miter;
            l->miterLimit = 3;
            l->noHScale = true;
        }
        a.fill = solidFill(kRed);
        b.fill = solidFill(kBlue);
        m.startLines = { a };
        m.endLines = { b };
    }
    m.startRecords = { move(0, 0, 1, 1), lineTo(100, 0), curveTo(100, 100, 0, 100), lineTo(0, 0) };
    m.endRecords = { move(0, 0), lineTo(300, 0), curveTo(300, 200, 0, 200), lineTo(0, 0) };
    return m;
}

Bitmap pixels(uint32_t w, uint32_t h, std::vector<uint32_t> px)
{
    Bitmap b;
    b.width = w;
    b.height = h;
    b.pixels = std::move(px);
    return b;
}

Bitmap encoded(const char* hex, const char* alpha = "")
{
    Bitmap b;
    b.kind = Bitmap::Kind::Encoded;
    QByteArray e = QByteArray::fromHex(hex), a = QByteArray::fromHex(alpha);
    b.encoded.assign(e.begin(), e.end());
    b.alpha.assign(a.begin(), a.end());
    return b;
}

Font font(bool layout)
{
    Font f;
    f.glyphs = { Glyph { squareGlyph(), layout ? 550.0 : 0.0 }, Glyph { triangleGlyph(), layout ? 640.0 : 0.0 } };
    if (layout) {
        f.name = "Deneme";
        f.bold = true;
        f.hasLayout = true;
        f.ascent = 900;
        f.descent = 200;
        f.leading = -30;
        f.codes = { u'A', u'ğ' };
    }
    return f;
}

Text text(Rgba second)
{
    Text t;
    t.bounds = { 0, 3000, -400, 200 };
    t.matrix = { 1.5, 0, 0, 1.5, 100, 900 };
    TextRun first { 1, { 200, 0, 0, 255 }, 40, 200, 480, { { 0, 270 }, { 1, 310 }, { 0, -20 } } };
    TextRun next = first; // goes on where the first ended, one line lower
    next.y = 700;
    next.x = first.x + 270 + 310 - 20;
    next.glyphs = { { 1, 300 } };
    TextRun other { 2, second, 1500, 700, 600, { { 0, 1000 } } };
    t.runs = { first, next, other };
    return t;
}

EditText fullEditText()
{
    EditText e;
    e.bounds = { -40, 4000, -40, 800 };
    e.hasText = e.wordWrap = e.multiline = e.readOnly = e.hasColor = e.hasFont = true;
    e.autoSize = e.hasLayout = e.noSelect = e.border = e.wasStatic = e.html = e.useOutlines = true;
    e.maxLength = 40;
    e.fontId = 1;
    e.fontHeight = 360;
    e.color = { 10, 20, 30, 128 };
    e.align = 2;
    e.leftMargin = 20;
    e.rightMargin = 40;
    e.indent = 60;
    e.leading = -20;
    e.variableName = "ad";
    e.initialText = "<b>Merhaba</b>";
    return e;
}

Sprite sprite()
{
    auto t = std::make_shared<Timeline>();
    PlaceObject step;
    step.depth = 1;
    step.move = true;
    step.matrix = Matrix { 1, 0, 0, 1, 20, 0 };
    t->frames = { Frame { { place(1, 1) }, "yürü" }, Frame { { step }, {} },
                  Frame { { RemoveObject { 1, {} }, DoAction { { { Action::Kind::Stop, 0, {} } } } }, {} } };
    t->labels = { { "yürü", 0 } };
    return Sprite { t };
}

Sprite button(std::optional<ColorTransform> cx)
{
    auto t = std::make_shared<Timeline>();
    PlaceObject up = place(1, 1, { 1, 0, 0, 1, 40, 40 });
    up.colorTransform = cx;
    t->frames = { Frame { { up }, {} } };
    return Sprite { t };
}

PlaceObject everyField2()
{
    PlaceObject p = place(7, 3, { 1.5, -0.5, 0.25, 2, -400, 300 });
    p.move = true;
    p.colorTransform = transform({ 128, 64, 300, 200 }, { -20, 10, 255, 40 });
    p.ratio = 32768;
    p.name = "mehter";
    p.clipDepth = 12;
    return p;
}

PlaceObject everyField3()
{
    PlaceObject p = everyField2();
    p.className = "Sancak";
    p.blendMode = 3;
    p.cacheAsBitmap = true;
    p.visible = false;
    p.opaqueBackground = Rgba { 10, 20, 30, 255 };
    return p;
}

Movie withFont(Font f)
{
    return character(1, std::move(f));
}

} // namespace

const std::vector<Case>& table()
{
    using C = Case;
    static const std::vector<Case> rows {
        // Display list and frames
        { "SetBackgroundColor", 1, tag::SetBackgroundColor, C::Tags, C::ReadWrite, "4302102030",
          [] {
              Movie m = control(SetBackground { { 0x10, 0x20, 0x30, 255 } });
              m.background = Rgba { 0x10, 0x20, 0x30, 255 };
              return m;
          } },
        { "FrameLabel", 3, tag::FrameLabel, C::Tags, C::ReadWrite, "c70a6261c59f6c6100",
          [] {
              Movie m;
              m.timeline.frames = { Frame { {}, "başla" } };
              m.timeline.labels = { { "başla", 0 } };
              return m;
          } },
        { "FrameLabel as a named anchor", 6, tag::FrameLabel, C::Tags, C::ReadOnly, "c80a6261c59f6c610001",
          [] {
              Movie m;
              m.timeline.frames = { Frame { {}, "başla" } };
              m.timeline.labels = { { "başla", 0 } };
              return m;
          } },
        { "PlaceObject with a colour transform", 1, tag::PlaceObject, C::Tags, C::ReadWrite,
          "150101000200cd000008000194b0e8c84006402bf60000",
          [] {
              PlaceObject p = place(2, 1, { 2, 0, 0, 0.5, 20, -20 });
              p.colorTransform = transform({ 200, 256, 100, 256 }, { 10, -10, 0, 0 });
              return control(p);
          } },
        { "PlaceObject without a colour transform", 1, tag::PlaceObject, C::Tags, C::ReadWrite, "05010400010000",
          [] { return control(place(1, 4, { 1, 0, 0, 1, 0, 0 })); } },
        { "RemoveObject", 1, tag::RemoveObject, C::Tags, C::ReadWrite, "440109000300",
          [] { return control(RemoveObject { 3, 9 }); } },
        { "RemoveObject2", 3, tag::RemoveObject2, C::Tags, C::ReadWrite, "02072c01",
          [] { return control(RemoveObject { 300, {} }); } },
        { "PlaceObject2 with every field", 6, tag::PlaceObject2, C::Tags, C::ReadWrite, "a9067f07000300ccc00020000c2000100015382580e8801012c323ec028ff0a000806d6568746572000c00",
          [] { return control(everyField2()); } },
        { "PlaceObject2 moving by add terms only", 6, tag::PlaceObject2, C::Tags, C::ReadWrite, "8906090200a40000003fc0",
          [] {
              PlaceObject p;
              p.depth = 2;
              p.move = true;
              p.colorTransform = transform({ 256, 256, 256, 256 }, { 0, 0, 0, 255 });
              return control(p);
          } },
        { "PlaceObject3 with every field", 8, tag::PlaceObject3, C::Tags, C::ReadWrite,
          "b8117f6e070053616e63616b000300ccc00020000c2000100015382580e8801012c323ec028ff0a000806d6568746572"
          "000c000301000a141eff", [] { return control(everyField3()); } },
        { "PlaceObject3 with filters skipped", 8, tag::PlaceObject3, C::Tags, C::ReadOnly,
          "931102070100020001011010101010101010010201",
          [] {
              PlaceObject p = place(1, 2, {});
              p.matrix.reset();
              p.blendMode = 2;
              p.cacheAsBitmap = true;
              return control(p);
          } },
        { "DoAction", 3, tag::DoAction, C::Tags, C::ReadWrite, "12030706040581020009008c0500736f6e750000",
          [] {
              return control(DoAction { { { Action::Kind::Stop, 0, {} }, { Action::Kind::Play, 0, {} }, { Action::Kind::NextFrame, 0, {} },
                                          { Action::Kind::PrevFrame, 0, {} }, { Action::Kind::GotoFrame, 9, {} },
                                          { Action::Kind::GotoLabel, 0, "sonu" } } });
          } },
        { "DoAction skipping actions it does not play", 5, tag::DoAction, C::Tags, C::ReadOnly, "0a03960300006100061d0700",
          [] { return control(DoAction { { { Action::Kind::Play, 0, {} }, { Action::Kind::Stop, 0, {} } } }); } },
        // Shapes
        { "DefineShape", 1, tag::DefineShape, C::Tags, C::ReadWrite, "a40001004fb1b9ec55000100ff80000114000000ff11341ee32365936ce194b3804e9db33800",
          [] { return character(1, shape1()); } },
        { "DefineShape2 with a bitmap fill and new styles", 2, tag::DefineShape2, C::Tags, C::ReadWrite,
          "bf054200000002005000c800096002410500d94000050000326000280002aac00000ff0000201c13c0c870a59c670b51"
          "000100010203012800090807112caa57c57c4638d0974000",
          [] { return character(2, shape2()); } },
        { "DefineShape3 with gradients", 3, tag::DefineShape3, C::Tags, C::ReadWrite,
          "3f0855000000030067ce2267ce22600210c50000c000c1000380010c99c00300ff0000ff8000ff0080ff0000ff0012bd"
          "000200029f47d0520a01020304c80506070801010007070707213c0de47d1cafa2f88dc7f831d4c1fe0c00",
          [] { return character(3, shape3()); } },
        { "DefineShape4 with a focal gradient and line styles 2", 8, tag::DefineShape4, C::Tags, C::ReadWrite,
          "ff1460000000040067ce2267ce226067ce2267ce2260040113c100010000a7d1f49200ff0000ffff0000ff4040ff0228"
          "0065068002090909ff3c001a0010c50000c000c1000380010c99c00200c86432ffff0000ffff12341791f472be825139"
          "39754b04b000",
          [] { return character(4, shape4()); } },
        { "DefineMorphShape", 3, tag::DefineMorphShape, C::Tags, C::ReadWrite,
          "bf0b8600000006004003200320500096000640670000000300ff0000ff0000ff8010c50000c000c1000380010c99c0cd"
          "0000180000004200ff0000ff4000ff00ffff0000ffffc000000000420500d9400005000000dd40000280000cd0000600"
          "004323200114005000000000ffffffffff21340f6192600649c00d99c00000041c09650001916a001bb38000",
          [] { return character(6, morph(1)); } },
        { "DefineMorphShape2", 8, tag::DefineMorphShape2, C::Tags, C::ReadWrite,
          "3f1567000000060040032003205000960006404003200320500096000640003c000000011300000200ff0000ff00ff00"
          "00ffff00ff00ffff00ff00ff8000c0ff0114003c006c02000300ff0000ff0000ffff11341ec324c00c93801b33800000"
          "041c09650001916a001bb38000", [] { return character(6, morph(2)); } },
        // Bitmaps
        { "DefineBitsLossless of a few colours", 2, tag::DefineBitsLossless, C::Tags, C::ReadWrite,
          "1d05050003030002000278dafbcfc0c0f01f8c199918981819180027080304",
          [] { return character(5, pixels(3, 2, { 0xffff0000, 0xff00ff00, 0xff0000ff, 0xff0000ff, 0xff00ff00, 0xffff0000 })); } },
        { "DefineBitsLossless2 of a few colours", 3, tag::DefineBitsLossless2, C::Tags, C::ReadWrite,
          "2509050003020002000378da73606068600081ff0cff05140c1c18181918989819180032d40365",
          [] { return character(5, pixels(2, 2, { 0x80400000, 0x00000000, 0xff00ff00, 0x40102030 })); } },
        { "DefineBitsLossless of 15-bit pixels", 2, tag::DefineBitsLossless, C::Tags, C::ReadOnly,
          "13050500040200010078daab6160890700025b00e0",
          [] { return character(5, pixels(2, 1, { 0xffff0000, 0xff0810ff })); } },
        { "DefineBitsLossless2 of 32-bit pixels", 3, tag::DefineBitsLossless2, C::Tags, C::ReadOnly,
          "17090500050200010078da6b705010f8cff09f01000cd202ef",
          [] { return character(5, pixels(2, 1, { 0x80402010, 0xff00ff00 })); } },
        { "DefineBitsJPEG2", 2, tag::DefineBitsJpeg2, C::Tags, C::ReadWrite, "4d050500ffd8ffdb00030aff00ffd9",
          [] { return character(5, encoded("ffd8ffdb00030aff00ffd9")); } },
        { "DefineBitsJPEG2 with a stray marker pair", 2, tag::DefineBitsJpeg2, C::Tags, C::ReadOnly,
          "51050500ffd9ffd8ffd8ffdb00030aff00ffd9",
          [] { return character(5, encoded("ffd8ffdb00030aff00ffd9")); } },
        { "DefineBitsJPEG3 with alpha", 3, tag::DefineBitsJpeg3, C::Tags, C::ReadWrite,
          "dd0805000b000000ffd8ffdb00030aff00ffd978da6368f8ef000003c201c0",
          [] { return character(5, encoded("ffd8ffdb00030aff00ffd9", "0080ff40")); } },
        { "DefineBitsJPEG4 with alpha", 10, tag::DefineBitsJpeg4, C::Tags, C::ReadWrite,
          "9f1605000b0000000000ffd8ffdb00030aff00ffd978da6368f8ef000003c201c0",
          [] { return character(5, encoded("ffd8ffdb00030aff00ffd9", "0080ff40")); } },
        { "DefineBits after JPEGTables", 1, tag::DefineBits, C::Tags, C::ReadOnly,
          "0902ffd8ffdb00030affd98c010500ffd8ffc00003ff00ffd9",
          [] { return character(5, encoded("ffd8ffdb00030affc00003ff00ffd9")); } },
        // Fonts and text
        { "DefineFont", 1, tag::DefineFont, C::Tags, C::ReadWrite, "9f0201000400110010141e07d3860ce083385f400010141e44b14ed48f9b51c200",
          [] { return withFont(font(false)); } },
        { "DefineFontInfo", 1, tag::DefineFontInfo, C::Tags, C::ReadOnly,
          "9f0201000400110010141e07d3860ce083385f400010141e44b14ed48f9b51c2004a0301000453616e73024142",
          [] {
              Font f = font(false);
              f.name = "Sans";
              f.bold = true;
              f.codes = { 'A', 'B' };
              return withFont(f);
          } },
        { "DefineFontInfo2", 6, tag::DefineFontInfo2, C::Tags, C::ReadOnly,
          "9f0201000400110010141e07d3860ce083385f400010141e44b14ed48f9b51c2008d0f01000453616e7305011f013001",
          [] {
              Font f = font(false);
              f.name = "Sans";
              f.italic = true;
              f.codes = { u'ğ', u'İ' };
              return withFont(f);
          } },
        { "DefineFont2 with layout", 3, tag::DefineFont2, C::Tags, C::ReadWrite,
          "3f0c49000000010085000644656e656d650200060013001f0010141e07d3860ce083385f400010141e44b14ed48f9b51"
          "c20041001f018403c800e2ff260280025000fa41800058004b11f000000000", [] { return withFont(font(true)); } },
        { "DefineFont2 of narrow codes", 3, tag::DefineFont2, C::Tags, C::ReadOnly,
          "2b0c01000000034461720200060013001f0010141e07d3860ce083385f400010141e44b14ed48f9b51c2006162",
          [] {
              Font f = font(false);
              f.name = "Dar";
              f.codes = { 'a', 'b' };
              return withFont(f);
          } },
        { "DefineFont3", 8, tag::DefineFont3, C::Tags, C::ReadWrite,
          "ff124900000001008600064b616cc4b16e0200060013001f0010141e07d3860ce083385f400010141e44b14ed48f9b51"
          "c20041001f018403c800e2ff260280025000fa41800058004b11f000000000",
          [] {
              Font f = font(true);
              f.name = "Kalın";
              f.bold = false;
              f.italic = true;
              f.emSquare20 = true;
              return withFont(f);
          } },
        { "DefineText", 1, tag::DefineText, C::Tags, C::ReadWrite,
          "fb02030068001771e7006400c9800060000b0c8e10010b8f0100c800002800c800e0010310e9367ec082bc020192c08d"
          "02000000ffdc055802013e8000", [] { return character(3, text(kBlue)); } },
        { "DefineText2", 3, tag::DefineText2, C::Tags, C::ReadWrite,
          "7d08030068001771e7006400c9800060000b0c8e10010b8f0100c80000ff2800c800e0010310e9367ec082bc020192c0"
          "8d02000000ff80dc055802013e8000", [] { return character(3, text({ 0, 0, 255, 128 })); } },
        { "DefineEditText with every field", 6, tag::DefineEditText, C::Tags, C::ReadWrite,
          "710908006ff61f41fd819000ef7f010068010a141e80280002140028003c00ecff6164003c623e4d6572686162613c2f"
          "623e00", [] { return character(8, fullEditText()); } },
        { "DefineEditText with a font class", 9, tag::DefineEditText, C::Tags, C::ReadWrite,
          "5509080060003e80000c80008047c3b6766465002c0100",
          [] {
              EditText e;
              e.bounds = { 0, 2000, 0, 400 };
              e.hasFontClass = true;
              e.fontClass = "Gövde";
              e.fontHeight = 300;
              return character(8, e);
          } },
        // Sprites, buttons and scripts
        { "DefineSprite", 3, tag::DefineSprite, C::Tags, C::ReadWrite, "ed090a0003008606060100010000c70a79c3bc72c3bc00400086060501000ca0004000020701000203070040000000",
          [] { return character(10, sprite()); } },
        { "DefineButton shows its up state", 1, tag::DefineButton, C::Tags, C::ReadOnly, "d301040001010001000ea1400e0200020000000700",
          [] { return character(4, button({})); } },
        { "DefineButton2 shows its up state", 3, tag::DefineButton2, C::Tags, C::ReadOnly,
          "9908040000000001010001000ea140e90040100200140000000000",
          [] { return character(4, button(transform({ 256, 256, 256, 128 }, { 20, 0, 0, 0 }))); } },
        { "FileAttributes of an ActionScript 3 movie", 8, tag::FileAttributes, C::Tags, C::ReadOnly, "441108000000",
          [] {
              Movie m;
              m.as3 = true;
              return m;
          } },
        { "DoABC", 9, tag::DoAbc, C::Tags, C::ReadOnly, "8914010000000010002e00",
          [] {
              Movie m;
              m.as3 = true;
              return m;
          } },
        { "DoABC without flags", 9, tag::DoAbcOld, C::Tags, C::ReadOnly, "041210002e00",
          [] {
              Movie m;
              m.as3 = true;
              return m;
          } },
        // Whole files
        { "background only", 8, tag::End, C::File, C::ReadWrite, "465753081c00000060003e80001f40000c0100430210203040000000",
          [] {
              Movie m = stageOf(2000, 1000, 12);
              m.background = Rgba { 0x10, 0x20, 0x30, 255 };
              frames(m, { Frame { { SetBackground { { 0x10, 0x20, 0x30, 255 } } }, {} } });
              return m;
          } },
        { "shape placed, moved and removed", 8, tag::End, C::File, C::ReadWrite, "465753086e00000070000fa00000bb8000180300240801004801900032000100ff0000ff0114000000ff80113c0f7191b2c934e194e676cce0004302ffffff"
          "8906060100010014c82580400096060d0100cc400020000c100030000f60a069004010020040000207010040000000",
          [] {
              Movie m = stageOf(8000, 6000, 24);
              m.background = Rgba { 255, 255, 255, 255 };
              Shape s;
              s.bounds = { 0, 200, 0, 100 };
              s.fills = { solidFill({ 255, 0, 0, 255 }) };
              s.lines = { plainLine(20, { 0, 0, 255, 128 }) };
              s.records = { move(0, 0, 1, 1, 0), lineTo(200, 0), lineTo(200, 100), curveTo(100, 150, 0, 100), lineTo(0, 0) };
              m.characters[1] = s;
              PlaceObject moved;
              moved.depth = 1;
              moved.move = true;
              moved.matrix = Matrix { 0.5, 0.25, -0.25, 2, -40, 20 };
              ColorTransform half;
              half.aMul = 128;
              moved.colorTransform = half;
              frames(m, { Frame { { SetBackground { { 255, 255, 255, 255 } }, place(1, 1, { 1, 0, 0, 1, 400, 300 }) }, {} },
                          Frame { { moved }, {} }, Frame { { RemoveObject { 1 } }, {} } });
              return m;
          } },
        { "gradients, caps, joins and a second style layer", 8, tag::End, C::File, C::ReadWrite, "",
          [] {
              Movie m = stageOf(4000, 4000, 15);
              Shape s;
              s.bounds = { -100, 1100, -100, 1100 };
              s.windingRule = true;
              FillStyle linear;
              linear.kind = FillStyle::Kind::Linear;
              linear.matrix = { 0.5, 0.25, -0.25, 0.5, 100, -50 };
              linear.gradient.stops = { { 0, { 255, 0, 0, 255 } }, { 128, { 0, 255, 0, 128 } }, { 255, { 0, 0, 255, 0 } } };
              FillStyle radial;
              radial.kind = FillStyle::Kind::Radial;
              radial.matrix = { 0.125, 0, 0, 0.125, 500, 500 };
              radial.gradient.spread = Gradient::Spread::Reflect;
              radial.gradient.linearRgb = true;
              radial.gradient.stops = { { 10, { 1, 2, 3, 4 } }, { 200, { 5, 6, 7, 8 } } };
              FillStyle focal = radial;
              focal.kind = FillStyle::Kind::Focal;
              focal.gradient.spread = Gradient::Spread::Repeat;
              focal.gradient.focal = -0.5;
              s.fills = { linear, radial, focal };
              LineStyle capped = plainLine(40, { 9, 9, 9, 255 });
              capped.startCap = LineStyle::Cap::None;
              capped.endCap = LineStyle::Cap::Square;
              capped.join = LineStyle::Join::Miter;
              capped.miterLimit = 2.5;
              capped.noHScale = true;
              capped.noClose = true;
              LineStyle filled = plainLine(60, { 200, 100, 50, 255 });
              filled.join = LineStyle::Join::Bevel;
              filled.noVScale = true;
              filled.fill = solidFill({ 200, 100, 50, 255 });
              s.lines = { capped, filled };
              ShapeRecord layer;
              layer.kind = ShapeRecord::Kind::Style;
              auto tables = std::make_shared<StyleTables>();
              tables->fills = { solidFill({ 1, 1, 1, 1 }), solidFill({ 2, 2, 2, 2 }), solidFill({ 3, 3, 3, 3 }), solidFill({ 4, 4, 4, 4 }), solidFill({ 5, 5, 5, 5 }) };
              tables->lines = { plainLine(1, { 7, 7, 7, 7 }) };
              layer.newStyles = tables;
              s.records = { move(0, 0, 1, 2, 3), lineTo(1000, 0), lineTo(1000, 1000), curveTo(-60000, 500, 0, 0),
                            layer, move(-100, -100, 5, 1), lineTo(1100, 1100), lineTo(-100, -100) };
              m.characters[1] = s;
              frames(m, { Frame { { place(1, 1) }, {} } });
              return m;
          } },
        { "bitmaps of a few colours, of many colours with alpha, and JPEG", 8, tag::End, C::File, C::ReadWrite, "",
          [] {
              Movie m = stageOf(2000, 2000, 12);
              Bitmap few;
              few.width = 3;
              few.height = 2;
              few.pixels = { 0xffff0000, 0xff00ff00, 0xff0000ff, 0xff0000ff, 0xff00ff00, 0xffff0000 };
              m.characters[1] = few;
              Bitmap clear = few;
              clear.pixels[1] = 0x80400000; // premultiplied half alpha
              clear.pixels[4] = 0x00000000;
              m.characters[2] = clear;
              Bitmap many;
              many.width = 20;
              many.height = 20;
              for (uint32_t i = 0; i < 400; ++i) {
                  uint32_t a = 100 + i % 150, r = i % a, g = (i * 7) % a, b = (i * 13) % a;
                  many.pixels.push_back((a << 24) | (r << 16) | (g << 8) | b);
              }
              m.characters[3] = many;
              QImage img(4, 4, QImage::Format_RGB32);
              img.fill(QColor(10, 120, 200));
              QByteArray jpeg;
              QBuffer buffer(&jpeg);
              buffer.open(QIODevice::WriteOnly);
              img.save(&buffer, "JPG");
              Bitmap encoded;
              encoded.kind = Bitmap::Kind::Encoded;
              encoded.encoded.assign(jpeg.begin(), jpeg.end());
              m.characters[4] = encoded;
              Shape s;
              s.bounds = { 0, 60, 0, 40 };
              FillStyle pic;
              pic.kind = FillStyle::Kind::Bitmap;
              pic.bitmapId = 3;
              pic.repeat = false;
              pic.smooth = false;
              pic.matrix = { 20, 0, 0, 20, 0, 0 };
              s.fills = { pic };
              s.records = { move(0, 0, 1), lineTo(60, 0), lineTo(60, 40), lineTo(0, 40), lineTo(0, 0) };
              m.characters[5] = s;
              frames(m, { Frame { { place(1, 5) }, {} } });
              return m;
          } },
        { "fonts and text runs", 8, tag::End, C::File, C::ReadWrite, "",
          [] {
              Movie m = stageOf(6000, 2000, 20);
              Font f;
              f.name = "Deneme";
              f.hasLayout = true;
              f.ascent = 900;
              f.descent = 200;
              f.leading = -30;
              f.glyphs = { Glyph { squareGlyph(), 550 }, Glyph { triangleGlyph(), 640 } };
              f.codes = { u'A', u'ğ' };
              m.characters[1] = f;
              Font big;
              big.name = "Kalın";
              big.bold = big.italic = true;
              big.emSquare20 = true;
              big.glyphs = { Glyph { squareGlyph(), 0 } };
              big.codes = { u'İ' };
              m.characters[2] = big;
              Text t;
              t.bounds = { 0, 3000, -400, 200 };
              t.matrix = { 1, 0, 0, 1, 100, 900 };
              TextRun first { 1, { 200, 0, 0, 255 }, 40, 200, 480, { { 0, 270 }, { 1, 310 }, { 0, -20 } } };
              TextRun second = first; // goes on where the first ended, one line lower
              second.y = 700;
              second.x = first.x + 270 + 310 - 20;
              second.glyphs = { { 1, 300 } };
              TextRun third { 2, { 0, 0, 255, 128 }, 1500, 700, 600, { { 0, 1000 } } };
              t.runs = { first, second, third };
              m.characters[3] = t;
              frames(m, { Frame { { place(1, 3) }, {} } });
              return m;
          } },
        { "morph shape at a ratio", 8, tag::End, C::File, C::ReadWrite, "",
          [] {
              Movie m = stageOf(2000, 2000, 12);
              MorphShape ms;
              ms.startBounds = { 0, 100, 0, 100 };
              ms.endBounds = { 0, 300, 0, 200 };
              ms.startFills = { solidFill({ 255, 0, 0, 255 }) };
              ms.endFills = { solidFill({ 0, 0, 255, 128 }) };
              ms.startLines = { plainLine(20, { 0, 0, 0, 255 }) };
              ms.endLines = { plainLine(80, { 255, 255, 255, 255 }) };
              ms.startRecords = { move(0, 0, 1, 1), lineTo(100, 0), curveTo(100, 100, 0, 100), lineTo(0, 0) };
              ms.endRecords = { move(0, 0), lineTo(300, 0), curveTo(300, 200, 0, 200), lineTo(0, 0) };
              m.characters[1] = ms;
              PlaceObject p = place(1, 1);
              p.ratio = 32768;
              frames(m, { Frame { { p }, {} } });
              return m;
          } },
        { "sprite with labels and actions, named, masked and hidden objects", 8, tag::End, C::File, C::ReadWrite, "",
          [] {
              Movie m = stageOf(2000, 2000, 12);
              Shape s;
              s.bounds = { 0, 100, 0, 100 };
              s.fills = { solidFill({ 1, 2, 3, 255 }) };
              s.records = { move(0, 0, 1), lineTo(100, 0), lineTo(100, 100), lineTo(0, 0) };
              m.characters[1] = s;
              auto inner = std::make_shared<Timeline>();
              PlaceObject step;
              step.depth = 1;
              step.move = true;
              step.matrix = Matrix { 1, 0, 0, 1, 20, 0 };
              DoAction back { { { Action::Kind::GotoLabel, 0, "yürü" }, { Action::Kind::Play, 0, {} } } };
              inner->frames = { Frame { { place(1, 1) }, "yürü" }, Frame { { step }, {} }, Frame { { back }, {} } };
              inner->labels = { { "yürü", 0 } };
              m.characters[2] = Sprite { inner };
              PlaceObject named = place(2, 2, { 1, 0, 0, 1, 500, 500 });
              named.name = "mehter";
              PlaceObject mask = place(1, 1);
              mask.clipDepth = 5;
              PlaceObject hidden = place(3, 1);
              hidden.visible = false;
              DoAction root { { { Action::Kind::Stop, 0, {} }, { Action::Kind::GotoFrame, 1, {} }, { Action::Kind::NextFrame, 0, {} },
                                { Action::Kind::PrevFrame, 0, {} } } };
              frames(m, { Frame { { mask, named, hidden }, "başla" }, Frame { { root }, {} } });
              m.timeline.labels = { { "başla", 0 } };
              return m;
          } },
    };
    return rows;
}

} // namespace yelvanis::swf::cases
