// Edit text: the box's border, then the text as outlines, either the
// movie's embedded glyphs or the device font's, laid out by Qt.

#include "runtime/movie/render/FrameDrawer.h"

#include <QGlyphRun>
#include <QPainterPath>
#include <QRawFont>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTextDocumentFragment>
#include <QTextLayout>
#include <algorithm>
#include <cmath>

#include "runtime/movie/render/Outline.h"

namespace yelvanis::swf::render {

namespace {

void flattenCubic(Point p0, Point c1, Point c2, Point p3, double tolerance, Polygon& out)
{
    // Uniform steps: the error is at most an eighth of the second derivative's bound over n^2.
    const double m = std::max(std::hypot(p0.x - 2 * c1.x + c2.x, p0.y - 2 * c1.y + c2.y),
                              std::hypot(c1.x - 2 * c2.x + p3.x, c1.y - 2 * c2.y + p3.y));
    const double count = std::ceil(std::sqrt(6 * m / (8 * tolerance)));
    const int n = std::isfinite(count) ? int(std::clamp(count, 1.0, 256.0)) : 1;
    for (int i = 1; i <= n; ++i) {
        const double t = double(i) / n, s = 1 - t;
        out.push_back({ s * s * s * p0.x + 3 * s * s * t * c1.x + 3 * s * t * t * c2.x + t * t * t * p3.x,
                        s * s * s * p0.y + 3 * s * s * t * c1.y + 3 * s * t * t * c2.y + t * t * t * p3.y });
    }
}

// A Qt outline, moved by `offset` and mapped by `m`, as closed polygons.
void addPath(const QPainterPath& path, QPointF offset, const Matrix& m, std::vector<Polygon>& out)
{
    const int n = path.elementCount();
    auto at = [&](int i) { return map(m, { path.elementAt(i).x + offset.x(), path.elementAt(i).y + offset.y() }); };
    for (int i = 0; i < n; ++i) {
        const QPainterPath::Element& e = path.elementAt(i);
        if (e.type == QPainterPath::MoveToElement || out.empty()) {
            out.push_back({ at(i) });
        } else if (e.type == QPainterPath::LineToElement) {
            out.back().push_back(at(i));
        } else if (e.type == QPainterPath::CurveToElement && i + 2 < n) {
            flattenCubic(out.back().back(), at(i), at(i + 1), at(i + 2), kFlatness, out.back());
            i += 2;
        }
    }
}

Polygon box(double x0, double y0, double x1, double y1)
{
    return { { x0, y0 }, { x1, y0 }, { x1, y1 }, { x0, y1 } };
}

} // namespace

void FrameDrawer::drawEditText(const EditText& e, const Matrix& t, const ColorTransform& cx, const CoverageMask* mask)
{
    const double bx0 = e.bounds.xMin, by0 = e.bounds.yMin, bx1 = e.bounds.xMax, by1 = e.bounds.yMax;
    FillStyle white, ink;
    white.color = { 255, 255, 255, 255 };
    ink.color = { 0, 0, 0, 255 };
    const std::unique_ptr<Paint> whitePaint = makePaint(white, t, cx, nullptr, m_antialias);
    const std::unique_ptr<Paint> inkPaint = makePaint(ink, t, cx, nullptr, m_antialias);
    const bool axisAligned = t.b == 0 && t.c == 0;
    if (e.border && axisAligned) {
        // A one-pixel frame on whole pixels: the top and left edges run the
        // full length, the right and bottom edges stop one pixel short.
        const Point a = map(t, { bx0, by0 }), b = map(t, { bx1, by1 });
        const double x0 = std::lround(std::min(a.x, b.x)), x1 = std::lround(std::max(a.x, b.x));
        const double y0 = std::lround(std::min(a.y, b.y)), y1 = std::lround(std::max(a.y, b.y));
        m_polygons = { box(x0, y0, x1 + 1, y1 + 1) };
        fill(true, *whitePaint, m_rowBox, mask);
        m_polygons = { box(x0, y0, x1 + 1, y0 + 1), box(x0, y0, x0 + 1, y1 + 1), box(x1, y0, x1 + 1, y1), box(x0, y1, x1, y1 + 1) };
        fill(true, *inkPaint, m_rowBox, mask);
    } else if (e.border) {
        Polygon frame;
        for (Point p : box(bx0, by0, bx1, by1))
            frame.push_back(map(t, p));
        m_polygons = { frame };
        fill(true, *whitePaint, m_rowBox, mask);
        m_polygons.clear();
        strokePolyline(frame, true, LineStyle {}, 0.5, kFlatness, m_polygons);
        fill(true, *inkPaint, m_rowBox, mask);
    }
    // Files before version 6 store text in the author's code page; ours is Turkish.
    QString text;
    if (m_movie.movie->header.version >= 6) {
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
    // The text stays inside its box.
    PixelBox clip = m_rowBox;
    {
        Bounds d;
        for (Point p : box(bx0, by0, bx1, by1))
            d.include(map(t, p));
        const PixelBox inside { int(std::clamp(std::floor(d.x0), -1e9, 1e9)), int(std::clamp(std::floor(d.y0), -1e9, 1e9)),
                                int(std::clamp(std::ceil(d.x1), -1e9, 1e9)), int(std::clamp(std::ceil(d.y1), -1e9, 1e9)) };
        clip = { std::max(clip.x0, inside.x0), std::max(clip.y0, inside.y0), std::min(clip.x1, inside.x1), std::min(clip.y1, inside.y1) };
        if (isEmpty(clip))
            return;
    }
    const double pad = 40; // two pixels of gutter
    const double ix0 = bx0 + pad + e.leftMargin, iy0 = by0 + pad, ix1 = bx1 - pad - e.rightMargin;
    FillStyle colour;
    colour.color = e.color;
    const std::unique_ptr<Paint> paint = makePaint(colour, t, cx, nullptr, m_antialias);
    const Character* fc = e.hasFont ? m_movie.movie->character(e.fontId) : nullptr;
    const Font* font = fc ? std::get_if<Font>(fc) : nullptr;
    if (font && e.useOutlines && !font->glyphs.empty() && font->codes.size() == font->glyphs.size()) {
        // Embedded outlines, laid out on one line per paragraph.
        const double scale = e.fontHeight / font->unitsPerEm();
        const double ascent = font->hasLayout ? font->ascent * scale : e.fontHeight * 0.8;
        const double lineHeight = font->hasLayout ? (font->ascent + font->descent + font->leading) * scale + e.leading : e.fontHeight * 1.15;
        double y = iy0 + ascent;
        const QStringList lines = text.split(QRegularExpression(QStringLiteral("[\r\n]")));
        for (const QString& line : lines) {
            std::vector<std::pair<uint32_t, double>> placed;
            double width = 0;
            for (QChar ch : line) {
                auto it = std::find(font->codes.begin(), font->codes.end(), ch.unicode());
                if (it == font->codes.end()) {
                    width += e.fontHeight * 0.5;
                    continue;
                }
                const uint32_t index = uint32_t(it - font->codes.begin());
                placed.push_back({ index, width });
                width += font->hasLayout ? font->glyphs[index].advance * scale : e.fontHeight * 0.6;
            }
            double x = ix0 + e.indent;
            if (e.align == 1)
                x = ix1 - width;
            else if (e.align == 2)
                x = ix0 + (ix1 - ix0 - width) / 2;
            for (auto [index, dx] : placed) {
                const Matrix gt = t * Matrix { scale, 0, 0, scale, x + dx, y };
                if (const CachedShape* gs = m_shapes.glyph(e.fontId, index); gs && m_budget->spend(*gs, gt)) {
                    m_polygons.clear();
                    for (const ShapeLayer& l : gs->geometry.layers)
                        for (const FillPath& f : l.fills)
                            fillOutline(f.contours, gt, clip, m_polygons);
                    fill(gs->geometry.windingRule, *paint, clip, mask);
                }
            }
            y += lineHeight;
        }
        return;
    }
    // The device font's outlines, in twips like the box.
    QFont qf(font && !font->name.empty() ? QString::fromStdString(font->name) : QStringLiteral("Liberation Sans"));
    if (font) {
        qf.setBold(font->bold);
        qf.setItalic(font->italic);
    }
    qf.setPixelSize(std::max(1, int(e.fontHeight)));
    qf.setStyleHint(QFont::SansSerif);
    QTextOption option(e.align == 1 ? Qt::AlignRight : e.align == 2 ? Qt::AlignHCenter : Qt::AlignLeft);
    option.setWrapMode(e.wordWrap ? QTextOption::WrapAtWordBoundaryOrAnywhere : QTextOption::ManualWrap);
    text.replace(QLatin1Char('\n'), QChar::LineSeparator).replace(QLatin1Char('\r'), QChar::LineSeparator);
    QTextLayout layout(text, qf);
    layout.setTextOption(option);
    layout.beginLayout();
    double y = 0;
    const double width = std::max(1.0, ix1 - ix0);
    for (int lines = 0; lines < 4096; ++lines) {
        QTextLine line = layout.createLine();
        if (!line.isValid())
            break;
        line.setLineWidth(width);
        line.setPosition(QPointF(0, y));
        y += line.height();
    }
    layout.endLayout();
    m_polygons.clear();
    for (const QGlyphRun& run : layout.glyphRuns()) {
        const QRawFont raw = run.rawFont();
        const QList<quint32> glyphs = run.glyphIndexes();
        const QList<QPointF> positions = run.positions();
        for (qsizetype i = 0; i < glyphs.size() && i < positions.size(); ++i)
            addPath(raw.pathForGlyph(glyphs[i]), positions[i] + QPointF(ix0, iy0), t, m_polygons);
    }
    fill(true, *paint, clip, mask);
}

} // namespace yelvanis::swf::render
