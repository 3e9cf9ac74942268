#include "runtime/stream/MarchServer.h"

#ifndef YELVANIS_MARCH_SERVER
#error "YELVANIS_MARCH_SERVER must name the march server's base address"
#endif

namespace yelvanis::stream {

std::string marchServer()
{
    std::string base = YELVANIS_MARCH_SERVER;
    while (!base.empty() && base.back() == '/')
        base.pop_back();
    return base;
}

} // namespace yelvanis::stream
