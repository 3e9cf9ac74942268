#include "OutlineFont.h"

#include <QImage>
#include <QPainter>
#include <cmath>
#include <stdexcept>

#include "ShapeBuilder.h"

namespace yelvanis::movies {

using namespace swf;

namespace {

constexpr double Em = 1024; // glyph units per em in the embedded font

// Contours that overlap cancel out under the even-odd rule the player fills
// glyphs with; such glyphs are merged into one outline first.
bool overlaps(const QPainterPath& glyph)
{
    QImage a(96, 96, QImage::Format_Grayscale8), b(96, 96, QImage::Format_Grayscale8);
    QRectF box = glyph.boundingRect();
    if (box.isEmpty())
        return false;
    double s = 90 / std::max(box.width(), box.height());
    QTransform t = QTransform::fromTranslate(3, 3).scale(s, s).translate(-box.left(), -box.top());
    int differ = 0;
    for (int pass = 0; pass < 2; ++pass) {
        QImage& img = pass ? b : a;
        img.fill(0);
        QPainter p(&img);
        QPainterPath path = t.map(glyph);
        path.setFillRule(pass ? Qt::OddEvenFill : Qt::WindingFill);
        p.fillPath(path, Qt::white);
    }
    for (int y = 0; y < 96; ++y)
        for (int x = 0; x < 96; ++x)
            differ += std::abs(a.pixelColor(x, y).value() - b.pixelColor(x, y).value()) > 128;
    return differ > 4;
}

} // namespace

OutlineFont::OutlineFont(MovieBuilder& movie, const QString& fontFile)
    : m_movie(movie)
    , m_raw(fontFile, Em)
    , m_id(movie.reserve())
{
    if (!m_raw.isValid())
        throw std::runtime_error("cannot read the font " + fontFile.toStdString());
    m_font.name = m_raw.familyName().toStdString();
    m_font.hasLayout = true;
    m_font.ascent = std::round(m_raw.ascent());
    m_font.descent = std::round(m_raw.descent());
    m_font.leading = std::round(m_raw.leading());
}

uint32_t OutlineFont::glyphFor(quint32 glyphIndex, char16_t code)
{
    auto it = m_glyphs.find(glyphIndex);
    if (it != m_glyphs.end())
        return it->second;
    QPainterPath path = m_raw.pathForGlyph(glyphIndex);
    if (overlaps(path))
        path = path.simplified();
    Glyph g;
    appendPathRecords(g.records, path, 1.0, true);
    for (ShapeRecord& r : g.records)
        if (r.kind == ShapeRecord::Kind::Style) {
            r.hasFill1 = true;
            r.fill1 = 1;
            break;
        }
    QList<QPointF> advance = m_raw.advancesForGlyphIndexes(QList<quint32> { glyphIndex });
    g.advance = std::round(advance.value(0).x());
    uint32_t ours = uint32_t(m_font.glyphs.size());
    m_font.glyphs.push_back(std::move(g));
    m_font.codes.push_back(code);
    m_glyphs[glyphIndex] = ours;
    return ours;
}

double OutlineFont::width(const QString& s, double size) const
{
    QList<quint32> glyphs = m_raw.glyphIndexesForString(s);
    QList<QPointF> advances = m_raw.advancesForGlyphIndexes(glyphs, QRawFont::KernedAdvances);
    double w = 0;
    for (const QPointF& a : advances)
        w += std::round(a.x() * size * 20 / Em) / 20.0;
    return w;
}

TextRun OutlineFont::run(const QString& s, double size, const QColor& color, QPointF at, Align align, QRectF& bounds)
{
    for (QChar c : s)
        if (!m_raw.supportsCharacter(c))
            throw std::runtime_error("the font " + m_font.name + " has no glyph for " + QString(c).toStdString());
    QList<quint32> glyphs = m_raw.glyphIndexesForString(s);
    QList<QPointF> advances = m_raw.advancesForGlyphIndexes(glyphs, QRawFont::KernedAdvances);
    TextRun r;
    r.fontId = m_id;
    r.color = rgba(color);
    r.height = std::round(size * 20);
    double total = 0;
    for (qsizetype i = 0; i < glyphs.size(); ++i) {
        TextGlyph g;
        g.index = glyphFor(glyphs[i], i < s.size() ? s[i].unicode() : u' ');
        g.advance = int32_t(std::lround(advances[i].x() * size * 20 / Em));
        total += g.advance;
        r.glyphs.push_back(g);
    }
    double x = at.x() * 20;
    if (align == Align::Centre)
        x -= total / 2;
    else if (align == Align::Right)
        x -= total;
    r.x = std::round(x);
    r.y = std::round(at.y() * 20);
    double ascent = m_raw.ascent() * size / Em, descent = m_raw.descent() * size / Em;
    QRectF box(r.x / 20, at.y() - ascent, total / 20, ascent + descent);
    bounds = bounds.isNull() ? box : bounds.united(box);
    return r;
}

uint16_t OutlineFont::text(const QString& s, double size, const QColor& color, QPointF at, Align align)
{
    return lines({ s }, size, 0, color, at, align);
}

uint16_t OutlineFont::lines(const QStringList& ls, double size, double leading, const QColor& color, QPointF at, Align align)
{
    Text t;
    QRectF bounds;
    for (qsizetype i = 0; i < ls.size(); ++i) {
        if (ls[i].isEmpty())
            continue;
        t.runs.push_back(run(ls[i], size, color, at + QPointF(0, leading * double(i)), align, bounds));
    }
    t.bounds = { int32_t(std::floor(bounds.left() * 20)), int32_t(std::ceil(bounds.right() * 20)), int32_t(std::floor(bounds.top() * 20)),
                 int32_t(std::ceil(bounds.bottom() * 20)) };
    return m_movie.add(std::move(t));
}

QPainterPath OutlineFont::path(const QString& s, double size, QPointF at, Align align) const
{
    QList<quint32> glyphs = m_raw.glyphIndexesForString(s);
    QList<QPointF> advances = m_raw.advancesForGlyphIndexes(glyphs, QRawFont::KernedAdvances);
    double total = 0;
    for (const QPointF& a : advances)
        total += a.x() * size / Em;
    double x = at.x() - (align == Align::Centre ? total / 2 : align == Align::Right ? total : 0);
    QPainterPath out;
    out.setFillRule(Qt::WindingFill);
    for (qsizetype i = 0; i < glyphs.size(); ++i) {
        QPainterPath g = m_raw.pathForGlyph(glyphs[i]);
        if (overlaps(g))
            g = g.simplified();
        out.addPath(QTransform::fromTranslate(x, at.y()).scale(size / Em, size / Em).map(g));
        x += advances[i].x() * size / Em;
    }
    return out;
}

void OutlineFont::finish()
{
    m_movie.set(m_id, m_font);
}

} // namespace yelvanis::movies
