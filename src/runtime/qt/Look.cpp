#include "runtime/qt/Look.h"

#include <QApplication>
#include <QFontDatabase>
#include <QPalette>
#include <QPixmapCache>
#include <QStyleFactory>

static void initFontResources()
{
    Q_INIT_RESOURCE(fonts);
}

namespace yelvanis::qt {

namespace {

struct Substitute {
    QString family;
    double scale = 1.0; // of the em size, where the stand-in runs larger
    int stretch = 100;  // of the width, where it runs wider
};

Substitute substitute(const Font& f)
{
    const std::string& face = f.face;
    if (face == "MS Sans Serif") {
        // The face's 8 pt bitmaps traced into outlines (see tools/fonts): the
        // same pixels at 96 pixels per inch, the same letters enlarged on a
        // scaled display, where a bitmap face keeps its size and only its
        // spacing grows. Only the default 8.25 pt was drawn from the bitmaps;
        // every other size and its bold are Tahoma's, as on the desktop the
        // screens were made on.
        if (!f.bold() && f.size <= pt(8.25))
            return {QStringLiteral("Sans Serif Pixels")};
        // Tahoma runs larger than the bitmap face at the same size: a tenth
        // smaller, the fact cards and headings fit their boxes as designed.
        return {f.bold() ? QStringLiteral("Tahoma Heavy") : QStringLiteral("Tahoma"), 0.9};
    }
    // Bold Tahoma is the emboldened "Tahoma Heavy" (see tools/fonts).
    if (face == "Tahoma" && f.bold())
        return {QStringLiteral("Tahoma Heavy")};
    if (face == "Arial")
        return {QStringLiteral("Liberation Sans")};
    if (face == "Monotype Corsiva")
        return {QStringLiteral("Z003")};
    if (face == "Script")
        // Dancing Script's letters are larger and wider than the narrow
        // script face's at the same size: scaled, the names fit their labels.
        return {QStringLiteral("Dancing Script"), 0.8, 85};
    if (face == "Comic Sans MS")
        return {QStringLiteral("Comic Neue")};
    return {QString::fromStdString(face)};
}

} // namespace

void initialiseLook(QApplication& app)
{
    // Every window is built anew from its definition with a palette of its
    // own, so the style's cached pieces (scroll bars above all) carry keys
    // that never come again once the window is gone: the cache would only
    // fill to its limit with dead entries. Drawn each time, they cost
    // little.
    QPixmapCache::setCacheLimit(0);
    static bool fontsLoaded = false;
    if (!fontsLoaded) {
        initFontResources();
        for (const char* f : {"sans_serif_pixels.ttf", "tahoma.ttf", "tahomabd.ttf", "LiberationSans-Regular.ttf",
                              "LiberationSans-Bold.ttf", "LiberationSans-Italic.ttf", "LiberationSans-BoldItalic.ttf",
                              "Z003-MediumItalic.otf", "DancingScript-Regular.otf", "DancingScript-Bold.otf",
                              "ComicNeue-Regular.otf", "ComicNeue-Bold.otf"})
            QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/") + QLatin1String(f));
        fontsLoaded = true;
    }
    if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion")))
        app.setStyle(fusion);

    const QColor face = toQColor(Colour::system(SystemColour::ButtonFace));
    const QColor text = toQColor(Colour::system(SystemColour::WindowText));
    QPalette p;
    p.setColor(QPalette::Window, face);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Button, face);
    p.setColor(QPalette::ButtonText, toQColor(Colour::system(SystemColour::ButtonText)));
    p.setColor(QPalette::Base, Qt::white);
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Highlight, QColor(0x00, 0x78, 0xD7));
    p.setColor(QPalette::HighlightedText, toQColor(Colour::system(SystemColour::HighlightText)));
    p.setColor(QPalette::Light, Qt::white);
    p.setColor(QPalette::Midlight, QColor(0xE3, 0xE3, 0xE3));
    p.setColor(QPalette::Mid, QColor(0xA0, 0xA0, 0xA0));
    p.setColor(QPalette::Dark, QColor(0x69, 0x69, 0x69));
    p.setColor(QPalette::Shadow, QColor(0x40, 0x40, 0x40));
    app.setPalette(p);
    app.setFont(toQFont(defaultFont()));
}

QColor toQColor(Colour c)
{
    const std::uint32_t rgb = c.resolvedRgb();
    return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

QFont toQFont(const Font& f)
{
    const Substitute sub = substitute(f);
    QFont q;
    q.setFamilies({sub.family, QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans")});
    // Pixel sizes at 96 pixels per inch keep every layout as designed;
    // high-density displays scale through the device pixel ratio.
    q.setPixelSize(qMax(1, qRound(f.points() * 96.0 / 72.0 * sub.scale)));
    if (sub.stretch != 100)
        q.setStretch(sub.stretch);
    q.setWeight(f.bold() ? QFont::Bold : QFont::Normal);
    q.setItalic(f.italic);
    q.setUnderline(f.underline);
    q.setKerning(true);
    q.setStyleStrategy(QFont::PreferAntialias);
    // Whole-pixel glyph positions for the traced face, as its bitmaps had: a
    // caption centred on a half pixel stays sharp instead of smearing every
    // stem. Set on every font, so that none inherits it from the default.
    q.setHintingPreference(sub.family == QLatin1String("Sans Serif Pixels") ? QFont::PreferFullHinting
                                                                             : QFont::PreferDefaultHinting);
    return q;
}

QString toDisplayText(const std::string& utf8)
{
    QString s = QString::fromStdString(utf8);
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return s;
}

} // namespace yelvanis::qt
