#include "runtime/movie/MovieRenderer.h"

#include "runtime/movie/AliasedPaint.h"

#include <QFont>
#include <QLinearGradient>
#include <QRadialGradient>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTextDocumentFragment>
#include <algorithm>
#include <cmath>

namespace yelvanis {

using namespace swf;

namespace {

QTransform toQt(const Matrix& m)
{
    return QTransform(m.a, m.b, m.c, m.d, m.tx, m.ty);
}

QColor toQt(Rgba c)
{
    return QColor(c.r, c.g, c.b, c.a);
}

void addContour(QPainterPath& path, const Contour& c, bool close)
{
    if (c.empty())
        return;
    path.moveTo(c.front().from.x, c.front().from.y);
    for (const Segment& s : c) {
        if (s.curve)
            path.quadTo(s.control.x, s.control.y, s.to.x, s.to.y);
        else
            path.lineTo(s.to.x, s.to.y);
    }
    if (close)
        path.closeSubpath();
}

// Linear-light interpolation has no counterpart in Qt: approximate it with
// extra stops computed in linear light.
double toLinear(double v)
{
    v /= 255.0;
    return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
}

double fromLinear(double v)
{
    v = v <= 0.0031308 ? v * 12.92 : 1.055 * std::pow(v, 1 / 2.4) - 0.055;
    return std::clamp(v * 255.0, 0.0, 255.0);
}

// A colour for every ratio. A stop whose ratio goes backwards is never
// reached itself, but it still starts the segment that follows it.
QGradientStops gradientStops(const Gradient& g, const ColorTransform& cx)
{
    QGradientStops stops;
    if (g.stops.empty()) {
        stops.append({ 0, Qt::transparent });
        return stops;
    }
    std::vector<Rgba> colors;
    for (const GradientStop& s : g.stops)
        colors.push_back(cx.apply(s.color));
    auto mix = [&](Rgba a, Rgba b, double t) {
        auto ch = [&](uint8_t x, uint8_t y) {
            return g.linearRgb ? fromLinear(toLinear(x) * (1 - t) + toLinear(y) * t) : x + (double(y) - x) * t;
        };
        return QColor(int(std::lround(ch(a.r, b.r))), int(std::lround(ch(a.g, b.g))), int(std::lround(ch(a.b, b.b))),
                      int(std::lround(a.a + (double(b.a) - a.a) * t)));
    };
    const size_t n = g.stops.size();
    size_t i = 0;
    for (int p = 0; p < 256; ++p) {
        size_t k = 0;
        while (k < n && g.stops[k].ratio < p)
            ++k;
        (void)i;
        QColor c;
        if (k == 0)
            c = mix(colors[0], colors[0], 0);
        else if (k == n)
            c = mix(colors[n - 1], colors[n - 1], 0);
        else {
            double r0 = g.stops[k - 1].ratio, r1 = g.stops[k].ratio;
            double t = r1 > r0 ? std::clamp((p - r0) / (r1 - r0), 0.0, 1.0) : 1.0;
            c = mix(colors[k - 1], colors[k], t);
        }
        stops.append({ (p + 0.5) / 256.0, c }); // each ratio owns one 256th of the ramp
    }
    // Keep only the stops that a straight blend of their neighbours would miss.
    QGradientStops kept;
    kept.append(stops.front());
    for (qsizetype i = 1; i + 1 < stops.size(); ++i) {
        const QColor& a = kept.back().second;
        const QColor& c = stops[i].second;
        const QColor& b = stops[i + 1].second;
        double t = (stops[i].first - kept.back().first) / (stops[i + 1].first - kept.back().first);
        auto off = [t](int x, int m, int y) { return std::abs(x + (y - x) * t - m) > 0.75; };
        if (off(a.red(), c.red(), b.red()) || off(a.green(), c.green(), b.green()) || off(a.blue(), c.blue(), b.blue())
            || off(a.alpha(), c.alpha(), b.alpha()))
            kept.append(stops[i]);
    }
    kept.append(stops.back());
    return kept;
}

QPen penFor(const LineStyle& l, const QColor& color, const QTransform& t, double stageScale)
{
    QPen pen(color);
    double width = l.width;
    double widthScale = std::sqrt(std::abs(t.determinant()));
    if (l.noHScale || l.noVScale) {
        // The width ignores the object's scale along the axis it is freed from:
        // fully freed, it follows the stage scale only.
        double xs = std::hypot(t.m11(), t.m12()), ys = std::hypot(t.m21(), t.m22());
        double scale = l.noHScale && l.noVScale ? stageScale : l.noHScale ? ys : xs;
        pen.setCosmetic(true);
        width = std::max(1.0, width * scale);
    } else if (width * widthScale < 1.0) {
        pen.setCosmetic(true);
        width = 1.0; // hairline
    }
    pen.setWidthF(width);
    pen.setCapStyle(l.startCap == LineStyle::Cap::None ? Qt::FlatCap : l.startCap == LineStyle::Cap::Square ? Qt::SquareCap : Qt::RoundCap);
    pen.setJoinStyle(l.join == LineStyle::Join::Bevel ? Qt::BevelJoin : l.join == LineStyle::Join::Miter ? Qt::MiterJoin : Qt::RoundJoin);
    pen.setMiterLimit(l.miterLimit);
    return pen;
}

// What a mask is made of: its shapes, morphs and texts, through nested
// sprites, each with its transform. The nesting is bounded like drawing's.
template <class Visit>
void forEachMaskPart(const Movie& movie, const DisplayObject& o, const QTransform& t, Visit&& visit, int nesting = 0)
{
    if (nesting > 32)
        return;
    const Character* c = movie.character(o.characterId);
    if (!c)
        return;
    if (o.clip) {
        for (const auto& [depth, child] : o.clip->displayList)
            if (!child.clipDepth)
                forEachMaskPart(movie, child, toQt(child.matrix) * t, visit, nesting + 1);
        return;
    }
    if (std::holds_alternative<Shape>(*c) || std::holds_alternative<MorphShape>(*c) || std::holds_alternative<Text>(*c))
        visit(o, *c, t);
}

} // namespace

namespace {

// How far the segments run across and down, through their control points:
// what scanline filling them costs, once scaled to the device.
void addSpans(MovieRenderer::CachedShape& shape, const Contour& c)
{
    for (const Segment& s : c) {
        const Point via = s.curve ? s.control : s.to;
        shape.spanX += std::abs(via.x - s.from.x) + std::abs(s.to.x - via.x);
        shape.spanY += std::abs(via.y - s.from.y) + std::abs(s.to.y - via.y);
    }
}

} // namespace

MovieRenderer::CachedShape cacheGeometry(const ShapeGeometry& g)
{
    MovieRenderer::CachedShape out;
    // A stroke of one point still draws a dot: zero-sized rectangles count too.
    bool any = false;
    auto include = [&out, &any](const QPainterPath& path) {
        if (path.isEmpty())
            return;
        QRectF r = path.controlPointRect();
        out.bounds = any ? QRectF(QPointF(std::min(out.bounds.left(), r.left()), std::min(out.bounds.top(), r.top())),
                                  QPointF(std::max(out.bounds.right(), r.right()), std::max(out.bounds.bottom(), r.bottom())))
                         : r;
        any = true;
    };
    for (const ShapeLayer& layer : g.layers) {
        MovieRenderer::CachedLayer cl;
        for (const FillPath& f : layer.fills) {
            QPainterPath path;
            path.setFillRule(g.windingRule ? Qt::WindingFill : Qt::OddEvenFill);
            for (const Contour& c : f.contours) {
                addContour(path, c, true);
                out.segments += c.size();
                addSpans(out, c);
            }
            cl.fills.push_back({ path, f.style });
        }
        for (const StrokePath& s : layer.strokes) {
            QPainterPath path;
            for (const Contour& c : s.parts) {
                out.segments += c.size();
                addSpans(out, c);
                bool closed = !c.empty() && c.front().from == c.back().to && !s.style.noClose;
                addContour(path, c, closed);
            }
            cl.strokes.push_back({ path, s.style });
        }
        for (const MovieRenderer::CachedFill& f : cl.fills) {
            include(f.path);
            out.bytes += sizeof(f) + size_t(f.path.elementCount()) * sizeof(QPainterPath::Element) + 64;
        }
        for (const MovieRenderer::CachedStroke& s : cl.strokes) {
            include(s.path);
            out.bytes += sizeof(s) + size_t(s.path.elementCount()) * sizeof(QPainterPath::Element) + 64;
            // A miter reaches its limit times the width out; caps and hairlines less.
            out.strokeReach = std::max(out.strokeReach, s.style.width * std::max(1.0, s.style.miterLimit));
        }
        out.layers.push_back(std::move(cl));
    }
    return out;
}

MovieRenderer::MovieRenderer(std::shared_ptr<const LoadedMovie> movie)
    : m_movie(std::move(movie))
{
}

MovieRenderer::~MovieRenderer() = default;

QTransform MovieRenderer::stageTransform(const QRectF& target) const
{
    const Rect& stage = m_movie->movie->header.stage;
    double sw = std::max(1, stage.width()), sh = std::max(1, stage.height());
    double scale = std::min(target.width() / sw, target.height() / sh);
    double ox = target.x() + (target.width() - sw * scale) / 2;
    double oy = target.y() + (target.height() - sh * scale) / 2;
    return QTransform(scale, 0, 0, scale, ox - stage.xMin * scale, oy - stage.yMin * scale);
}

const QRectF& MovieRenderer::textBounds(uint16_t id, const Text& text)
{
    auto it = m_textBounds.find(id);
    if (it != m_textBounds.end())
        return it->second;
    QRectF bounds;
    bool any = false;
    for (const TextRun& run : text.runs) {
        const Character* fc = m_movie->movie->character(run.fontId);
        const Font* font = fc ? std::get_if<Font>(fc) : nullptr;
        if (!font)
            continue;
        double scale = run.height / font->unitsPerEm();
        double x = run.x;
        for (const TextGlyph& g : run.glyphs) {
            if (const CachedShape* gs = glyphFor(run.fontId, g.index); gs && !gs->bounds.isNull()) {
                QRectF r = QTransform(scale, 0, 0, scale, x, run.y).mapRect(gs->bounds);
                bounds = any ? bounds.united(r) : r;
                any = true;
            }
            x += g.advance;
        }
    }
    return m_textBounds.emplace(id, bounds).first->second;
}

QRect MovieRenderer::deviceBounds(const DisplayObject& o, const Character& c, const QTransform& t)
{
    QRectF local;
    QTransform at = t;
    double reach = 0; // of strokes, in local units
    if (std::holds_alternative<Shape>(c) || std::holds_alternative<MorphShape>(c)) {
        const CachedShape* shape = shapeFor(o.characterId, o.ratio);
        if (!shape || shape->layers.empty())
            return {};
        local = shape->bounds;
        reach = shape->strokeReach;
    } else if (const auto* text = std::get_if<Text>(&c)) {
        local = textBounds(o.characterId, *text);
        if (local.isNull())
            return {};
        at = toQt(text->matrix) * t;
    } else if (const auto* edit = std::get_if<EditText>(&c)) {
        local = QRectF(edit->bounds.xMin, edit->bounds.yMin, edit->bounds.width(), edit->bounds.height());
    } else if (std::holds_alternative<Bitmap>(c)) {
        auto it = m_movie->bitmaps.find(o.characterId);
        if (it == m_movie->bitmaps.end() || it->second.isNull())
            return {};
        local = QRectF(0, 0, it->second.width() * 20.0, it->second.height() * 20.0);
    } else {
        return {};
    }
    QRectF d = at.mapRect(local);
    // Strokes: the widest a pen may get, scaled (the largest axis) or cosmetic (the stage scale).
    double axis = std::sqrt(at.m11() * at.m11() + at.m12() * at.m12() + at.m21() * at.m21() + at.m22() * at.m22());
    double pad = 2 + reach * std::max(axis, m_stageScale); // two pixels of anti-aliasing and smoothing
    d.adjust(-pad, -pad, pad, pad);
    if (!std::isfinite(d.left()) || !std::isfinite(d.top()) || !std::isfinite(d.right()) || !std::isfinite(d.bottom()))
        return m_frameRect;
    return d.intersected(QRectF(m_frameRect)).toAlignedRect() & m_frameRect;
}

void MovieRenderer::snapshotMask(const DisplayObject& mask, const QTransform& t, QRect& bounds)
{
    forEachMaskPart(*m_movie->movie, mask, t, [&](const DisplayObject& o, const Character& c, const QTransform& ot) {
        m_next.parts.push_back({ o.characterId, o.ratio, ot });
        bounds |= deviceBounds(o, c, ot);
    });
}

void MovieRenderer::snapshotClip(const Clip& clip, const QTransform& t, const ColorTransform& cx)
{
    // The same walk as drawClip, noting what each object would draw.
    const size_t masksBefore = m_openMasks.size();
    for (const auto& [depth, object] : clip.displayList) {
        while (m_openMasks.size() > masksBefore && depth > m_openMasks.back().untilDepth) {
            m_openMasks.pop_back();
            m_noted.current = false;
        }
        QTransform ot = toQt(object.matrix) * t;
        if (object.clipDepth) {
            DrawnItem mask;
            mask.mask = true;
            mask.characterId = object.characterId;
            mask.transform = ot;
            mask.first = uint32_t(m_next.parts.size());
            snapshotMask(object, ot, mask.bounds);
            mask.count = uint32_t(m_next.parts.size()) - mask.first;
            m_openMasks.push_back({ object.clipDepth, uint32_t(m_next.items.size()) });
            m_noted.current = false;
            m_next.items.push_back(mask);
            continue;
        }
        if (!object.visible)
            continue;
        ColorTransform ocx = cx * object.colorTransform;
        if (object.clip) {
            snapshotClip(*object.clip, ot, ocx);
            continue;
        }
        const Character* c = m_movie->movie->character(object.characterId);
        if (!c)
            continue;
        QRect bounds = deviceBounds(object, *c, ot);
        if (bounds.isEmpty())
            continue;
        if (!m_noted.current) {
            m_noted = { true, uint32_t(m_next.maskIndices.size()), uint32_t(m_openMasks.size()) };
            for (const OpenMask& m : m_openMasks)
                m_next.maskIndices.push_back(m.item);
        }
        m_next.items.push_back({ false, object.characterId, object.ratio, ot, ocx, m_noted.first, m_noted.count, bounds });
    }
    if (m_openMasks.size() > masksBefore) {
        m_openMasks.resize(masksBefore);
        m_noted.current = false;
    }
}

bool MovieRenderer::sameItem(const DrawnItem& a, const Snapshot& as, const DrawnItem& b, const Snapshot& bs) const
{
    if (a.mask != b.mask || a.characterId != b.characterId || a.ratio != b.ratio || a.count != b.count
        || !(a.transform == b.transform) || !(a.colorTransform == b.colorTransform) || a.bounds != b.bounds)
        return false;
    if (a.mask)
        return std::equal(as.parts.begin() + a.first, as.parts.begin() + a.first + a.count, bs.parts.begin() + b.first);
    return std::equal(as.maskIndices.begin() + a.first, as.maskIndices.begin() + a.first + a.count,
                      bs.maskIndices.begin() + b.first);
}

QRegion MovieRenderer::renderChanges(QImage& frame, const MoviePlayer& player, bool antialias)
{
    return renderChanges(frame, player.root(), player.background(), antialias);
}

QRegion MovieRenderer::renderChanges(QImage& frame, const Clip& root, Rgba background, bool antialias)
{
    frame.setDevicePixelRatio(1); // drawn pixel for pixel
    m_frameRect = frame.rect();
    const QRectF target(m_frameRect);
    const QTransform t = stageTransform(target);
    m_stageScale = std::sqrt(std::abs(t.determinant()));
    m_next.items.clear();
    m_next.maskIndices.clear();
    m_next.parts.clear();
    m_openMasks.clear();
    m_noted = {};
    snapshotClip(root, t, ColorTransform {});
    m_next.size = frame.size();
    m_next.antialias = antialias;
    m_next.background = background;
    m_next.valid = true;

    // A pixel outside every item that differs, in the old frame or the new,
    // is drawn by the same items in the same order, so it stays as it is.
    // What is drawn again spans whole rows: cut short on the left, gradient
    // and picture spans would start elsewhere and round a little differently.
    const bool whole = !m_last.valid || m_last.size != m_next.size || m_last.antialias != antialias
        || !(m_last.background == m_next.background);
    QRegion dirty;
    if (whole) {
        dirty = m_frameRect;
    } else {
        m_rows.clear();
        const size_t n = std::max(m_last.items.size(), m_next.items.size());
        for (size_t i = 0; i < n; ++i) {
            const DrawnItem* a = i < m_last.items.size() ? &m_last.items[i] : nullptr;
            const DrawnItem* b = i < m_next.items.size() ? &m_next.items[i] : nullptr;
            if (a && b && sameItem(*a, m_last, *b, m_next))
                continue;
            for (const DrawnItem* item : { a, b })
                if (item && !item->bounds.isEmpty())
                    m_rows.push_back({ item->bounds.top(), item->bounds.bottom() + 1 });
        }
        std::sort(m_rows.begin(), m_rows.end());
        for (size_t i = 0; i < m_rows.size();) {
            auto [top, bottom] = m_rows[i];
            for (++i; i < m_rows.size() && m_rows[i].first <= bottom; ++i)
                bottom = std::max(bottom, m_rows[i].second);
            dirty += QRect(0, top, m_frameRect.width(), bottom - top);
        }
    }
    std::swap(m_last, m_next);
    if (dirty.isEmpty() || frame.isNull())
        return dirty;

    QPainter p(&frame);
    if (!whole) {
        p.setClipRegion(dirty);
        m_cull = dirty;
        m_culling = true;
    }
    render(p, root, background, target, antialias);
    m_culling = false;
    m_cull = QRegion();
    if (m_budget == 0)
        m_last.valid = false; // the picture was cut short: the next call draws it all
    return dirty;
}

void MovieRenderer::render(QPainter& p, const MoviePlayer& player, const QRectF& target, bool antialias)
{
    render(p, player.root(), player.background(), target, antialias);
}

void MovieRenderer::render(QPainter& p, const Clip& root, Rgba background, const QRectF& target, bool antialias)
{
    m_antialias = antialias;
    p.save();
    p.fillRect(target, toQt(background));
    p.setRenderHint(QPainter::Antialiasing, antialias);
    p.setRenderHint(QPainter::SmoothPixmapTransform, antialias);
    QTransform t = stageTransform(target) * p.transform();
    m_stageScale = std::sqrt(std::abs(t.determinant()));
    m_masks.clear();
    m_budget = kSegmentBudget;
    m_rowBudget = kRowBudget;
    m_deviceHeight = p.device() ? p.device()->height() : 0;
    m_deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(m_timeBudgetMs);
    drawClip(p, root, t, ColorTransform {});
    p.restore();
}

void MovieRenderer::drawClip(QPainter& p, const Clip& clip, const QTransform& t, const ColorTransform& cx)
{
    size_t masksBefore = m_masks.size();
    for (const auto& [depth, object] : clip.displayList) {
        while (m_masks.size() > masksBefore && depth > m_masks.back().untilDepth)
            m_masks.pop_back();
        QTransform ot = toQt(object.matrix) * t;
        if (object.clipDepth) {
            Mask mask { object.clipDepth, {}, {}, drawsPixels(p) };
            if (mask.pixels)
                m_pixelBox = QRect(0, 0, p.device()->width(), p.device()->height());
            collectMask(object, ot, mask.devicePath, mask.pixels ? &mask.devicePixels : nullptr);
            m_masks.push_back(std::move(mask));
            continue;
        }
        if (!object.visible)
            continue;
        ColorTransform ocx = cx * object.colorTransform;
        if (!m_masks.empty()) {
            p.save();
            p.setTransform(QTransform());
            for (const Mask& m : m_masks) {
                if (m.pixels)
                    p.setClipRegion(m.devicePixels, Qt::IntersectClip);
                else
                    p.setClipPath(m.devicePath, Qt::IntersectClip);
            }
            drawObject(p, object, ot, ocx);
            p.restore();
        } else {
            drawObject(p, object, ot, ocx);
        }
    }
    m_masks.resize(std::min(m_masks.size(), masksBefore));
}

void MovieRenderer::collectMask(const DisplayObject& mask, const QTransform& t, QPainterPath& out, QRegion* pixels)
{
    forEachMaskPart(*m_movie->movie, mask, t, [&](const DisplayObject& o, const Character& c, const QTransform& ot) {
        addMaskPart(o, c, ot, out, pixels);
    });
}

void MovieRenderer::addMaskPart(const DisplayObject& o, const Character& part, const QTransform& t, QPainterPath& out,
                                QRegion* pixels)
{
    const Character* c = &part;
    const CachedShape* shape = nullptr;
    if (std::holds_alternative<Shape>(*c) || std::holds_alternative<MorphShape>(*c))
        shape = shapeFor(o.characterId, o.ratio);
    if (const auto* text = std::get_if<Text>(c)) {
        QTransform tt = toQt(text->matrix) * t;
        for (const TextRun& run : text->runs) {
            const Character* fc = m_movie->movie->character(run.fontId);
            const Font* font = fc ? std::get_if<Font>(fc) : nullptr;
            if (!font)
                continue;
            double scale = run.height / font->unitsPerEm();
            double x = run.x;
            for (const TextGlyph& g : run.glyphs) {
                if (const CachedShape* gs = glyphFor(run.fontId, g.index)) {
                    QTransform gt = QTransform(scale, 0, 0, scale, x, run.y) * tt;
                    if (!spend(*gs, gt) || tooDense(*gs, gt))
                        return;
                    for (const CachedLayer& l : gs->layers)
                        for (const CachedFill& f : l.fills) {
                            if (pixels)
                                *pixels |= aliasedFill(f.path, gt, m_pixelBox);
                            else
                                out = out.isEmpty() ? gt.map(f.path) : out.united(gt.map(f.path));
                        }
                }
                x += g.advance;
            }
        }
    }
    if (!shape)
        return;
    if (!spend(*shape, t) || tooDense(*shape, t))
        return;
    for (const CachedLayer& l : shape->layers)
        for (const CachedFill& f : l.fills) {
            if (pixels) {
                *pixels |= aliasedFill(f.path, t, m_pixelBox);
                continue;
            }
            QPainterPath d = t.map(f.path);
            if (out.isEmpty()) {
                out = d;
            } else if (out.elementCount() + d.elementCount() < 4096) {
                out = out.united(d);
            } else {
                // Exact unions of large outlines cost too much: overlaps may show gaps.
                out.setFillRule(Qt::WindingFill);
                out.addPath(d);
            }
        }
}

bool MovieRenderer::drawsPixels(const QPainter& p) const
{
    // On a scaled device (high DPI) the painter's own aliased fill keeps the finer pixels.
    return !m_antialias && p.device() && p.device()->devicePixelRatioF() == 1.0;
}

void MovieRenderer::drawShapePixels(QPainter& p, const CachedShape& shape, const QTransform& t, const ColorTransform& cx)
{
    const QRect box(0, 0, p.device()->width(), p.device()->height());
    // Paints `brush`, given in shape units, over the pixels of `area`.
    auto paint = [&](const QRegion& area, QBrush brush) {
        if (area.isEmpty() || brush.style() == Qt::NoBrush)
            return;
        p.save();
        p.setTransform(QTransform());
        p.setClipRegion(area, Qt::IntersectClip);
        if (brush.style() != Qt::SolidPattern)
            brush.setTransform(brush.transform() * t);
        p.fillRect(area.boundingRect(), brush);
        p.restore();
    };
    for (const CachedLayer& layer : shape.layers) {
        for (const CachedFill& f : layer.fills) {
            QRegion area = aliasedFill(f.path, t, box);
            if (area.isEmpty())
                continue;
            if (f.style.kind == FillStyle::Kind::Bitmap && !f.style.repeat) {
                // Clipped bitmaps: the picture once, inside the fill's outline.
                QImage img = transformedImage(f.style.bitmapId, cx);
                if (img.isNull())
                    continue;
                p.save();
                p.setTransform(QTransform());
                p.setClipRegion(area, Qt::IntersectClip);
                p.setRenderHint(QPainter::SmoothPixmapTransform, false);
                p.setTransform(toQt(f.style.matrix) * t);
                p.drawImage(QPointF(0, 0), img);
                p.restore();
                continue;
            }
            paint(area, brushFor(f.style, cx));
        }
        for (const CachedStroke& s : layer.strokes) {
            QPen pen = penFor(s.style, toQt(cx.apply(s.style.color)), t, m_stageScale);
            QBrush brush = s.style.fill && s.style.fill->kind != FillStyle::Kind::Solid ? brushFor(*s.style.fill, cx) : pen.brush();
            paint(aliasedStroke(s.path, pen, s.style, t, box), brush);
        }
    }
}

const MovieRenderer::CachedShape* MovieRenderer::shapeFor(uint16_t id, uint16_t ratio)
{
    const Character* c = m_movie->movie->character(id);
    if (!c)
        return nullptr;
    if (const auto* shape = std::get_if<Shape>(c)) {
        auto it = m_shapes.find(id);
        if (it == m_shapes.end())
            it = m_shapes.emplace(id, admit(cacheGeometry(buildGeometry(*shape)))).first;
        return &it->second;
    }
    if (const auto* morph = std::get_if<MorphShape>(c)) {
        uint64_t key = (uint64_t(id) << 16) | ratio;
        auto it = m_morphs.find(key);
        if (it == m_morphs.end()) {
            if (m_morphs.size() > 512) {
                m_cacheBytes -= std::min(m_cacheBytes, m_morphBytes);
                m_morphBytes = 0;
                m_morphs.clear();
                m_stops.clear(); // keyed by styles that lived in those shapes
            }
            Shape s = interpolateMorph(*morph, ratio / 65535.0);
            CachedShape cached = admit(cacheGeometry(buildGeometry(s)));
            m_morphBytes += cached.bytes;
            it = m_morphs.emplace(key, std::move(cached)).first;
        }
        return &it->second;
    }
    return nullptr;
}

const MovieRenderer::CachedShape* MovieRenderer::glyphFor(uint16_t fontId, uint32_t index)
{
    uint64_t key = (uint64_t(fontId) << 32) | index;
    auto it = m_glyphs.find(key);
    if (it != m_glyphs.end())
        return &it->second;
    const Character* c = m_movie->movie->character(fontId);
    const Font* font = c ? std::get_if<Font>(c) : nullptr;
    if (!font || index >= font->glyphs.size())
        return nullptr;
    return &m_glyphs.emplace(key, admit(cacheGeometry(buildGlyphGeometry(font->glyphs[index].records)))).first->second;
}

MovieRenderer::CachedShape MovieRenderer::admit(CachedShape shape)
{
    // Past the budget every outline is dropped and built again when next
    // drawn. No pointer into the caches is held across a lookup.
    if (m_cacheBytes + shape.bytes > kCacheBudget) {
        m_shapes.clear();
        m_morphs.clear();
        m_glyphs.clear();
        m_stops.clear();
        m_cacheBytes = m_morphBytes = 0;
    }
    m_cacheBytes += shape.bytes;
    return shape;
}

QImage MovieRenderer::transformedImage(uint16_t id, const ColorTransform& cx) const
{
    auto it = m_movie->bitmaps.find(id);
    if (it == m_movie->bitmaps.end())
        return {};
    if (cx.isIdentity())
        return it->second;
    // One copy, changed in place: a picture may be as large as the pixel budget.
    QImage img = it->second.copy();
    for (int y = 0; y < img.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            QRgb px = qUnpremultiply(line[x]);
            Rgba c = cx.apply({ uint8_t(qRed(px)), uint8_t(qGreen(px)), uint8_t(qBlue(px)), uint8_t(qAlpha(px)) });
            line[x] = qPremultiply(qRgba(c.r, c.g, c.b, c.a));
        }
    }
    return img;
}

const QGradientStops& MovieRenderer::stopsFor(const FillStyle& style, const ColorTransform& cx) const
{
    StopKey key { &style, cx.rMul, cx.gMul, cx.bMul, cx.aMul, cx.rAdd, cx.gAdd, cx.bAdd, cx.aAdd };
    auto it = m_stops.find(key);
    if (it != m_stops.end())
        return it->second;
    if (m_stops.size() > 1024)
        m_stops.clear();
    return m_stops.emplace(key, gradientStops(style.gradient, cx)).first->second;
}

QBrush MovieRenderer::brushFor(const FillStyle& style, const ColorTransform& cx) const
{
    switch (style.kind) {
    case FillStyle::Kind::Solid: return QBrush(toQt(cx.apply(style.color)));
    case FillStyle::Kind::Linear: {
        QLinearGradient g(-16384, 0, 16384, 0);
        g.setStops(stopsFor(style, cx));
        g.setSpread(style.gradient.spread == Gradient::Spread::Reflect ? QGradient::ReflectSpread
                    : style.gradient.spread == Gradient::Spread::Repeat ? QGradient::RepeatSpread : QGradient::PadSpread);
        QBrush b(g);
        b.setTransform(toQt(style.matrix));
        return b;
    }
    case FillStyle::Kind::Radial:
    case FillStyle::Kind::Focal: {
        double focal = style.kind == FillStyle::Kind::Focal ? style.gradient.focal * 16384 : 0;
        QRadialGradient g(QPointF(0, 0), 16384, QPointF(focal, 0));
        g.setStops(stopsFor(style, cx));
        g.setSpread(style.gradient.spread == Gradient::Spread::Reflect ? QGradient::ReflectSpread
                    : style.gradient.spread == Gradient::Spread::Repeat ? QGradient::RepeatSpread : QGradient::PadSpread);
        QBrush b(g);
        b.setTransform(toQt(style.matrix));
        return b;
    }
    case FillStyle::Kind::Bitmap: {
        QImage img = transformedImage(style.bitmapId, cx);
        if (img.isNull())
            return QBrush(Qt::NoBrush);
        QBrush b(img);
        b.setTransform(toQt(style.matrix));
        return b;
    }
    }
    return {};
}

bool MovieRenderer::spend(const CachedShape& shape, const QTransform& t)
{
    // A scanline fill costs a step per segment and per row each one crosses.
    const double rows = std::abs(t.m12()) * shape.spanX + std::abs(t.m22()) * shape.spanY;
    const double cost = std::isfinite(rows) ? double(shape.segments) + rows : 1e300;
    const size_t segments = std::max<size_t>(shape.segments, 1);
    if (segments > m_budget || cost > m_rowBudget || (m_timeBudgetMs > 0 && std::chrono::steady_clock::now() > m_deadline)
        || (m_cancel && m_cancel->load(std::memory_order_relaxed))) {
        m_budget = 0;
        return false;
    }
    m_budget -= segments;
    m_rowBudget -= cost;
    return true;
}

bool MovieRenderer::tooDense(const CachedShape& shape, const QTransform& t) const
{
    // Qt's rasterizers take time growing with the square of the edges that
    // cross one row. A shape of few segments cannot cross a row often.
    if (shape.segments <= kFewSegments)
        return false;
    // Count the crossings of every device row: O(e + h) for e path elements
    // and h rows.
    const int height = std::max(1, m_deviceHeight);
    m_rowCrossings.assign(size_t(height) + 1, 0);
    auto cross = [&](double y0, double y1) {
        if (!(std::isfinite(y0) && std::isfinite(y1)))
            return;
        // Rows whose centres lie in [min, max).
        const double from = std::clamp(std::ceil(std::min(y0, y1) - 0.5), 0.0, double(height));
        const double to = std::clamp(std::ceil(std::max(y0, y1) - 0.5), 0.0, double(height));
        ++m_rowCrossings[size_t(from)];
        --m_rowCrossings[size_t(to)];
    };
    auto walk = [&](const QPainterPath& path) {
        double last = 0;
        for (int i = 0; i < path.elementCount(); ++i) {
            const QPainterPath::Element& e = path.elementAt(i);
            const double y = t.map(QPointF(e.x, e.y)).y();
            if (e.type == QPainterPath::CurveToElement && i + 2 < path.elementCount()) {
                const double y2 = t.map(QPointF(path.elementAt(i + 1).x, path.elementAt(i + 1).y)).y();
                const double y3 = t.map(QPointF(path.elementAt(i + 2).x, path.elementAt(i + 2).y)).y();
                cross(std::min({ last, y, y2, y3 }), std::max({ last, y, y2, y3 }));
                last = y3;
                i += 2;
                continue;
            }
            if (e.type != QPainterPath::MoveToElement)
                cross(last, y);
            last = y;
        }
    };
    for (const CachedLayer& l : shape.layers) {
        for (const CachedFill& f : l.fills)
            walk(f.path);
        for (const CachedStroke& s : l.strokes)
            walk(s.path);
    }
    double squares = 0;
    int64_t crossings = 0;
    for (int y = 0; y < height; ++y) {
        crossings += m_rowCrossings[size_t(y)];
        squares += double(crossings) * double(crossings);
    }
    return squares > kDenseCost;
}

void MovieRenderer::drawShape(QPainter& p, const CachedShape& shape, const QTransform& t, const ColorTransform& cx)
{
    if (!spend(shape, t))
        return;
    if (drawsPixels(p))
        return drawShapePixels(p, shape, t, cx);
    if (tooDense(shape, t)) {
        // Our own scanline fill sorts each row's crossings: n log n.
        if (p.device() && p.device()->devicePixelRatioF() == 1.0)
            drawShapePixels(p, shape, t, cx);
        return;
    }
    p.setTransform(t);
    for (const CachedLayer& layer : shape.layers) {
        for (const CachedFill& f : layer.fills) {
            if (f.style.kind == FillStyle::Kind::Bitmap && !f.style.repeat) {
                QImage img = transformedImage(f.style.bitmapId, cx);
                if (img.isNull())
                    continue;
                // Clipped bitmaps: the picture once, inside the fill's outline.
                p.save();
                p.setClipPath(f.path, Qt::IntersectClip);
                p.setRenderHint(QPainter::SmoothPixmapTransform, m_antialias && f.style.smooth);
                p.setTransform(toQt(f.style.matrix) * t);
                p.drawImage(QPointF(0, 0), img);
                p.restore();
                continue;
            }
            if (f.style.kind == FillStyle::Kind::Bitmap) {
                p.save();
                p.setRenderHint(QPainter::SmoothPixmapTransform, m_antialias && f.style.smooth);
                p.fillPath(f.path, brushFor(f.style, cx));
                p.restore();
                continue;
            }
            p.fillPath(f.path, brushFor(f.style, cx));
        }
        for (const CachedStroke& s : layer.strokes) {
            QColor color = toQt(cx.apply(s.style.color));
            QPen pen = penFor(s.style, color, t, m_stageScale);
            if (s.style.fill && s.style.fill->kind != FillStyle::Kind::Solid)
                pen.setBrush(brushFor(*s.style.fill, cx));
            p.strokePath(s.path, pen);
        }
    }
}

void MovieRenderer::drawText(QPainter& p, const Text& text, const QTransform& t, const ColorTransform& cx)
{
    QTransform tt = toQt(text.matrix) * t;
    for (const TextRun& run : text.runs) {
        const Character* fc = m_movie->movie->character(run.fontId);
        const Font* font = fc ? std::get_if<Font>(fc) : nullptr;
        if (!font)
            continue;
        double scale = run.height / font->unitsPerEm();
        QBrush brush(toQt(cx.apply(run.color)));
        double x = run.x;
        for (const TextGlyph& g : run.glyphs) {
            const QTransform gt = QTransform(scale, 0, 0, scale, x, run.y) * tt;
            if (const CachedShape* gs = glyphFor(run.fontId, g.index); gs && spend(*gs, gt) && !tooDense(*gs, gt)) {
                p.setTransform(gt);
                for (const CachedLayer& l : gs->layers)
                    for (const CachedFill& f : l.fills)
                        p.fillPath(f.path, brush);
            }
            x += g.advance;
        }
    }
}

void MovieRenderer::drawEditText(QPainter& p, const EditText& e, const QTransform& t, const ColorTransform& cx)
{
    p.setTransform(t);
    QRectF box(e.bounds.xMin, e.bounds.yMin, e.bounds.width(), e.bounds.height());
    if (e.border && t.type() <= QTransform::TxScale) {
        // A one-pixel frame on whole pixels: the top and left edges run the
        // full length, the right and bottom edges stop one pixel short.
        QRectF d = t.mapRect(box);
        int x0 = int(std::lround(d.left())), x1 = int(std::lround(d.right()));
        int y0 = int(std::lround(d.top())), y1 = int(std::lround(d.bottom()));
        p.save();
        p.setTransform(QTransform());
        p.fillRect(QRect(x0, y0, x1 - x0 + 1, y1 - y0 + 1), toQt(cx.apply({ 255, 255, 255, 255 })));
        QColor ink = toQt(cx.apply({ 0, 0, 0, 255 }));
        p.fillRect(QRect(x0, y0, x1 - x0 + 1, 1), ink);
        p.fillRect(QRect(x0, y0, 1, y1 - y0 + 1), ink);
        p.fillRect(QRect(x1, y0, 1, y1 - y0), ink);
        p.fillRect(QRect(x0, y1, x1 - x0, 1), ink);
        p.restore();
    } else if (e.border) {
        p.fillRect(box, toQt(cx.apply({ 255, 255, 255, 255 })));
        QPen pen(toQt(cx.apply({ 0, 0, 0, 255 })));
        pen.setCosmetic(true);
        pen.setWidth(1);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawRect(box);
    }
    // Files before version 6 store text in the author's code page; ours is Turkish.
    QString text;
    if (m_movie->movie->header.version >= 6) {
        text = QString::fromUtf8(e.initialText.data(), qsizetype(e.initialText.size()));
    } else {
        QStringDecoder decoder("windows-1254");
        text = decoder.isValid() ? decoder.decode(QByteArrayView(e.initialText.data(), qsizetype(e.initialText.size())))
                                 : QString::fromLatin1(e.initialText.data(), qsizetype(e.initialText.size()));
    }
    if (e.html)
        text = QTextDocumentFragment::fromHtml(text).toPlainText();
    if (text.isEmpty())
        return;
    if (e.password)
        text = QString(text.size(), QLatin1Char('*'));
    const double pad = 40; // two pixels of gutter
    QRectF inner = box.adjusted(pad + e.leftMargin, pad, -pad - e.rightMargin, -pad);
    QColor color = toQt(cx.apply(e.color));
    const Character* fc = e.hasFont ? m_movie->movie->character(e.fontId) : nullptr;
    const Font* font = fc ? std::get_if<Font>(fc) : nullptr;
    p.save();
    p.setClipRect(box, Qt::IntersectClip);
    if (font && e.useOutlines && !font->glyphs.empty() && font->codes.size() == font->glyphs.size()) {
        // Embedded outlines, laid out on one line per paragraph.
        double scale = e.fontHeight / font->unitsPerEm();
        double ascent = font->hasLayout ? font->ascent * scale : e.fontHeight * 0.8;
        double lineHeight = font->hasLayout ? (font->ascent + font->descent + font->leading) * scale + e.leading : e.fontHeight * 1.15;
        double y = inner.top() + ascent;
        const QStringList lines = text.split(QRegularExpression(QStringLiteral("[\r\n]")));
        QBrush brush(color);
        for (const QString& line : lines) {
            std::vector<std::pair<uint32_t, double>> placed;
            double width = 0;
            for (QChar ch : line) {
                auto it = std::find(font->codes.begin(), font->codes.end(), ch.unicode());
                if (it == font->codes.end()) {
                    width += e.fontHeight * 0.5;
                    continue;
                }
                uint32_t index = uint32_t(it - font->codes.begin());
                placed.push_back({ index, width });
                double adv = font->hasLayout ? font->glyphs[index].advance * scale : e.fontHeight * 0.6;
                width += adv;
            }
            double x = inner.left() + e.indent;
            if (e.align == 1)
                x = inner.right() - width;
            else if (e.align == 2)
                x = inner.left() + (inner.width() - width) / 2;
            for (auto [index, dx] : placed) {
                const QTransform gt = QTransform(scale, 0, 0, scale, x + dx, y) * t;
                if (const CachedShape* gs = glyphFor(e.fontId, index); gs && spend(*gs, gt) && !tooDense(*gs, gt)) {
                    p.setTransform(gt);
                    for (const CachedLayer& l : gs->layers)
                        for (const CachedFill& f : l.fills)
                            p.fillPath(f.path, brush);
                }
            }
            y += lineHeight;
        }
    } else {
        QFont qf(font && !font->name.empty() ? QString::fromStdString(font->name) : QStringLiteral("Liberation Sans"));
        if (font) {
            qf.setBold(font->bold);
            qf.setItalic(font->italic);
        }
        qf.setPixelSize(std::max(1, int(e.fontHeight)));
        qf.setStyleHint(QFont::SansSerif);
        p.setFont(qf);
        p.setPen(color);
        int flags = e.align == 1 ? Qt::AlignRight : e.align == 2 ? Qt::AlignHCenter : Qt::AlignLeft;
        flags |= Qt::AlignTop;
        if (e.wordWrap)
            flags |= Qt::TextWordWrap;
        p.drawText(inner, flags, text);
    }
    p.restore();
}

void MovieRenderer::drawObject(QPainter& p, const DisplayObject& o, const QTransform& t, const ColorTransform& cx)
{
    if (o.clip) {
        drawClip(p, *o.clip, t, cx);
        return;
    }
    const Character* c = m_movie->movie->character(o.characterId);
    if (!c)
        return;
    if (m_culling && !m_cull.intersects(deviceBounds(o, *c, t)))
        return; // nothing of it would show in the pixels being drawn
    if (std::holds_alternative<Shape>(*c) || std::holds_alternative<MorphShape>(*c)) {
        if (const CachedShape* s = shapeFor(o.characterId, o.ratio))
            drawShape(p, *s, t, cx);
    } else if (const auto* text = std::get_if<Text>(c)) {
        drawText(p, *text, t, cx);
    } else if (const auto* edit = std::get_if<EditText>(c)) {
        drawEditText(p, *edit, t, cx);
    } else if (std::holds_alternative<Bitmap>(*c)) {
        QImage img = transformedImage(o.characterId, cx);
        if (!img.isNull()) {
            p.setTransform(QTransform(20, 0, 0, 20, 0, 0) * t);
            p.drawImage(QPointF(0, 0), img);
        }
    }
}

} // namespace yelvanis
