#pragma once

// Text as glyph outlines taken from a font file, so that a movie needs no
// font on the user's machine. One OutlineFont becomes one embedded font in
// the movie holding exactly the glyphs its texts use; each text becomes a
// text character that refers to it.

#include <QColor>
#include <QPainterPath>
#include <QRawFont>
#include <QString>
#include <map>

#include "MovieBuilder.h"

namespace yelvanis::movies {

enum class Align { Left, Centre, Right };

class OutlineFont {
public:
    // Reserves the font's id in the movie; finish() fills it in.
    OutlineFont(MovieBuilder& movie, const QString& fontFile);

    // A text character: `size` is the em height in pixels, `at` the baseline
    // point that `align` refers to, in the coordinates the text is placed in.
    uint16_t text(const QString& s, double size, const QColor& color, QPointF at = {}, Align align = Align::Left);
    // Several lines, `leading` pixels apart, each aligned on `at.x()`.
    uint16_t lines(const QStringList& lines, double size, double leading, const QColor& color, QPointF at = {}, Align align = Align::Left);
    double width(const QString& s, double size) const;
    // The outline itself, in pixels, for shapes, masks and drawing effects.
    QPainterPath path(const QString& s, double size, QPointF at = {}, Align align = Align::Left) const;
    void finish();

private:
    uint32_t glyphFor(quint32 glyphIndex, char16_t code);
    swf::TextRun run(const QString& s, double size, const QColor& color, QPointF at, Align align, QRectF& bounds);

    MovieBuilder& m_movie;
    QRawFont m_raw;
    uint16_t m_id;
    swf::Font m_font;
    std::map<quint32, uint32_t> m_glyphs; // font glyph index to ours
};

} // namespace yelvanis::movies
