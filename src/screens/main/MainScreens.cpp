// The start screen: title, intro movie, nine section buttons and the menu.
#include "screens/Screens.h"

namespace yelvanis::screens {

namespace {

constexpr const char* kForumAddress = "http://forum.example.org/";

ControlDef sectionButton(const char* name, const char* caption, int left, int top, std::uint32_t back, int tabIndex)
{
    return ControlDef{
        .kind = ControlKind::Button,
        .name = name,
        .container = "Frame1",
        .left = left, .top = top, .width = 2295, .height = 495,
        .caption = caption,
        .backColour = Colour::rgb(back),
        .font = Font{.face = "MS Sans Serif", .size = pt(9.75), .weight = 700},
        .tabIndex = tabIndex,
        .graphical = true,
    };
}

ControlDef titleLabel(const char* name, const char* caption, int left, int top, int width, bool opaque, int tabIndex)
{
    ControlDef c{
        .kind = ControlKind::Label,
        .name = name,
        .container = "Frame1",
        .left = left, .top = top, .width = width, .height = 735,
        .caption = caption,
        .font = Font{.face = "Monotype Corsiva", .size = pt(27.75), .weight = 700, .italic = true},
        .transparent = !opaque,
        .tabIndex = tabIndex,
    };
    if (opaque)
        c.backColour = Colour::system(SystemColour::HighlightText);
    return c;
}

} // namespace

void addMain(Catalogue& catalogue)
{
    catalogue.add(ScreenDef{
        .id = "giris",
        .caption = "Yelvanis v1.0",
        .border = BorderStyle::FixedToolWindow,
        .controlBox = false,
        .startPosition = StartPosition::CentreScreen,
        .clientWidth = 7710, .clientHeight = 6660,
        .backColour = Colour::rgb(0xFF0000),
        .icon = IconDef::of("main/giris.ico"),
        .showInTaskbar = false,
        .menu = {
            {"about", "..::Hakkında::..", {
                {"prgabout", "*Program Hakkında", {}},
                {"hzrlyn", "*Hazırlayan", {}},
                {"iltsm", "*İletisim", {}},
            }},
            {"web", "..::Karsemir Forumları::..", {}},
            {"smg", "..::Simge Durumuna Getir::..", {}},
            {"exit", "..::Kapat::..", {}},
        },
        .controls = {
            ControlDef{
                .kind = ControlKind::Frame,
                .name = "Frame1",
                .left = 120, .top = 120, .width = 7440, .height = 6450,
                .backColour = Colour::system(SystemColour::HighlightText),
                .tabIndex = 0,
            },
            sectionButton("Command11", "Osman Gazi'nin Vasiyeti", 4920, 5760, 0xC0FFC0, 12),
            sectionButton("Command10", "Ünvanlar", 2520, 5760, 0xC0C0FF, 11),
            sectionButton("Command9", "Kronoloji", 120, 5760, 0xFF0000, 10),
            sectionButton("Command8", "Haritalar", 4920, 5280, 0x00C000, 9),
            sectionButton("Command7", "Fotoğraflar", 4920, 4800, 0x00FF00, 8),
            sectionButton("Command6", "Mehter Marşları", 2520, 5280, 0xC0C000, 7),
            sectionButton("Command5", "Bilinmeyen Osmanlı", 120, 5280, 0x00C0C0, 6),
            sectionButton("Command4", "Padişah Tanıtımları", 120, 4800, 0x80FFFF, 5),
            sectionButton("Command3", "Mehteran Hakkında", 2520, 4800, 0xFFFF00, 4),
            ControlDef{
                .kind = ControlKind::Movie,
                .name = "ShockwaveFlash1",
                .container = "Frame1",
                .left = 600, .top = 1920, .width = 6015, .height = 2295,
                .tabIndex = 3,
                .movie = MovieSettings{},
            },
            titleLabel("Label2", "              VANIS", 1200, 960, 5535, false, 2),
            titleLabel("Label1", "                 YEL", 1440, 240, 5895, true, 1),
        },
    });

    const std::pair<const char*, const char*> sections[] = {
        {"Command4", "Anasayfa"},       {"Command3", "mehteran2"}, {"Command7", "fotolar"},
        {"Command5", "Bilinmeyenler0"}, {"Command6", "mehteran"},  {"Command8", "haritalar"},
        {"Command9", "kronolojimenu"},  {"Command10", "unvanlar"}, {"Command11", "vasiyet"},
    };
    catalogue.add(Binding{"giris", "", Event::Load, {Step::startMovie("padisahlar.swf")}});
    for (const auto& [button, target] : sections)
        catalogue.add(Binding{"giris", button, Event::Click, {Step::goTo(target)}});
    catalogue.add(Binding{"giris", "prgabout", Event::Click, {Step::open("programhakknda")}});
    catalogue.add(Binding{"giris", "hzrlyn", Event::Click, {Step::open("aboutme")}});
    catalogue.add(Binding{"giris", "iltsm", Event::Click, {Step::open("iletisim")}});
    catalogue.add(Binding{"giris", "web", Event::Click, {Step::launchBrowser(kForumAddress)}});
    catalogue.add(Binding{"giris", "smg", Event::Click, {Step::minimize()}});
    catalogue.add(Binding{"giris", "exit", Event::Click, {Step::close()}});
}

} // namespace yelvanis::screens
