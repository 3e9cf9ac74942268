// The three information dialogs: about the program, credits and contact.
// The main screen's menu opens them; "Kapat" is the only way to close them.
#include "screens/Screens.h"

namespace yelvanis::screens {

namespace {

// Addresses are reserved example ones.
constexpr const char* kCreditedSite = "www.example.com";
constexpr const char* kMakerWeb = "www.example.org";
constexpr const char* kMakerMail = "info@example.org";

Font msSansBold()
{
    return Font{.face = "MS Sans Serif", .size = pt(8.25), .weight = 700};
}

ControlDef kapat(std::string container, int left, int top, int width, std::uint32_t back, int tabIndex)
{
    return ControlDef{
        .kind = ControlKind::Button,
        .name = "Command1",
        .container = std::move(container),
        .left = left, .top = top, .width = width, .height = 255,
        .caption = "Kapat",
        .backColour = Colour::rgb(back),
        .font = msSansBold(),
        .tabIndex = tabIndex,
        .graphical = true,
    };
}

// A transparent label in the default fore colour.
ControlDef label(const char* name, std::string container, int left, int top, int width, int height,
                 std::string caption, Font font, int tabIndex)
{
    return ControlDef{
        .kind = ControlKind::Label,
        .name = name,
        .container = std::move(container),
        .left = left, .top = top, .width = width, .height = height,
        .caption = std::move(caption),
        .font = std::move(font),
        .transparent = true,
        .tabIndex = tabIndex,
    };
}

void addProgramAbout(Catalogue& catalogue)
{
    // Read top to bottom, Label1, Label2 and Label4 make one sentence;
    // Label3 holds blanks only.
    catalogue.add(ScreenDef{
        .id = "programhakknda",
        .caption = "Programımız Hakkında...",
        .border = BorderStyle::FixedToolWindow,
        .controlBox = false,
        .startPosition = StartPosition::CentreScreen,
        .clientWidth = 7380, .clientHeight = 2730,
        .backColour = Colour::rgb(0xFFFFFF),
        .controls = {
            kapat("", 6480, 0, 855, 0xFF0000, 5),
            ControlDef{
                .kind = ControlKind::Movie,
                .name = "ShockwaveFlash1",
                .left = 120, .top = 240, .width = 1935, .height = 1935,
                .tabIndex = 0,
                .movie = MovieSettings{.play = true, .loop = true, .menu = true, .allowScriptAccess = ""},
            },
            label("Label4", "", 2880, 2040, 4335, 615,
                  "Ve Prof.Dr. VERZIMEN tarafından yazılmış ve internet üzerinden yayınlanmış makalelerden "
                  "istifade edilmiştir. ",
                  msSansBold(), 4),
            label("Label3", "", 2880, 1200, 4455, 615, std::string(6, ' '), msSansBold(), 3),
            label("Label2", "", 2880, 600, 4335, 375,
                  "Telvarin Bilgi Teknolojileri tarafından hazırlanan;" + std::string(10, ' ') + kCreditedSite
                      + " web sitesi",
                  msSansBold(), 2),
            label("Label1", "", 2280, 240, 4335, 375, "Programımızın yapımı aşamasında büyük ölçüde", msSansBold(), 1),
        },
    });
    catalogue.add(Binding{"programhakknda", "", Event::Load, {Step::startMovie("sultan.swf")}});
    catalogue.add(Binding{"programhakknda", "Command1", Event::Click, {Step::close()}});
}

void addCredits(Catalogue& catalogue)
{
    // Below the logo, lblProductName to Label4 read as one sentence, a line each.
    const Font arialBold{.face = "Arial", .size = pt(11.25), .weight = 700};
    catalogue.add(ScreenDef{
        .id = "aboutme",
        .caption = "Hazırlayan",
        .border = BorderStyle::FixedToolWindow,
        .controlBox = false,
        .startPosition = StartPosition::Manual,
        .clientLeft = 4035, .clientTop = 5475,
        .clientWidth = 7305, .clientHeight = 3915,
        .backColour = Colour::rgb(0xFFE0C0),
        .controls = {
            ControlDef{
                .kind = ControlKind::Frame,
                .name = "Frame1",
                .left = 120, .top = 120, .width = 7080, .height = 3690,
                .backColour = Colour::rgb(0xFFE0C0),
                .tabIndex = 0,
            },
            kapat("Frame1", 6240, 3360, 735, 0xFFE0C0, 8),
            ControlDef{
                .kind = ControlKind::Label,
                .name = "Label5",
                .container = "Frame1",
                .left = 0, .top = 0, .width = 1275, .height = 285,
                .caption = "Version 1.0",
                .font = Font{.face = "Arial", .size = pt(12), .weight = 700, .charset = kWestern},
                .transparent = true,
                .alignment = Alignment::Right,
                .autoSize = true,
                .tabIndex = 7,
            },
            label("Label4", "Frame1", 2520, 2880, 2775, 375, "tarafından hazırlanmıştır", arialBold, 6),
            label("Label3", "Frame1", 1920, 2520, 4095, 375, "Araştırma Görevlisi Karsemir", arialBold, 5),
            label("Label2", "Frame1", 2880, 2160, 1815, 375, "Eğitim Fakültesi", arialBold, 4),
            label("Label1", "Frame1", 2640, 1800, 2175, 255, "Örnek Üniversitesi", arialBold, 3),
            [&] {
                ControlDef c = label("lblProductName", "Frame1", 3120, 1440, 1305, 270, "Bu program ", arialBold, 2);
                c.autoSize = true;
                return c;
            }(),
            ControlDef{
                .kind = ControlKind::Image,
                .name = "imgLogo",
                .container = "Frame1",
                .left = 0, .top = 0, .width = 7095, .height = 1305,
                .stretch = true,
                .picture = PictureRef{"info/logo.jpg"},
            },
            label("lblCopyright", "Frame1", 3000, 3480, 1215, 255, "©2005 Karsemir",
                  Font{.face = "Arial", .size = pt(8.25), .weight = 400, .charset = kWestern}, 1),
        },
    });
    catalogue.add(Binding{"aboutme", "Command1", Event::Click, {Step::close()}});
}

void addContact(Catalogue& catalogue)
{
    const Font comic{.face = "Comic Sans MS", .size = pt(9), .weight = 400};
    catalogue.add(ScreenDef{
        .id = "iletisim",
        .caption = "İletişim",
        .border = BorderStyle::FixedToolWindow,
        .controlBox = false,
        .startPosition = StartPosition::Manual,
        .clientLeft = 5835, .clientTop = 2100,
        .clientWidth = 3450, .clientHeight = 1125,
        .backColour = Colour::system(SystemColour::ActiveTitleBarText),
        .controls = {
            // The strip and the button run 45 twips past the right edge.
            kapat("", 2760, 0, 735, 0x80FFFF, 3),
            ControlDef{.kind = ControlKind::Line, .name = "Line2", .x1 = 3240, .y1 = 960, .x2 = 120, .y2 = 960,
                       .lineWidth = 2},
            ControlDef{.kind = ControlKind::Line, .name = "Line1", .x1 = 3240, .y1 = 600, .x2 = 120, .y2 = 600,
                       .lineWidth = 2},
            label("Label3", "", 240, 720, 3255, 255, std::string("Web   : ") + kMakerWeb, comic, 2),
            label("Label2", "", 240, 360, 3255, 255, std::string("e mail : ") + kMakerMail, comic, 1),
            ControlDef{
                .kind = ControlKind::Label,
                .name = "Label1",
                .left = 0, .top = 0, .width = 3495, .height = 255,
                .backColour = Colour::rgb(0x00FFFF),
                .font = msSansBold(),
                .transparent = false,
                .tabIndex = 0,
            },
        },
    });
    catalogue.add(Binding{"iletisim", "Command1", Event::Click, {Step::close()}});
}

} // namespace

void addInfo(Catalogue& catalogue)
{
    addProgramAbout(catalogue);
    addCredits(catalogue);
    addContact(catalogue);
}

} // namespace yelvanis::screens
