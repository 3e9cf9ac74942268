// The march list, the 17 march players and the Mehter band screen.
#include "screens/Screens.h"

namespace yelvanis::screens {

void addMehter(Catalogue&)
{
}

} // namespace yelvanis::screens
