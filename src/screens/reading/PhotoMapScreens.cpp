// The photo screen `fotolar` and the map screen `haritalar`: one movie each
// under a title and two small buttons, from one template.
#include "screens/reading/ReadingParts.h"

#include <optional>
#include <string>

namespace yelvanis::screens::reading {

namespace {

struct MovieScreen {
    const char* id;
    const char* caption;
    int clientLeft, clientTop;
    int clientWidth, clientHeight;
    Colour back;
    int movieLeft, movieTop, movieWidth, movieHeight;
    const char* movieFile;
    int titleLeft, titleTop, titleWidth, titleHeight;
    const char* title;
    std::optional<Colour> titleColour; // none: the default label fore colour
    const char* icon;
};

ScreenDef movieScreen(const MovieScreen& m)
{
    return ScreenDef{
        .id = m.id,
        .caption = m.caption,
        .border = BorderStyle::FixedToolWindow,
        .controlBox = true,
        .startPosition = StartPosition::Manual,
        .clientLeft = m.clientLeft, .clientTop = m.clientTop,
        .clientWidth = m.clientWidth, .clientHeight = m.clientHeight,
        .backColour = m.back,
        .icon = IconDef::of(m.icon),
        .controls = {
            ControlDef{
                .kind = ControlKind::Button,
                .name = "Command2",
                .left = 0, .top = 240, .width = 1455, .height = 255,
                .caption = "Aşağı Al",
                .backColour = Colour::rgb(0xFFFFFF),
                .tabIndex = 3,
                .graphical = true,
            },
            ControlDef{
                .kind = ControlKind::Button,
                .name = "Command1",
                .left = 0, .top = 0, .width = 1455, .height = 255,
                .caption = "Anasayfaya Dön",
                .backColour = Colour::system(SystemColour::ActiveTitleBarText),
                .tabIndex = 2,
                .graphical = true,
            },
            // The window clips a panel that is larger than the client area.
            ControlDef{
                .kind = ControlKind::Movie,
                .name = "ShockwaveFlash1",
                .left = m.movieLeft, .top = m.movieTop, .width = m.movieWidth, .height = m.movieHeight,
                .tabIndex = 0,
                .movie = MovieSettings{},
            },
            ControlDef{
                .kind = ControlKind::Label,
                .name = "Label1",
                .left = m.titleLeft, .top = m.titleTop, .width = m.titleWidth, .height = m.titleHeight,
                .caption = m.title,
                .foreColour = m.titleColour,
                .font = Font{.face = "MS Sans Serif", .size = pt(13.5), .weight = 700},
                .transparent = true,
                .tabIndex = 1,
            },
        },
    };
}

} // namespace

void addPhotosAndMaps(Catalogue& catalogue)
{
    const MovieScreen screens[] = {
        {"fotolar", "Fotoğraflar", 3885, 495, 9120, 6585, Colour::rgb(0x0000FF), 0, 720, 9255, 5895,
         "movieplayer2.swf", 1560, 120, 7095, 375, "OSMANLI DÖNEMİNE AİT BAZI FOTOĞRAFLAR",
         Colour::system(SystemColour::HighlightText), "reading/fotolar.ico"},
        {"haritalar", "Haritalar", 3150, 675, 9030, 6975, Colour::rgb(0x00FF00), 0, 480, 9015, 6495,
         "haritalar.swf", 3600, 120, 1815, 375, "HARİTALAR", std::nullopt, "reading/haritalar.ico"},
    };
    for (const MovieScreen& m : screens) {
        catalogue.add(movieScreen(m));
        catalogue.add(Binding{m.id, "", Event::Load, {Step::startMovie(m.movieFile)}});
        catalogue.add(Binding{m.id, "Command1", Event::Click, {Step::goTo("giris")}});
        catalogue.add(Binding{m.id, "Command2", Event::Click, {Step::minimize()}});
    }
}

} // namespace yelvanis::screens::reading
