#include "runtime/movie/SwfTags.h"

#include "runtime/movie/SwfTypes.h"

namespace yelvanis::swf {

namespace {

constexpr bool sortedAndFull()
{
    for (size_t i = 0; i < kTags.size(); ++i)
        if (!kTags[i].name || (i > 0 && kTags[i - 1].code >= kTags[i].code))
            return false;
    return true;
}
static_assert(sortedAndFull(), "the tag table must be sorted by code, one row a code");

// Codes run to 94: a direct index keeps the reader's per-tag lookup O(1).
struct Index {
    int8_t row[128];
    constexpr Index()
        : row {}
    {
        for (auto& r : row)
            r = -1;
        for (size_t i = 0; i < kTags.size(); ++i)
            row[kTags[i].code] = int8_t(i);
    }
};
constexpr Index kIndex;

} // namespace

const TagKind* findTag(uint16_t code)
{
    if (code >= std::size(kIndex.row) || kIndex.row[code] < 0)
        return nullptr;
    return &kTags[size_t(kIndex.row[code])];
}

const char* tagName(uint16_t code)
{
    const TagKind* t = findTag(code);
    return t ? t->name : "Unknown";
}

} // namespace yelvanis::swf
