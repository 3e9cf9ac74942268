#pragma once

#include "runtime/ScreenDef.h"

#include <array>
#include <span>

namespace yelvanis::screens::chronology {

struct Box {
    int left = 0, top = 0, width = 0, height = 0;
};

// The four controls of a period screen, named by their role.
enum class Role { Home, Back, Body, Heading };

// What one period screen has of its own; the rest is the template's.
struct PeriodRecord {
    const char* id;
    const char* openedBy; // the menu button that opens it
    const char* caption;
    BorderStyle border;
    Colour back;
    int clientWidth, clientHeight;
    const char* headingName;
    int headingLeft, headingTop;
    const char* heading;
    const char* bodyName;
    Box body;
    // Tab indexes of the text box, the heading label, "Kapat ve Geri Dön"
    // and "Anasayfaya Dön".
    int bodyTab, headingTab, backTab, homeTab;
    std::array<Role, 4> order;
    const char* bodyFile; // below src/content
    // "Kapat ve Geri Dön": left and width, where they differ from the others.
    int backLeft = 7440, backWidth = 1575;
};

// The eight periods in date order, as the menu's grid shows them.
std::span<const PeriodRecord> periods();

ScreenDef periodScreen(const PeriodRecord& record);

} // namespace yelvanis::screens::chronology
