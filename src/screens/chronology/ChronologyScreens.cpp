// The chronology menu and the eight period screens.
#include "screens/Screens.h"

namespace yelvanis::screens {

void addChronology(Catalogue&)
{
}

} // namespace yelvanis::screens
