#pragma once

#include "runtime/Catalogue.h"

namespace yelvanis::screens {

// Every screen family's definitions and bindings.
void addAll(Catalogue& catalogue);
const Catalogue& all();

// One per family; each adds its screens and their bindings.
void addMain(Catalogue& catalogue);
void addRulers(Catalogue& catalogue);
void addChronology(Catalogue& catalogue);
void addMehter(Catalogue& catalogue);
void addReading(Catalogue& catalogue);
void addInfo(Catalogue& catalogue);


} // namespace yelvanis::screens
