#pragma once

#include "runtime/Colour.h"
#include "runtime/Font.h"

#include <QColor>
#include <QFont>
#include <QString>

class QApplication;

namespace yelvanis::qt {

// Registers the bundled fonts, the fixed palette and the style, so that every
// screen looks the same under any desktop theme. Call once after the
// application object exists.
void initialiseLook(QApplication& app);

QColor toQColor(Colour c);
// The bundled face standing in for the named one, at the stored size; glyphs
// the face lacks fall back to Tahoma.
QFont toQFont(const Font& f);
// Stored texts break lines with CR LF; Qt wants LF.
QString toDisplayText(const std::string& utf8);

} // namespace yelvanis::qt
