#pragma once

#include "runtime/Binding.h"
#include "runtime/ScreenDef.h"

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace yelvanis {

// All screen definitions and handler bindings of the program. Screen
// families add themselves; lookups fail loudly on a name that does not exist.
class Catalogue {
public:
    void add(ScreenDef screen);
    void add(Binding binding);

    bool has(std::string_view id) const;
    // Throws std::out_of_range naming the screen when it is not defined.
    const ScreenDef& screen(std::string_view id) const;
    const std::vector<ScreenDef>& screens() const { return m_screens; }
    const std::vector<Binding>& bindings() const { return m_bindings; }
    // Nullptr when the event has no handler.
    const Binding* binding(std::string_view screen, std::string_view control, Event event) const;

private:
    std::vector<ScreenDef> m_screens;
    std::map<std::string, size_t, std::less<>> m_index;
    std::vector<Binding> m_bindings;
};

} // namespace yelvanis
