#pragma once

#include "runtime/Colour.h"
#include "runtime/Font.h"
#include "runtime/Picture.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace yelvanis {

enum class ControlKind { Label, TextBox, Frame, Button, Image, Line, Movie, Stream };

enum class Alignment { Left, Right, Centre };

// Initial settings of a movie panel, under the player's own property names.
struct MovieSettings {
    std::string wMode = "Window";
    std::string quality = "High";
    std::string scale = "ShowAll";
    bool play = false;
    bool loop = false;
    bool menu = false;
    std::string allowScriptAccess = "always";
    bool seamlessTabbing = true;
    bool deviceFont = false;
    bool embedMovie = false;
    std::string movie;
    std::string src;
    std::string base;
    std::string sAlign;
    std::string bgColor;
    std::string flashVars;
    bool operator==(const MovieSettings&) const = default;
};

// One control of a screen definition. Fields are in the order definitions
// write them with designated initializers; a property left out is empty here
// and filled in by withDefaults().
struct ControlDef {
    ControlKind kind = ControlKind::Label;
    std::string name;
    std::string container; // empty: the screen; else the name of a frame
    int left = 0, top = 0, width = 0, height = 0; // twips, from the container's corner
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;           // lines only
    std::optional<std::string> caption;
    std::string text;
    std::optional<Colour> backColour;
    std::optional<Colour> foreColour;
    std::optional<Font> font;
    std::optional<bool> transparent;
    std::optional<Alignment> alignment;
    std::optional<bool> autoSize;
    int tabIndex = 0;
    std::optional<bool> tabStop;
    std::optional<bool> graphical;
    std::optional<bool> stretch;
    std::optional<PictureRef> picture;
    std::optional<int> lineWidth;
    std::optional<MovieSettings> movie;
    std::vector<std::uint8_t> settingsRecord; // stream players: the stored settings record
    bool multiLine = true;
    bool readOnly = true;
    bool verticalScrollBar = true;

    // The containing window or frame is drawn over by these; the others are
    // painted on the container's surface.
    bool isWindowed() const
    {
        return kind == ControlKind::Button || kind == ControlKind::TextBox || kind == ControlKind::Frame
            || kind == ControlKind::Movie || kind == ControlKind::Stream;
    }
    bool canTakeFocus() const
    {
        return kind == ControlKind::Button || kind == ControlKind::TextBox || kind == ControlKind::Movie
            || kind == ControlKind::Stream;
    }
};

// Every line is drawn in this colour; none has one of its own.
inline constexpr Colour kLineColour = Colour::system(SystemColour::WindowText);

ControlDef withDefaults(ControlDef c);

const char* kindName(ControlKind k);

} // namespace yelvanis
