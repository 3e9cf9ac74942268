#include "runtime/Text.h"

#include <cstdint>

namespace yelvanis {

namespace {

// Code points that code page 1254 maps into 0x80..0x9F and the six Turkish
// letters that replace Latin-1 ones at 0xD0, 0xDD, 0xDE, 0xF0, 0xFD, 0xFE.
constexpr std::uint32_t kExtra[] = {
    0x20AC, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039,
    0x0152, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161,
    0x203A, 0x0153, 0x0178, 0x011E, 0x0130, 0x015E, 0x011F, 0x0131, 0x015F,
};
// Latin-1 code points that code page 1254 does not have.
constexpr std::uint32_t kMissingLatin1[] = {0xD0, 0xDD, 0xDE, 0xF0, 0xFD, 0xFE};

bool inCp1254(std::uint32_t cp)
{
    if (cp < 0x80)
        return true;
    for (auto m : kMissingLatin1)
        if (cp == m)
            return false;
    if (cp >= 0xA0 && cp <= 0xFF)
        return true;
    for (auto e : kExtra)
        if (cp == e)
            return true;
    return false;
}

// Decodes one code point; returns 0xFFFFFFFF on malformed input.
std::uint32_t next(std::string_view s, size_t& i)
{
    const auto c = static_cast<unsigned char>(s[i++]);
    if (c < 0x80)
        return c;
    int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : -1;
    if (extra < 0 || i + extra > s.size())
        return 0xFFFFFFFF;
    std::uint32_t cp = c & (0x3F >> extra);
    for (int k = 0; k < extra; ++k) {
        const auto d = static_cast<unsigned char>(s[i++]);
        if ((d & 0xC0) != 0x80)
            return 0xFFFFFFFF;
        cp = (cp << 6) | (d & 0x3F);
    }
    return cp;
}

} // namespace

bool encodableInCp1254(std::string_view s, std::string* firstBad)
{
    for (size_t i = 0; i < s.size();) {
        const size_t start = i;
        const std::uint32_t cp = next(s, i);
        if (cp == 0xFFFFFFFF || !inCp1254(cp)) {
            if (firstBad)
                *firstBad = std::string(s.substr(start, i - start));
            return false;
        }
    }
    return true;
}

size_t characterCount(std::string_view s)
{
    size_t n = 0;
    for (unsigned char c : s)
        if ((c & 0xC0) != 0x80)
            ++n;
    return n;
}

std::string withCrLf(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + text.size() / 40);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r'))
            out += '\r';
        out += text[i];
    }
    return out;
}

} // namespace yelvanis
