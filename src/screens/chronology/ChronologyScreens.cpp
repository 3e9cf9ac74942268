// The chronology menu and the eight period screens.
#include "screens/Screens.h"
#include "screens/chronology/PeriodScreens.h"

namespace yelvanis::screens {

namespace {

constexpr Colour kWhite = Colour::rgb(0xFFFFFF);

ControlDef menuButton(const char* name, const char* caption, int left, int top, int width, int height, Colour back,
                      int tabIndex)
{
    return ControlDef{
        .kind = ControlKind::Button,
        .name = name,
        .left = left, .top = top, .width = width, .height = height,
        .caption = caption,
        .backColour = back,
        .tabIndex = tabIndex,
        .graphical = true,
    };
}

// The red period buttons stand in a grid of two rows of four, in date order
// from left to right, although their names do not follow it.
ControlDef periodButton(const char* name, const char* caption, int column, int row, int tabIndex)
{
    return menuButton(name, caption, 120 + 2040 * column, 1440 + 600 * row, 1815, 375, Colour::rgb(0xFF0000),
                      tabIndex);
}

ScreenDef menuScreen()
{
    return ScreenDef{
        .id = "kronolojimenu",
        .caption = "Kronoloji",
        .border = BorderStyle::FixedToolWindow,
        .controlBox = false,
        .startPosition = StartPosition::CentreScreen,
        .clientWidth = 8205, .clientHeight = 2775,
        .backColour = kWhite,
        .showInTaskbar = false,
        .controls = {
            menuButton("Command9", "Aşağı Al", 0, 240, 1575, 255, kWhite, 10),
            menuButton("Command10", "Anasayfaya Dön", 0, 0, 1575, 255, kWhite, 9),
            periodButton("Command8", "1514 - 1583", 2, 0, 8),
            periodButton("Command7", "1583 - 1680", 3, 0, 7),
            periodButton("Command6", "1680 - 1771", 0, 1, 6),
            periodButton("Command5", "1771 - 1836", 1, 1, 5),
            periodButton("Command4", "1836 - 1886", 2, 1, 4),
            periodButton("Command3", "1886 - 1924", 3, 1, 3),
            periodButton("Command2", "1434 - 1514", 1, 0, 2),
            periodButton("Command1", "1299 - 1434", 0, 0, 1),
            ControlDef{
                .kind = ControlKind::Label,
                .name = "Label1",
                .left = 1680, .top = 600, .width = 5535, .height = 615,
                .caption = "OSMANLI DEVLETİ TARİHİ (KRONOLOJİK)",
                .font = Font{.face = "MS Sans Serif", .size = pt(12), .weight = 700},
                .transparent = true,
                .tabIndex = 0,
            },
        },
    };
}

} // namespace

void addChronology(Catalogue& catalogue)
{
    catalogue.add(menuScreen());
    catalogue.add(Binding{"kronolojimenu", "Command9", Event::Click, {Step::minimize()}});
    catalogue.add(Binding{"kronolojimenu", "Command10", Event::Click, {Step::goTo("giris")}});

    for (const chronology::PeriodRecord& period : chronology::periods()) {
        catalogue.add(chronology::periodScreen(period));
        catalogue.add(Binding{"kronolojimenu", period.openedBy, Event::Click, {Step::open(period.id)}});
        catalogue.add(Binding{period.id, "Command1", Event::Click, {Step::goTo("kronolojimenu")}});
        catalogue.add(Binding{period.id, "Command2", Event::Click, {Step::goTo("giris")}});
    }
}

} // namespace yelvanis::screens
