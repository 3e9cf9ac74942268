// The titles glossary `unvanlar` and Osman Gazi's will `vasiyet`: a heading,
// one reading text box and two buttons each.
#include "content/Content.h"
#include "screens/reading/ReadingParts.h"

#include <string>

namespace yelvanis::screens::reading {

namespace {

constexpr Colour kRed = Colour::rgb(0xFF0000);

ControlDef button(const char* name, const char* caption, int left, int top, int width, int height, int tabIndex)
{
    return ControlDef{
        .kind = ControlKind::Button,
        .name = name,
        .left = left, .top = top, .width = width, .height = height,
        .caption = caption,
        .backColour = kRed,
        .tabIndex = tabIndex,
        .graphical = true,
    };
}

// Tab index 0 and a tab stop: the focus starts in the text.
ControlDef readingBox(const char* name, const char* body, int left, int top, int width, int height, Colour back)
{
    return ControlDef{
        .kind = ControlKind::TextBox,
        .name = name,
        .left = left, .top = top, .width = width, .height = height,
        .text = std::string(content::get(body)),
        .backColour = back,
        .foreColour = Colour::rgb(0x404040),
        .font = Font{.face = "Tahoma", .size = pt(11.25), .weight = 700},
        .tabIndex = 0,
    };
}

ControlDef heading(const char* caption, int left, int top, int width, int height)
{
    return ControlDef{
        .kind = ControlKind::Label,
        .name = "Label1",
        .left = left, .top = top, .width = width, .height = height,
        .caption = caption,
        .foreColour = kRed,
        .font = Font{.face = "MS Sans Serif", .size = pt(12), .weight = 700},
        .transparent = true,
        .tabIndex = 1,
    };
}

ScreenDef readingPage(const char* id, int clientWidth, int clientHeight, std::vector<ControlDef> controls)
{
    // No control box: the two buttons are the only way off the screen.
    return ScreenDef{
        .id = id,
        .caption = "Yelvanis v1.0",
        .border = BorderStyle::FixedToolWindow,
        .controlBox = false,
        .startPosition = StartPosition::CentreScreen,
        .clientWidth = clientWidth, .clientHeight = clientHeight,
        .backColour = Colour::system(SystemColour::HighlightText),
        .showInTaskbar = false,
        .controls = std::move(controls),
    };
}

} // namespace

void addTitlesAndWill(Catalogue& catalogue)
{
    // Both buttons reach 60 twips past the right edge and are cut off there.
    catalogue.add(readingPage("unvanlar", 7755, 8310, {
        button("Command2", "Aşağı Al", 6360, 360, 1455, 255, 3),
        button("Command1", "Anasayfaya Dön", 6360, 0, 1455, 315, 2),
        readingBox("Text1", "reading/unvanlar.txt", 120, 1440, 7515, 6765, Colour::rgb(0xFFFFC0)),
        heading("OSMANLI DEVLETİ'NDE ÜNVANLAR VE ANLAMLARI", 360, 600, 6735, 615),
    }));
    // Here Command1 minimizes and Command2 returns, the other way round.
    catalogue.add(readingPage("vasiyet", 9030, 7395, {
        button("Command2", "Anasayfaya Dön", 7680, 0, 1335, 255, 3),
        button("Command1", "Aşağı Al", 7680, 240, 1335, 255, 2),
        readingBox("Output", "reading/vasiyet.txt", 120, 1320, 8835, 5925, Colour::rgb(0xFFFFFF)),
        heading("OSMAN GAZİ'NİN OĞLU ORHAN GAZİ'YE VASİYETİ", 1080, 600, 7335, 735),
    }));

    catalogue.add(Binding{"unvanlar", "Command1", Event::Click, {Step::goTo("giris")}});
    catalogue.add(Binding{"unvanlar", "Command2", Event::Click, {Step::minimize()}});
    catalogue.add(Binding{"vasiyet", "Command1", Event::Click, {Step::minimize()}});
    catalogue.add(Binding{"vasiyet", "Command2", Event::Click, {Step::goTo("giris")}});
}

} // namespace yelvanis::screens::reading
