// The article index `Bilinmeyenler0` and the six article screens built from
// one template.
#include "content/Content.h"
#include "screens/reading/ReadingParts.h"

#include <string>

namespace yelvanis::screens::reading {

namespace {

const Font kButtonFont{.face = "MS Sans Serif", .size = pt(8.25), .weight = 400};
const Font kTitleFont{.face = "MS Sans Serif", .size = pt(12), .weight = 700, .italic = true};
const Font kReadingFont{.face = "Tahoma", .size = pt(11.25), .weight = 700};

constexpr Colour kArticleButtonFace = Colour::rgb(0xFFE0C0);
constexpr Colour kTitleBarText = Colour::system(SystemColour::ActiveTitleBarText);
constexpr Colour kHighlightText = Colour::system(SystemColour::HighlightText);

ControlDef articleButton(int n, std::string caption, int tabIndex)
{
    return ControlDef{
        .kind = ControlKind::Button,
        .name = "Command" + std::to_string(n),
        .left = 240, .top = 3240 + 720 * (n - 1), .width = 6855, .height = 495,
        .caption = std::move(caption),
        .backColour = kArticleButtonFace,
        .font = kButtonFont,
        .tabIndex = tabIndex,
        .graphical = true,
    };
}

ControlDef smallButton(const char* name, const char* caption, int top, int tabIndex)
{
    return ControlDef{
        .kind = ControlKind::Button,
        .name = name,
        .left = 0, .top = top, .width = 1455, .height = 255,
        .caption = caption,
        .backColour = kTitleBarText,
        .font = kButtonFont,
        .tabIndex = tabIndex,
        .graphical = true,
    };
}

void addIndex(Catalogue& catalogue)
{
    // The padding makes each centred caption nearly as wide as its button,
    // so the titles sit towards the left edge.
    const std::string captions[6] = {
        "1. Dünyanın ilk Standartlar ve Tüketiciyi Koruma Kanunları" + blanks(4) + "/" + blanks(3)
            + "Prof Dr. Verzimen" + kCrLf,
        "2. Yavuz Sultan Selim ve Kürtler" + blanks(44) + "/" + blanks(3) + "Prof. Dr. Verzimen",
        "3. Mustafa Kemal kendi başına mı Samsun’a çıkmıştır?" + blanks(57),
        "4. Osmanlı Para ve Finansman sisteminin esasları nedir?" + blanks(55),
        "5. Osmanlı Hukuk Sistemi" + blanks(101),
        "6. Celâlî İsyanları" + blanks(113),
    };
    catalogue.add(ScreenDef{
        .id = "Bilinmeyenler0",
        .caption = "Bilinmeyen Osmanlı",
        .border = BorderStyle::FixedToolWindow,
        .controlBox = true,
        .startPosition = StartPosition::Manual,
        .clientLeft = 3345, .clientTop = 1845,
        .clientWidth = 7380, .clientHeight = 7545,
        .backColour = Colour::rgb(0xFFFFFF),
        .icon = IconDef::none(),
        .font = Font{.face = "MS Sans Serif", .size = pt(8.25), .weight = 700},
        .showInTaskbar = false,
        .controls = {
            smallButton("Command8", "Aşağı Al", 240, 9),
            smallButton("Command7", "Anasayfaya Dön", 0, 8),
            // Tab order: button 1, button 2, the movie panel, buttons 3 to 6.
            articleButton(6, captions[5], 6),
            articleButton(5, captions[4], 5),
            articleButton(4, captions[3], 4),
            articleButton(3, captions[2], 3),
            articleButton(2, captions[1], 1),
            articleButton(1, captions[0], 0),
            ControlDef{
                .kind = ControlKind::Movie,
                .name = "ShockwaveFlash1",
                .left = 480, .top = 600, .width = 6135, .height = 1695,
                .tabIndex = 2,
                .movie = MovieSettings{},
            },
            ControlDef{
                .kind = ControlKind::Label,
                .name = "Label1",
                .left = 120, .top = 2640, .width = 7215, .height = 375,
                .caption = "OSMANLI DEVLETİ TARİHİ HAKKINDA BİLİNMEYENLER",
                .font = Font{.face = "MS Sans Serif", .size = pt(12), .weight = 700, .italic = true,
                             .underline = true},
                .transparent = true,
                .tabIndex = 7,
            },
        },
    });

    catalogue.add(Binding{"Bilinmeyenler0", "", Event::Load, {Step::startMovie("padisahlar.swf")}});
    for (int n = 1; n <= 6; ++n)
        catalogue.add(Binding{"Bilinmeyenler0", "Command" + std::to_string(n), Event::Click,
                              {Step::open("bilinmeyenler" + std::to_string(n))}});
    catalogue.add(Binding{"Bilinmeyenler0", "Command7", Event::Click, {Step::goTo("giris")}});
    catalogue.add(Binding{"Bilinmeyenler0", "Command8", Event::Click, {Step::minimize()}});
}

// What differs between the article screens.
struct Article {
    int number;
    const char* caption;
    Colour back;
    StartPosition start;
    int clientLeft, clientTop; // manual placement only
    int clientWidth, clientHeight;
    int outputLeft, outputTop;
    int labelLeft, labelTop, labelWidth, labelHeight;
    std::string title;
};

ScreenDef articleScreen(const Article& a)
{
    const std::string id = "bilinmeyenler" + std::to_string(a.number);
    return ScreenDef{
        .id = id,
        .caption = a.caption,
        .border = BorderStyle::FixedToolWindow,
        .controlBox = true,
        .startPosition = a.start,
        .clientLeft = a.clientLeft, .clientTop = a.clientTop,
        .clientWidth = a.clientWidth, .clientHeight = a.clientHeight,
        .backColour = a.back,
        .icon = IconDef::none(),
        .controls = {
            ControlDef{
                .kind = ControlKind::TextBox,
                .name = "Output",
                .left = a.outputLeft, .top = a.outputTop, .width = 7995, .height = 7485,
                .text = std::string(content::get("reading/" + id + ".txt")),
                .backColour = Colour::rgb(0xFFFFFF),
                .foreColour = Colour::rgb(0x404040),
                .font = kReadingFont,
                .tabIndex = 0,
                .tabStop = false,
            },
            ControlDef{
                .kind = ControlKind::Label,
                .name = "Label1",
                .left = a.labelLeft, .top = a.labelTop, .width = a.labelWidth, .height = a.labelHeight,
                .caption = a.title,
                .foreColour = Colour::rgb(0xFF0000),
                .font = kTitleFont,
                .transparent = true,
                .tabIndex = 1,
            },
        },
    };
}

void addArticleScreens(Catalogue& catalogue)
{
    constexpr auto manual = StartPosition::Manual;
    constexpr auto system = StartPosition::SystemDefault;
    const Article articles[] = {
        {1, "Bilinmeyen Osmanlı", kTitleBarText, manual, 3540, 1845, 8160, 8535, 120, 840, 720, 120, 6855, 615,
         "Dünyanın ilk Standartlar ve Tüketiciyi Koruma Kanunları" + blanks(22) + "Prof Dr. Verzimen"},
        // The title runs past the right edge of the client area and is cut off there.
        {2, "Bilinmeyen Osmanlı", kHighlightText, manual, 4710, 1845, 8310, 8505, 240, 840, 2520, 120, 6615, 615,
         "Yavuz Sultan Selim ve Kürtler" + blanks(43) + "Prof Dr. Verzimen"},
        {3, "Bilinmeyen Osmanlı", kHighlightText, system, 0, 0, 8220, 8535, 120, 840, 1080, 240, 6615, 375,
         "Mustafa Kemal kendi başına mı Samsun’a çıkmıştır?"},
        {4, "Bilinmeyen  Osmanlı", kHighlightText, system, 0, 0, 8250, 8280, 120, 600, 1080, 120, 6615, 375,
         "Osmanlı Para ve Finansman sisteminin esasları nedir?"},
        {5, "Bilinmeyen Osmanlı", kHighlightText, system, 0, 0, 8445, 8895, 240, 1200, 840, 120, 6855, 975,
         std::string("Osmanlı Hukuk Sistemi Çok Hukuklu Bir Hukuk Sistemi Midir Yoksa Hukuk Birliği Mi Hâkimdir ?")
             + kCrLf + blanks(22) + "Prof Dr. Verzimen"},
        {6, "Bilinmeyen Osmanlı", kTitleBarText, manual, 2190, 1845, 8250, 8745, 120, 1080, 3000, 240, 1935, 375,
         "Celâlî İsyanları "},
    };
    // No handlers: the close box of the title bar is the only way out.
    for (const Article& a : articles)
        catalogue.add(articleScreen(a));
}

} // namespace

void addArticles(Catalogue& catalogue)
{
    addIndex(catalogue);
    addArticleScreens(catalogue);
}

} // namespace yelvanis::screens::reading
