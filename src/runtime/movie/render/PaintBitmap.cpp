#include "runtime/movie/render/PaintKinds.h"

namespace yelvanis::swf::render {

// For now nothing; bitmap sampling follows.
std::unique_ptr<Paint> makeBitmapPaint(const FillStyle&, const Matrix&, const ColorTransform&, const BitmapView*, bool)
{
    return makeSolidPaint(0);
}

} // namespace yelvanis::swf::render
