#include "runtime/Colour.h"

#include <cstdio>

namespace yelvanis {

std::uint32_t systemColourRgb(SystemColour c)
{
    switch (c) {
    case SystemColour::WindowText: return 0x000000;
    case SystemColour::ActiveTitleBarText: return 0xFFFFFF;
    case SystemColour::HighlightText: return 0xFFFFFF;
    case SystemColour::ButtonFace: return 0xF0F0F0;
    case SystemColour::ButtonText: return 0x000000;
    }
    return 0x000000;
}

const char* systemColourName(SystemColour c)
{
    switch (c) {
    case SystemColour::WindowText: return "window-text";
    case SystemColour::ActiveTitleBarText: return "active-title-bar-text";
    case SystemColour::HighlightText: return "highlight-text";
    case SystemColour::ButtonFace: return "button-face";
    case SystemColour::ButtonText: return "button-text";
    }
    return "unknown";
}

std::uint32_t Colour::resolvedRgb() const
{
    if (isSystem())
        return systemColourRgb(systemColour());
    return (std::uint32_t(red()) << 16) | (std::uint32_t(green()) << 8) | blue();
}

std::string toString(Colour c)
{
    if (c.isSystem())
        return std::string("system:") + systemColourName(c.systemColour());
    char buf[8];
    std::snprintf(buf, sizeof buf, "#%02X%02X%02X", c.red(), c.green(), c.blue());
    return buf;
}

} // namespace yelvanis
