#pragma once

#include "runtime/Binding.h"
#include "runtime/ScreenDef.h"
#include "screens/rulers/RulerTables.h"

#include <vector>

namespace yelvanis::screens::rulers {

// The gallery `Anasayfa` and its bindings.
ScreenDef galleryScreen();
std::vector<Binding> galleryBindings();

// One ruler screen from its record: the template every ruler screen follows.
ScreenDef rulerScreen(const RulerRecord& record);
// The close label: back to the gallery on the founder's screen, else Close.
Binding rulerCloseBinding(const RulerRecord& record);

// The name label's caption: its lines joined by CR LF.
std::string nameCaption(const Member& member);

} // namespace yelvanis::screens::rulers
