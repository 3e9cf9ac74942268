#include "Movies.h"
#include "MovieBuilder.h"
namespace yelvanis::movies {
std::vector<uint8_t> makeInstrumentsMovie(const MovieRecipe& r)
{
    MovieBuilder movie(r.width, r.height, r.frameRate, Qt::black);
    Scene scene(1);
    movie.setMain(scene);
    return movie.write();
}
}
