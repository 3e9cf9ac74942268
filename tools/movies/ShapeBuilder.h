#pragma once

// Builds a Shape from Qt painter paths given in pixels. Every fill gets a
// style of its own, so overlapping pieces never cancel each other out; a fill
// that follows a stroke starts a new style layer so that it is drawn above
// the stroke, in the order the pieces were added. A shape whose fills all
// ask for the non-zero rule is filled by that rule. Cubic curves become
// quadratic ones within a fraction of a pixel.

#include <QColor>
#include <QPainterPath>
#include <QPointF>
#include <vector>

#include "runtime/movie/SwfTypes.h"

namespace yelvanis::movies {

swf::Rgba rgba(const QColor& c);

// Gradient and bitmap fills; points and sizes in pixels.
swf::FillStyle solid(const QColor& c);
swf::FillStyle linearGradient(QPointF from, QPointF to, const std::vector<std::pair<double, QColor>>& stops);
swf::FillStyle radialGradient(QPointF centre, double radius, const std::vector<std::pair<double, QColor>>& stops);
// The bitmap's pixel (0, 0) at `topLeft`, each bitmap pixel `scale` stage pixels.
swf::FillStyle bitmapFill(uint16_t bitmapId, QPointF topLeft, double scale, bool smooth = true);

struct Stroke {
    double width = 1; // pixels
    QColor color = Qt::black;
    swf::LineStyle::Cap cap = swf::LineStyle::Cap::Round;
    swf::LineStyle::Join join = swf::LineStyle::Join::Round;
};

// Appends a path's outline as edge records in the given unit (20 for twips
// from pixels, 1 for glyph units), tracking the pen. Used for glyphs too.
void appendPathRecords(std::vector<swf::ShapeRecord>& out, const QPainterPath& path, double unit, bool close);

class ShapeBuilder {
public:
    ShapeBuilder& fill(const QPainterPath& path, const swf::FillStyle& style);
    ShapeBuilder& fill(const QPainterPath& path, const QColor& color) { return fill(path, solid(color)); }
    ShapeBuilder& stroke(const QPainterPath& path, const Stroke& stroke);
    ShapeBuilder& fillStroke(const QPainterPath& path, const QColor& color, const Stroke& s)
    {
        fill(path, color);
        return stroke(path, s);
    }
    bool empty() const { return m_layers.empty(); }
    swf::Shape build() const;

private:
    struct Piece {
        QPainterPath path;
        uint32_t fill = 0, line = 0; // 1-based in their layer
    };
    struct Layer {
        std::vector<swf::FillStyle> fills;
        std::vector<swf::LineStyle> lines;
        std::vector<Piece> pieces;
    };
    Layer& layerFor(bool isFill);
    std::vector<Layer> m_layers;
    QRectF m_bounds;
    int m_windingFills = 0, m_evenOddFills = 0;
    double m_maxStroke = 0;
};

} // namespace yelvanis::movies
