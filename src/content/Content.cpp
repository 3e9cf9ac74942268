#include "content/Content.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace yelvanis::content {

namespace generated {
struct Entry {
    std::string_view name;
    std::string_view data;
};
extern const Entry kEntries[];
extern const unsigned kEntryCount;
} // namespace generated

namespace {
const generated::Entry* find(std::string_view name)
{
    for (unsigned i = 0; i < generated::kEntryCount; ++i)
        if (generated::kEntries[i].name == name)
            return &generated::kEntries[i];
    return nullptr;
}
} // namespace

bool has(std::string_view name)
{
    return find(name) != nullptr;
}

std::string_view get(std::string_view name)
{
    if (const auto* e = find(name))
        return e->data;
    throw std::out_of_range("no content named \"" + std::string(name) + "\"");
}

std::vector<std::string_view> names()
{
    std::vector<std::string_view> out;
    for (unsigned i = 0; i < generated::kEntryCount; ++i)
        out.push_back(generated::kEntries[i].name);
    return out;
}

} // namespace yelvanis::content
