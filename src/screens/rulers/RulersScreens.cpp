// The ruler gallery and the 36 ruler screens.
#include "screens/Screens.h"

namespace yelvanis::screens {

void addRulers(Catalogue&)
{
}

} // namespace yelvanis::screens
