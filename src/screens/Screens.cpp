#include "screens/Screens.h"

namespace yelvanis::screens {

void addAll(Catalogue& catalogue)
{
    addMain(catalogue);
    addRulers(catalogue);
    addChronology(catalogue);
    addMehter(catalogue);
    addReading(catalogue);
    addInfo(catalogue);
}

const Catalogue& all()
{
    static const Catalogue catalogue = [] {
        Catalogue c;
        addAll(c);
        return c;
    }();
    return catalogue;
}

} // namespace yelvanis::screens
