#pragma once

#include "runtime/Catalogue.h"

#include <string>

namespace yelvanis::screens::reading {

// The article index and its six articles.
void addArticles(Catalogue& catalogue);
// The titles glossary and Osman Gazi's will.
void addTitlesAndWill(Catalogue& catalogue);
// The photo and map screens with their movies.
void addPhotosAndMaps(Catalogue& catalogue);

// Captions keep their runs of blanks exactly; this spells them out.
inline std::string blanks(int n)
{
    return std::string(static_cast<size_t>(n), ' ');
}

inline constexpr const char* kCrLf = "\r\n";

} // namespace yelvanis::screens::reading
