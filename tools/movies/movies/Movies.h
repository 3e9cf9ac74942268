#pragma once

// The program's six movies. Each function builds one movie from its sources
// (picture files, fonts, shoreline data) and returns the file's bytes.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace yelvanis::movies {

struct MovieRecipe {
    std::string file;   // name in the movies folder
    int width, height;  // the panel it plays in, in pixels
    double frameRate;
    std::function<std::vector<uint8_t>(const MovieRecipe&)> make;
};

const std::vector<MovieRecipe>& recipes();

std::vector<uint8_t> makeRulersMovie(const MovieRecipe& r);      // padisahlar.swf
std::vector<uint8_t> makeBandMovie(const MovieRecipe& r);        // intro1.swf
std::vector<uint8_t> makeInstrumentsMovie(const MovieRecipe& r); // mehter.swf
std::vector<uint8_t> makePlacesMovie(const MovieRecipe& r);      // movieplayer2.swf
std::vector<uint8_t> makeMapsMovie(const MovieRecipe& r);        // haritalar.swf
std::vector<uint8_t> makeEmblemMovie(const MovieRecipe& r);      // sultan.swf

} // namespace yelvanis::movies
