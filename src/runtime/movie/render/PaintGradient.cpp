#include "runtime/movie/render/PaintKinds.h"

namespace yelvanis::swf::render {

// For now the first stop's colour everywhere; the gradient itself follows.
std::unique_ptr<Paint> makeGradientPaint(const FillStyle& style, const Matrix&, const ColorTransform& cx)
{
    if (style.gradient.stops.empty())
        return makeSolidPaint(0);
    return makeSolidPaint(premultiply(cx.apply(style.gradient.stops.front().color)));
}

} // namespace yelvanis::swf::render
