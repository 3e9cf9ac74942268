// The template of the eight period screens: two stacked buttons at the top
// right, a red heading and one text box with the period's dated entries.
#include "screens/chronology/PeriodScreens.h"

#include "content/Content.h"

namespace yelvanis::screens::chronology {

namespace {

const Font kHeadingFont{.face = "MS Sans Serif", .size = pt(12), .weight = 700};
const Font kReadingFont{.face = "Tahoma", .size = pt(11.25), .weight = 700};
constexpr Colour kWhite = Colour::rgb(0xFFFFFF);
constexpr Colour kRed = Colour::rgb(0xFF0000);
constexpr Colour kTitleText = Colour::system(SystemColour::ActiveTitleBarText);

constexpr int kButtonsLeft = 7440, kButtonWidth = 1575, kButtonHeight = 255;

ControlDef homeButton(const PeriodRecord& r)
{
    return ControlDef{
        .kind = ControlKind::Button,
        .name = "Command2",
        .left = kButtonsLeft, .top = 240, .width = kButtonWidth, .height = kButtonHeight,
        .caption = "Anasayfaya Dön",
        .backColour = kRed,
        .tabIndex = r.homeTab,
        .graphical = true,
    };
}

ControlDef backButton(const PeriodRecord& r)
{
    return ControlDef{
        .kind = ControlKind::Button,
        .name = "Command1",
        .left = r.backLeft, .top = 0, .width = r.backWidth, .height = kButtonHeight,
        .caption = "Kapat ve Geri Dön",
        .backColour = kTitleText,
        .tabIndex = r.backTab,
        .graphical = true,
    };
}

ControlDef body(const PeriodRecord& r)
{
    return ControlDef{
        .kind = ControlKind::TextBox,
        .name = r.bodyName,
        .left = r.body.left, .top = r.body.top, .width = r.body.width, .height = r.body.height,
        .text = std::string(content::get(r.bodyFile)),
        .backColour = kWhite,
        .foreColour = Colour::rgb(0x404040),
        .font = kReadingFont,
        .tabIndex = r.bodyTab,
    };
}

ControlDef heading(const PeriodRecord& r)
{
    return ControlDef{
        .kind = ControlKind::Label,
        .name = r.headingName,
        .left = r.headingLeft, .top = r.headingTop, .width = 4215, .height = 375,
        .caption = r.heading,
        .foreColour = kRed,
        .font = kHeadingFont,
        .transparent = true,
        .tabIndex = r.headingTab,
    };
}

} // namespace

std::span<const PeriodRecord> periods()
{
    using enum Role;
    constexpr auto tool = BorderStyle::FixedToolWindow;
    constexpr std::array<Role, 4> usual{Home, Back, Body, Heading};
    // id, opened by, caption, border, back colour, client width and height,
    // heading name, left, top, caption, text box name and box, tab indexes
    // (text box, heading, back, home), definition order, body.
    static const PeriodRecord records[] = {
        {"kronoloji1", "Command1", "Kronoloji", tool, kWhite, 9090, 3780, "Label1", 120, 720, "1299 - 1434 ",
         "Output", {0, 1080, 9075, 2565}, 0, 1, 2, 3, usual, "chronology/kronoloji1.txt"},
        {"kronoloji2", "Command2", "Kronoloji", tool, kTitleText, 9075, 4245, "Label3", 0, 360, "1434 - 1514 Yılları",
         "Text1", {0, 720, 9075, 3405}, 2, 1, 0, 3, {Home, Body, Back, Heading}, "chronology/kronoloji2.txt"},
        {"kronoloji3", "Command8", "Kronoloji", tool, kWhite, 9090, 4245, "Label4", 0, 600, "1514 - 1583 Yılları",
         "Text2", {0, 1080, 9075, 3045}, 1, 0, 2, 3, usual, "chronology/kronoloji3.txt"},
        {"kronoloji4", "Command7", "Kronoloji", tool, kTitleText, 9120, 4215, "Label5", 120, 360, "1583 - 1680 Yılları",
         "Text3", {0, 840, 9075, 3285}, 1, 0, 2, 3, usual, "chronology/kronoloji4.txt", 7560, 1455},
        {"kronoloji5", "Command6", "Kronoloji", tool, kWhite, 9120, 4440, "Label5", 120, 600, "1680 - 1771 Yılları",
         "Text3", {0, 1080, 9075, 3285}, 1, 0, 2, 3, usual, "chronology/kronoloji5.txt"},
        // The one without a title bar: no caption on a dialog border.
        {"kronoloji9", "Command5", "", BorderStyle::FixedDialog, kWhite, 9105, 4440, "Label5", 120, 600,
         "1771 - 1836 Yılları", "Text3", {0, 1080, 9075, 3285}, 2, 3, 1, 0, {Body, Back, Home, Heading},
         "chronology/kronoloji9.txt"},
        {"kronoloji7", "Command4", "Kronoloji", tool, kTitleText, 9105, 4455, "Label5", 120, 600, "1836 - 1886 Yılları",
         "Text3", {0, 1080, 9075, 3285}, 1, 0, 2, 3, usual, "chronology/kronoloji7.txt"},
        {"kronoloji8", "Command3", "Kronoloji", tool, kTitleText, 9105, 4455, "Label5", 120, 600, "1886 - 1924 Yılları",
         "Text3", {0, 1080, 9075, 3285}, 1, 0, 2, 3, usual, "chronology/kronoloji8.txt"},
    };
    return records;
}

ScreenDef periodScreen(const PeriodRecord& r)
{
    ScreenDef s{
        .id = r.id,
        .caption = r.caption,
        .border = r.border,
        .controlBox = false,
        .startPosition = StartPosition::CentreScreen,
        .clientWidth = r.clientWidth, .clientHeight = r.clientHeight,
        .backColour = r.back,
    };
    for (Role p : r.order) {
        switch (p) {
        case Role::Home: s.controls.push_back(homeButton(r)); break;
        case Role::Back: s.controls.push_back(backButton(r)); break;
        case Role::Body: s.controls.push_back(body(r)); break;
        case Role::Heading: s.controls.push_back(heading(r)); break;
        }
    }
    return s;
}

} // namespace yelvanis::screens::chronology
