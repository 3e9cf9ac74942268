// The article index and articles, titles, will, photos and maps.
#include "screens/Screens.h"
#include "screens/reading/ReadingParts.h"

namespace yelvanis::screens {

void addReading(Catalogue& catalogue)
{
    reading::addArticles(catalogue);
    reading::addTitlesAndWill(catalogue);
    reading::addPhotosAndMaps(catalogue);
}

} // namespace yelvanis::screens
