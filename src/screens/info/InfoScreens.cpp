// The three information dialogs.
#include "screens/Screens.h"

namespace yelvanis::screens {

void addInfo(Catalogue&)
{
}

} // namespace yelvanis::screens
