#pragma once

#include <string>
#include <string_view>

namespace yelvanis {

// Texts are UTF-8 in memory; every one must also exist in code page 1254,
// the single-byte Turkish code page the screens were made for.
bool encodableInCp1254(std::string_view utf8, std::string* firstBad = nullptr);

// Number of characters (code points) of a UTF-8 text, CR and LF counted.
size_t characterCount(std::string_view utf8);

// Turns every lone LF into CR LF, leaving existing CR LF pairs alone.
std::string withCrLf(std::string_view text);

} // namespace yelvanis
