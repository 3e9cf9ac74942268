// The article index and articles, titles, will, photos and maps.
#include "screens/Screens.h"

namespace yelvanis::screens {

void addReading(Catalogue&)
{
}

} // namespace yelvanis::screens
