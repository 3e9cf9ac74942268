// The march list, the 17 march players and the Mehter band screen.
#include "screens/Screens.h"

#include "screens/mehter/MarchPlayers.h"

#include "content/Content.h"

namespace yelvanis::screens {

namespace {

constexpr const char* kBanner = "mehter/banner.jpg";

const Colour kWindowText = Colour::system(SystemColour::WindowText);
const Colour kTitleBarText = Colour::system(SystemColour::ActiveTitleBarText);
const Colour kWhite = Colour::rgb(0xFFFFFF);

// "MEHTER MARSLARI" and the band screen's title.
Font scriptTitle(bool underline)
{
    return Font{.face = "Script", .size = pt(36), .weight = 700, .underline = underline, .charset = kOem};
}

ControlDef smallButton(const char* name, const char* caption, int left, int top, int tabIndex)
{
    return ControlDef{
        .kind = ControlKind::Button,
        .name = name,
        .left = left, .top = top, .width = 1335, .height = 255,
        .caption = caption,
        .backColour = kTitleBarText,
        .tabIndex = tabIndex,
        .graphical = true,
    };
}

struct MarchButton {
    int number;
    const char* caption;
    int left, top, width;
};

// The grid of the list: three columns of up to six rows, button N opens
// the player of march N. Trailing blanks belong to the captions.
const MarchButton kMarchButtons[] = {
    {1, "1. Tarihi Çevir", 240, 5880, 2055},
    {2, "2. Devlet Marşı", 240, 6480, 2055},
    {3, "3. Mehter Marşı", 240, 7080, 2055},
    {4, "4. Akıncılar Marşı", 240, 7680, 2055},
    {5, "5. Artar Cihatla", 240, 8280, 2055},
    {6, "6. Hücum Marşı ", 240, 8880, 2055},
    {7, "7. Ordunun Duası", 2520, 5880, 2175},
    {8, "8. Çırpınırdı Karadeniz ", 2520, 6480, 2175},
    {9, "9. Buna Er Meydanı Derler", 2520, 7080, 2175},
    {10, "10. Yeni Malazgirt Marşı", 2520, 7680, 2175},
    {11, "11. Eski Malazgirt Marşı", 2520, 8280, 2175},
    {12, "12. Eski Ordu Marşı", 2520, 8880, 2175},
    {13, "13. 26 Ağustos Marşı", 4920, 5880, 2055},
    {14, "14. Ceddin Deden", 4920, 6480, 2055},
    {15, "15. Sancak Marşı", 4920, 7080, 2055},
    {16, "16. Yürekler Kabarık", 4920, 7680, 2055},
    {17, "17. Fetih Marşı", 4920, 8280, 2055},
};

struct GridLine {
    int number;
    int x1, y1, x2, y2;
};

// Drawn in window text on a window-text background, and clipped by the window.
const GridLine kGridLines[] = {
    {1, 0, 6360, 9480, 6360}, {2, 0, 6960, 9480, 6960}, {3, 0, 7560, 9480, 7560}, {4, 2400, 5760, 2400, 9960},
    {5, 0, 5760, 9480, 5760}, {6, 0, 8160, 9480, 8160}, {7, 4800, 5760, 4800, 9480}, {8, 0, 8760, 9480, 8760},
};

std::string numbered(const char* kind, int n)
{
    return kind + std::to_string(n);
}

void addMarchList(Catalogue& catalogue)
{
    std::vector<ControlDef> controls{
        smallButton("Command19", "Aşağı Al", 5760, 240, 21),
        smallButton("Command18", "Anasayfaya Dön", 5760, 0, 20),
    };
    // Stored from the last march button to the first.
    for (auto it = std::rbegin(kMarchButtons); it != std::rend(kMarchButtons); ++it)
        controls.push_back(ControlDef{
            .kind = ControlKind::Button,
            .name = numbered("Command", it->number),
            .left = it->left, .top = it->top, .width = it->width, .height = 375,
            .caption = it->caption,
            .backColour = kWhite,
            .tabIndex = it->number,
            .graphical = true,
        });
    controls.push_back(ControlDef{
        .kind = ControlKind::Movie,
        .name = "ShockwaveFlash1",
        .left = 120, .top = 600, .width = 6855, .height = 4695,
        .tabIndex = 0,
        .movie = MovieSettings{},
    });
    controls.push_back(ControlDef{
        .kind = ControlKind::Label,
        .name = "Label2",
        .left = 720, .top = 0, .width = 4935, .height = 615,
        .caption = "MEHTER MARSLARI",
        .foreColour = kWhite,
        .font = scriptTitle(true),
        .transparent = true,
        .tabIndex = 19,
    });
    // The same banner twice: the first cut off by the window's right edge,
    // the second reaching past the top-left corner.
    controls.push_back(ControlDef{
        .kind = ControlKind::Image,
        .name = "Image2",
        .left = 5400, .top = 0, .width = 5550, .height = 750,
        .picture = PictureRef{kBanner},
    });
    controls.push_back(ControlDef{
        .kind = ControlKind::Image,
        .name = "Image1",
        .left = -120, .top = -120, .width = 5550, .height = 750,
        .picture = PictureRef{kBanner},
    });
    controls.push_back(ControlDef{
        .kind = ControlKind::Label,
        .name = "Label4",
        .left = 120, .top = 5400, .width = 6975, .height = 375,
        .caption = "DİKKAT: BU BÖLÜMDEKİ MARŞLARI DİNLEYEBİLMENİZ İÇİN İNTERNETE BAĞLI OLMANIZ GEREKMEKTEDİR.",
        .foreColour = Colour::system(SystemColour::HighlightText),
        .transparent = true,
        .tabIndex = 18,
    });
    for (auto it = std::rbegin(kGridLines); it != std::rend(kGridLines); ++it)
        controls.push_back(ControlDef{
            .kind = ControlKind::Line,
            .name = numbered("Line", it->number),
            .x1 = it->x1, .y1 = it->y1, .x2 = it->x2, .y2 = it->y2,
            .lineWidth = 3,
        });

    catalogue.add(ScreenDef{
        .id = "mehteran",
        .caption = "Yelvanis v1.0",
        .border = BorderStyle::FixedToolWindow,
        .controlBox = false,
        .startPosition = StartPosition::CentreScreen,
        .clientLeft = 255, .clientTop = 1680,
        .clientWidth = 7080, .clientHeight = 9330,
        .backColour = kWindowText,
        .showInTaskbar = false,
        .controls = std::move(controls),
    });

    catalogue.add(Binding{"mehteran", "", Event::Load, {Step::startMovie("intro1.swf")}});
    for (const MarchButton& b : kMarchButtons)
        catalogue.add(Binding{"mehteran", numbered("Command", b.number), Event::Click,
                              {Step::open(numbered("mehter", b.number))}});
    catalogue.add(Binding{"mehteran", "Command18", Event::Click, {Step::goTo("giris")}});
    catalogue.add(Binding{"mehteran", "Command19", Event::Click, {Step::minimize()}});
}

void addBandScreen(Catalogue& catalogue)
{
    catalogue.add(ScreenDef{
        .id = "mehteran2",
        .caption = "MEHTERAN BÖLÜĞÜ",
        .border = BorderStyle::FixedToolWindow,
        .controlBox = true,
        .startPosition = StartPosition::SystemDefault,
        .clientLeft = 45, .clientTop = 315,
        .clientWidth = 10170, .clientHeight = 5535,
        .backColour = Colour::rgb(0xFF0000),
        .icon = IconDef::none(),
        .showInTaskbar = false,
        .controls = {
            smallButton("Command2", "Aşağı Al", 0, 240, 4),
            smallButton("Command1", "Anasayfaya Dön", 0, 0, 3),
            ControlDef{
                .kind = ControlKind::TextBox,
                .name = "Output",
                .left = 120, .top = 720, .width = 4275, .height = 4725,
                .text = std::string(content::get("mehter/mehteran2.txt")),
                .backColour = kWhite,
                .foreColour = Colour::rgb(0x404040),
                .font = Font{.face = "Tahoma", .size = pt(11.25), .weight = 700},
                .tabIndex = 0,
            },
            ControlDef{
                .kind = ControlKind::Movie,
                .name = "ShockwaveFlash1",
                .left = 4560, .top = 720, .width = 5535, .height = 4695,
                .tabIndex = 1,
                .movie = MovieSettings{},
            },
            ControlDef{
                .kind = ControlKind::Label,
                .name = "Label1",
                .left = 2400, .top = 0, .width = 5775, .height = 615,
                .caption = "MEHTERAN BÖLÜGÜ TANITIMI",
                .foreColour = kWhite,
                .font = scriptTitle(false),
                .transparent = true,
                .tabIndex = 2,
            },
        },
    });

    catalogue.add(Binding{"mehteran2", "", Event::Load, {Step::startMovie("mehter.swf")}});
    catalogue.add(Binding{"mehteran2", "Command1", Event::Click, {Step::goTo("giris")}});
    catalogue.add(Binding{"mehteran2", "Command2", Event::Click, {Step::minimize()}});
}

} // namespace

void addMehter(Catalogue& catalogue)
{
    addMarchList(catalogue);
    mehter::addMarchPlayers(catalogue);
    addBandScreen(catalogue);
}

} // namespace yelvanis::screens
