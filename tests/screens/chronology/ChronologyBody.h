#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace yelvanis::testing {

// A calendar day as far as a date line gives it: month and day 0 when left out.
struct Day {
    int year = 0, month = 0, day = 0;
};

// What a date line of a chronology entry says: where it starts, where a span
// ends (equal to the start otherwise) and the Hijri year, if it gives one.
struct DateLine {
    Day start, end;
    int hijri = 0;
    bool span = false;
};

// Reads one date line in one of the forms the bodies use: "1302",
// "1349-1352", "1299 - 1300 ", "Ocak 1789", "11 Mart 1836",
// "Eylül - Ekim 1912", "2-3 Ağustos 1903", "27 Ocak - 12 Şubat 1921" and
// "1760 (1173)". Nullopt, with the reason in *why, for anything else or for
// a day that does not exist.
std::optional<DateLine> parseDateLine(std::string_view line, std::string* why = nullptr);

// True when a lies after b as far as both say: "Mart 1500" is neither before
// nor after "3 Mart 1500", "1500" neither before nor after "Mart 1500".
bool after(const Day& a, const Day& b);

struct Entry {
    std::string date;
    std::string description; // without its leading blank
    DateLine when;
    int line = 0; // of the date line, from 1
};

// A chronology body read entry by entry. Every departure from the format
// (CR LF lines, three lines an entry, one blank before the description, a
// separator of one blank, date order) is one fault naming its line.
struct Body {
    std::vector<Entry> entries;
    std::vector<std::string> faults;
};

Body parseBody(std::string_view text);

} // namespace yelvanis::testing
