#include "screens/rulers/FactCard.h"

#include <stdexcept>

namespace yelvanis::screens::rulers {

namespace {

constexpr const char* kFather = "Babası";
constexpr const char* kMother = "Annesi";
constexpr const char* kBirth = "Doğumu";
constexpr const char* kDeath = "Ölümü";
constexpr const char* kReign = "Saltanatı";
constexpr const char* kArea = "Devlet Sınırları";

std::string_view trimmed(std::string_view s)
{
    const auto isSpace = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!s.empty() && isSpace(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isSpace(s.back()))
        s.remove_suffix(1);
    return s;
}

} // namespace

std::string factCardText(const Facts& facts)
{
    std::vector<std::string> lines;
    const auto field = [&lines](const char* key, const std::string& value) {
        if (!value.empty())
            lines.push_back(std::string(key) + " : " + value);
    };
    field(kFather, facts.father);
    field(kMother, facts.mother);
    field(kBirth, facts.birth);
    field(kDeath, facts.death);
    if (!facts.reign.empty()) {
        field(kReign, facts.reign.front());
        lines.insert(lines.end(), facts.reign.begin() + 1, facts.reign.end());
    }
    field(kArea, facts.area);

    std::string text;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            text += " \r\n ";
        text += lines[i];
    }
    if (!lines.empty())
        text += " \r\n";
    return text;
}

Facts parseFacts(std::string_view text)
{
    Facts facts;
    while (!text.empty()) {
        const size_t eol = text.find('\n');
        const std::string_view line = trimmed(text.substr(0, eol));
        text.remove_prefix(eol == std::string_view::npos ? text.size() : eol + 1);
        if (line.empty())
            continue;
        const size_t colon = line.find(':');
        if (colon == std::string_view::npos)
            throw std::invalid_argument("fact line without a colon: " + std::string(line));
        const std::string key(trimmed(line.substr(0, colon)));
        const std::string value(trimmed(line.substr(colon + 1)));
        if (key == kFather) facts.father = value;
        else if (key == kMother) facts.mother = value;
        else if (key == kBirth) facts.birth = value;
        else if (key == kDeath) facts.death = value;
        else if (key == kReign) facts.reign = {value};
        else if (key == kArea) facts.area = value;
        else throw std::invalid_argument("no fact card line is called " + key);
    }
    return facts;
}

Facts merged(Facts base, const Facts& extra)
{
    const auto fill = [](std::string& field, const std::string& value) {
        if (field.empty())
            field = value;
    };
    fill(base.father, extra.father);
    fill(base.mother, extra.mother);
    fill(base.birth, extra.birth);
    fill(base.death, extra.death);
    if (base.reign.empty())
        base.reign = extra.reign;
    fill(base.area, extra.area);
    return base;
}

} // namespace yelvanis::screens::rulers
