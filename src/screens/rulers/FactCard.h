#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace yelvanis::screens::rulers {

// The short fact list of a ruler screen. An empty field is one the ruler
// does not have: its line is left out, not shown empty.
struct Facts {
    std::string father;
    std::string mother;
    std::string birth;
    std::string death;
    // The value's first line, then any further lines that continue it (a
    // reign in two periods).
    std::vector<std::string> reign;
    std::string area;
};

// One line per field, "key : value", in the fixed order of keys; lines are
// joined by a space, CR LF and a space, and the text ends with a space and
// CR LF.
std::string factCardText(const Facts& facts);

// Reads "Key: value" lines (the keys of the card) into the fields they
// name; empty lines are skipped. Throws std::invalid_argument on a line it
// cannot read or a key the card does not have.
Facts parseFacts(std::string_view text);

// Fields of `extra` fill the fields that `base` leaves empty.
Facts merged(Facts base, const Facts& extra);

} // namespace yelvanis::screens::rulers
