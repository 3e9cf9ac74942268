// The ruler gallery and the 36 ruler screens.
#include "screens/Screens.h"
#include "screens/rulers/RulerDefinitions.h"

namespace yelvanis::screens {

void addRulers(Catalogue& catalogue)
{
    catalogue.add(rulers::galleryScreen());
    for (Binding& b : rulers::galleryBindings())
        catalogue.add(std::move(b));
    for (const rulers::RulerRecord& r : rulers::rulerRecords()) {
        catalogue.add(rulers::rulerScreen(r));
        catalogue.add(rulers::rulerCloseBinding(r));
    }
}

} // namespace yelvanis::screens
