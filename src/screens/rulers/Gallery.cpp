// The ruler gallery: 36 portrait tiles in reign order under a short header.
#include "screens/rulers/RulerDefinitions.h"

#include "runtime/Units.h"

namespace yelvanis::screens::rulers {

namespace {

constexpr const char* kId = "Anasayfa";

ControlDef headerButton(const char* name, int top, const char* caption, std::optional<Font> font, int tabIndex)
{
    return ControlDef{
        .kind = ControlKind::Button,
        .name = name,
        .left = 0, .top = top, .width = 2055, .height = 255,
        .caption = caption,
        .backColour = Colour::rgb(0xFFFFFF),
        .font = std::move(font),
        .tabIndex = tabIndex,
        .graphical = true,
    };
}

// The separators between neighbouring columns; the middle three also run
// between the four tiles of the last row.
ControlDef separator(int k)
{
    const int x = 1920 + 1200 * (k - 1);
    const bool pastLastRow = k >= 3 && k <= 5;
    return ControlDef{
        .kind = ControlKind::Line,
        .name = "Line" + std::to_string(k),
        .x1 = x, .y1 = 720, .x2 = x, .y2 = pastLastRow ? 9000 : 7320,
    };
}

} // namespace

ScreenDef galleryScreen()
{
    std::vector<ControlDef> controls{
        headerButton("Command1", 0, "<<- Anasayfaya Dön", Font{.face = "MS Sans Serif", .size = pt(9.75)}, 38),
        headerButton("Command3", 240, "Aşağı Al", std::nullopt, 39),
        ControlDef{
            .kind = ControlKind::Label,
            .name = "Label5",
            .left = 3360, .top = 0, .width = 4935, .height = 375,
            .caption = "OSMANLI PADİŞAHLARI TANITIMLARI",
            .foreColour = Colour::rgb(0x0000FF),
            .font = Font{.face = "MS Sans Serif", .size = pt(12), .weight = 700},
            .transparent = true,
            .tabIndex = 1,
        },
        ControlDef{
            .kind = ControlKind::Label,
            .name = "Label6",
            .left = 3240, .top = 360, .width = 5055, .height = 255,
            .caption = "Hakkında bilgi edinmek istediğiniz padişahın resminin üstüne tıklayınız.",
            .transparent = true,
            .tabIndex = 2,
        },
    };

    const auto& tiles = galleryTiles();
    for (size_t i = 0; i < tiles.size(); ++i) {
        const Tile& t = tiles[i];
        controls.push_back(ControlDef{
            .kind = ControlKind::Image,
            .name = t.image,
            .left = t.imageAt.left, .top = t.imageAt.top,
            .width = t.portrait.width * kTwipsPerPixel,
            .height = t.portrait.height * kTwipsPerPixel,
            .picture = PictureRef{portraitPicture(t)},
        });
        // Label4 under the first tile holds tab index 0; the others follow
        // the heading and the instruction, 3 onwards.
        controls.push_back(ControlDef{
            .kind = ControlKind::Label,
            .name = t.label,
            .left = t.labelBox.left, .top = t.labelBox.top, .width = t.labelBox.width, .height = t.labelBox.height,
            .caption = t.caption,
            .transparent = true,
            .tabIndex = i == 0 ? 0 : int(i) + 2,
        });
    }
    for (int k = 1; k <= 7; ++k)
        controls.push_back(separator(k));

    return ScreenDef{
        .id = kId,
        .caption = "Yelvanis v1.0",
        .border = BorderStyle::SizableToolWindow,
        .controlBox = false,
        .startPosition = StartPosition::Manual,
        .clientLeft = 2010, .clientTop = 1095,
        .clientWidth = 10890, .clientHeight = 9030,
        .backColour = Colour::rgb(0xFFFFFF),
        .showInTaskbar = false,
        .controls = std::move(controls),
    };
}

std::vector<Binding> galleryBindings()
{
    std::vector<Binding> bindings{
        Binding{kId, "Command1", Event::Click, {Step::goTo("giris")}},
        Binding{kId, "Command3", Event::Click, {Step::minimize()}},
    };
    for (const Tile& t : galleryTiles())
        bindings.push_back(Binding{kId, t.image, Event::Click, {Step::open(t.opens)}});
    return bindings;
}

} // namespace yelvanis::screens::rulers
