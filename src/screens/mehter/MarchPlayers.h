#pragma once

#include "runtime/Catalogue.h"

#include <vector>

namespace yelvanis::screens::mehter {

// One march player screen: what differs between the seventeen.
struct MarchPlayer {
    const char* id;
    const char* caption;
    int clientWidth, clientHeight;
    int playerWidth, playerHeight;
    const char* streamPath; // on the march server
};

const std::vector<MarchPlayer>& marchPlayers();

// The template: a player screen whose stream lies on the given server
// (a base address such as "http://127.0.0.1:47801").
ScreenDef marchPlayerScreen(const MarchPlayer& player, const std::string& server);

// The player screens mehter1 to mehter17, on the march server the program
// was built for.
void addMarchPlayers(Catalogue& catalogue);

} // namespace yelvanis::screens::mehter
