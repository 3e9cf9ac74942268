#pragma once

#include "runtime/ControlDef.h"

#include <optional>
#include <string>
#include <vector>

namespace yelvanis {

enum class BorderStyle { FixedDialog, FixedToolWindow, SizableToolWindow };
enum class StartPosition { Manual, CentreScreen, SystemDefault };

struct IconDef {
    enum class Kind { Default, None, Picture };
    Kind kind = Kind::Default;
    PictureRef picture;

    static IconDef none() { return {Kind::None, {}}; }
    static IconDef of(std::string resource) { return {Kind::Picture, {std::move(resource)}}; }
};

struct MenuItemDef {
    std::string name;
    std::string caption;
    std::vector<MenuItemDef> items;
};

struct ScreenDef {
    std::string id;
    std::string caption;
    BorderStyle border = BorderStyle::FixedDialog;
    bool controlBox = false;
    StartPosition startPosition = StartPosition::Manual;
    int clientLeft = 0, clientTop = 0;
    int clientWidth = 0, clientHeight = 0;
    std::optional<Colour> backColour;
    IconDef icon;
    std::optional<Font> font;
    bool showInTaskbar = true;
    std::vector<MenuItemDef> menu;
    std::vector<ControlDef> controls;

    // No caption and no control box: the window is its border and client area.
    bool hasTitleBar() const { return !caption.empty() || controlBox; }
    const ControlDef* control(std::string_view name) const;
};

ScreenDef withDefaults(ScreenDef s);

const char* borderName(BorderStyle b);
const char* startPositionName(StartPosition p);

} // namespace yelvanis
