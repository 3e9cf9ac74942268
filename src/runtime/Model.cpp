#include "runtime/Binding.h"
#include "runtime/Catalogue.h"
#include "runtime/ControlDef.h"
#include "runtime/ScreenDef.h"

#include <stdexcept>

namespace yelvanis {

Font defaultFont()
{
    return Font{};
}

ControlDef withDefaults(ControlDef c)
{
    const Colour buttonFace = Colour::system(SystemColour::ButtonFace);
    const Colour buttonText = Colour::system(SystemColour::ButtonText);
    switch (c.kind) {
    case ControlKind::Label:
        if (!c.caption) c.caption = std::string();
        if (!c.font) c.font = defaultFont();
        if (!c.foreColour) c.foreColour = buttonText;
        if (!c.backColour) c.backColour = buttonFace;
        if (!c.transparent) c.transparent = false;
        if (!c.alignment) c.alignment = Alignment::Left;
        if (!c.autoSize) c.autoSize = false;
        break;
    case ControlKind::Button:
        if (!c.caption) c.caption = std::string();
        if (!c.font) c.font = defaultFont();
        if (!c.backColour) c.backColour = buttonFace;
        if (!c.graphical) c.graphical = false;
        break;
    case ControlKind::Frame:
        // A frame without a caption draws its border alone: caption stays empty.
        if (!c.font) c.font = defaultFont();
        if (!c.foreColour) c.foreColour = buttonText;
        if (!c.backColour) c.backColour = buttonFace;
        break;
    case ControlKind::TextBox:
        if (!c.tabStop) c.tabStop = true;
        if (!c.font) c.font = defaultFont();
        if (!c.foreColour) c.foreColour = Colour::system(SystemColour::WindowText);
        if (!c.backColour) c.backColour = Colour::rgb(0xFFFFFF);
        break;
    case ControlKind::Image:
        if (!c.stretch) c.stretch = false;
        break;
    case ControlKind::Line:
        if (!c.lineWidth) c.lineWidth = 1;
        break;
    case ControlKind::Movie:
        if (!c.movie) c.movie = MovieSettings{};
        break;
    case ControlKind::Stream:
        break;
    }
    return c;
}

ScreenDef withDefaults(ScreenDef s)
{
    if (!s.backColour)
        s.backColour = Colour::system(SystemColour::ButtonFace);
    for (auto& c : s.controls)
        c = withDefaults(std::move(c));
    return s;
}

const ControlDef* ScreenDef::control(std::string_view name) const
{
    for (const auto& c : controls)
        if (c.name == name)
            return &c;
    return nullptr;
}

const char* kindName(ControlKind k)
{
    switch (k) {
    case ControlKind::Label: return "label";
    case ControlKind::TextBox: return "textbox";
    case ControlKind::Frame: return "frame";
    case ControlKind::Button: return "button";
    case ControlKind::Image: return "image";
    case ControlKind::Line: return "line";
    case ControlKind::Movie: return "movie";
    case ControlKind::Stream: return "stream";
    }
    return "unknown";
}

const char* borderName(BorderStyle b)
{
    switch (b) {
    case BorderStyle::FixedDialog: return "fixed-dialog";
    case BorderStyle::FixedToolWindow: return "fixed-tool-window";
    case BorderStyle::SizableToolWindow: return "sizable-tool-window";
    }
    return "unknown";
}

const char* startPositionName(StartPosition p)
{
    switch (p) {
    case StartPosition::Manual: return "manual";
    case StartPosition::CentreScreen: return "centre";
    case StartPosition::SystemDefault: return "system-default";
    }
    return "unknown";
}

const char* actionName(Action a)
{
    switch (a) {
    case Action::GoTo: return "goto";
    case Action::Open: return "open";
    case Action::Close: return "close";
    case Action::Minimize: return "minimize";
    case Action::StartMovie: return "movie";
    case Action::LaunchBrowser: return "browser";
    }
    return "unknown";
}

const char* eventName(Event e)
{
    return e == Event::Click ? "click" : "load";
}

void Catalogue::add(ScreenDef screen)
{
    if (m_index.count(screen.id))
        throw std::logic_error("screen defined twice: " + screen.id);
    m_index.emplace(screen.id, m_screens.size());
    m_screens.push_back(withDefaults(std::move(screen)));
}

void Catalogue::add(Binding binding)
{
    m_bindings.push_back(std::move(binding));
}

bool Catalogue::has(std::string_view id) const
{
    return m_index.find(id) != m_index.end();
}

const ScreenDef& Catalogue::screen(std::string_view id) const
{
    auto it = m_index.find(id);
    if (it == m_index.end())
        throw std::out_of_range("no screen named \"" + std::string(id) + "\"");
    return m_screens[it->second];
}

const Binding* Catalogue::binding(std::string_view screen, std::string_view control, Event event) const
{
    for (const auto& b : m_bindings)
        if (b.screen == screen && b.control == control && b.event == event)
            return &b;
    return nullptr;
}

} // namespace yelvanis
