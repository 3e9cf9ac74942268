#pragma once

#include <string>

namespace yelvanis::stream {

// The base address of the march server, fixed when the program is built
// (for example "http://127.0.0.1:47801"), without a trailing slash.
std::string marchServer();

} // namespace yelvanis::stream
