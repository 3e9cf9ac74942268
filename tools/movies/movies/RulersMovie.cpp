// padisahlar.swf: the program's opening title. The 36 rulers pass by in reign
// order as a frieze of their portraits, names and reign years, under the
// title; the frieze moves by exactly its own length over the loop, so the
// last frame runs on into the first.

#include <QImage>
#include <stdexcept>

#include "Common.h"
#include "Movies.h"
#include "MovieBuilder.h"
#include "OutlineFont.h"
#include "ShapeBuilder.h"

namespace yelvanis::movies {

namespace {

struct Ruler {
    const char* portrait; // file under src/content/rulers/portraits
    const char* name;
    const char* reign;
};

// Reign years as the ruler screens give them, so the frieze and the fact
// cards never disagree.
const Ruler Rulers[] = {
    { "01-osman", "Osman Gazi", "1281 - 1326" },
    { "02-orhan", "Orhan Gazi", "1326 - 1359" },
    { "03-murad", "I. Murad", "1359 - 1389" },
    { "04-yildirim", "Yıldırım Bayezid", "1389 - 1403" },
    { "05-cmehmet", "Çelebi Mehmed", "1413 - 1421" },
    { "06-murad2", "II. Murad", "1421 - 1451" },
    { "07-fatih", "Fatih Sultan Mehmed", "1451 - 1481" },
    { "08-bayezid2", "II. Bayezid", "1481 - 1512" },
    { "09-yavuz", "Yavuz Sultan Selim", "1512 - 1520" },
    { "10-kanuni", "Kanuni Sultan Süleyman", "1520 - 1566" },
    { "11-selim2", "II. Selim", "1566 - 1574" },
    { "12-murad3", "III. Murad", "1574 - 1595" },
    { "13-mehmed3", "III. Mehmed", "1595 - 1603" },
    { "14-ahmed", "I. Ahmed", "1603 - 1617" },
    { "15-mustafa", "I. Mustafa", "1617 - 18, 1622 - 23" },
    { "16-gencosman", "Genç Osman", "1618 - 1622" },
    { "17-murad4", "IV. Murad", "1623 - 1640" },
    { "18-ibrahim", "Sultan İbrahim", "1640 - 1648" },
    { "19-mehmed4", "IV. Mehmed", "1648 - 1687" },
    { "20-suleyman2", "II. Süleyman", "1687 - 1691" },
    { "21-ahmed2", "II. Ahmed", "1691 - 1695" },
    { "22-mustafa2", "II. Mustafa", "1695 - 1703" },
    { "23-ahmed3", "III. Ahmed", "1703 - 1730" },
    { "24-mahmud1", "I. Mahmud", "1730 - 1754" },
    { "25-osman3", "III. Osman", "1754 - 1757" },
    { "26-mustafa3", "III. Mustafa", "1757 - 1774" },
    { "27-abdulhamid1", "I. Abdülhamid", "1774 - 1789" },
    { "28-selim3", "III. Selim", "1789 - 1807" },
    { "29-mustafa4", "IV. Mustafa", "1807 - 1808" },
    { "30-mahmud2", "II. Mahmud", "1808 - 1839" },
    { "31-abdulmecid1", "Abdülmecid", "1839 - 1861" },
    { "32-abdulaziz", "Abdülaziz", "1861 - 1876" },
    { "33-murad5", "V. Murad", "1876" },
    { "34-abdulhamid2", "II. Abdülhamid", "1876 - 1909" },
    { "35-mehmedresad", "Mehmed Reşad", "1909 - 1918" },
    { "36-vahdeddin", "Mehmed Vahdeddin", "1918 - 1922" },
};

const QColor Crimson(110, 16, 28);
const QColor DeepCrimson(64, 8, 16);
const QColor Gold(222, 178, 70);
const QColor LightGold(245, 222, 160);

swf::Bitmap bitmapFrom(const QImage& source)
{
    QImage img = source.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    swf::Bitmap b;
    b.kind = swf::Bitmap::Kind::Pixels;
    b.width = uint32_t(img.width());
    b.height = uint32_t(img.height());
    for (int y = 0; y < img.height(); ++y) {
        const auto* line = reinterpret_cast<const uint32_t*>(img.constScanLine(y));
        b.pixels.insert(b.pixels.end(), line, line + img.width());
    }
    return b;
}

} // namespace

std::vector<uint8_t> makeRulersMovie(const MovieRecipe& r)
{
    MovieBuilder movie(r.width, r.height, r.frameRate, DeepCrimson);
    const double tile = 104, speed = 2; // pixels per frame
    const double strip = tile * std::size(Rulers);
    const int frames = int(strip / speed);

    OutlineFont script(movie, fontFile("Z003-MediumItalic.otf"));
    OutlineFont bold(movie, fontFile("LiberationSans-Bold.ttf"));
    OutlineFont plain(movie, fontFile("LiberationSans-Regular.ttf"));

    ShapeBuilder back;
    back.fill(rect(0, 0, r.width, r.height), linearGradient({ 0, 0 }, { 0, double(r.height) }, { { 0, Crimson }, { 0.55, QColor(88, 12, 22) }, { 1, DeepCrimson } }));
    back.fill(rect(0, 40, r.width, 1.2), Gold);
    back.fill(rect(0, 150, r.width, 1.2), Gold);
    for (double x = 6; x < r.width; x += 12)
        back.fill(star({ x, 3.5 }, 4, 2.2, 0.9, 0), QColor(222, 178, 70, 150));
    uint16_t backId = movie.add(back.build());

    // Each tile of the frieze is a sprite of its own, on the stage only while
    // it is in view, so a frame draws a handful of tiles rather than all 36.
    std::vector<uint16_t> tiles;
    for (size_t i = 0; i < std::size(Rulers); ++i) {
        Scene stripScene(1);
        const Ruler& ruler = Rulers[i];
        QImage portrait(sourcePath(QStringLiteral("src/content/rulers/portraits/%1.gif").arg(ruler.portrait)));
        if (portrait.isNull())
            throw std::runtime_error(std::string("cannot read the portrait ") + ruler.portrait);
        uint16_t bitmapId = movie.add(bitmapFrom(portrait));
        double x0 = 0;
        double scale = 70.0 / portrait.height();
        double w = portrait.width() * scale, h = portrait.height() * scale;
        double px = x0 + (tile - w) / 2, py = 47;
        ShapeBuilder frame;
        frame.fill(roundRect(px - 4, py - 4, w + 8, h + 8, 3), linearGradient({ px, py }, { px + w, py + h }, { { 0, LightGold }, { 0.5, Gold }, { 1, QColor(150, 105, 30) } }));
        frame.fill(rect(px - 1, py - 1, w + 2, h + 2), QColor(60, 30, 10));
        frame.fill(rect(px, py, w, h), bitmapFill(bitmapId, { px, py }, scale));
        frame.fill(star({ x0 + tile, 86 }, 8, 3.2, 1.4), QColor(222, 178, 70, 170));
        stripScene.addStatic(movie.add(frame.build()));
        double size = std::min(10.0, (tile - 8) / std::max(1.0, bold.width(QString::fromUtf8(ruler.name), 1.0)));
        // Text offsets are 16-bit: each caption sits at its tile by its placement.
        QTransform at = QTransform::fromTranslate(x0 + tile / 2, 0);
        stripScene.addStatic(bold.text(QString::fromUtf8(ruler.name), size, LightGold, { 0, 132 }, Align::Centre), at);
        stripScene.addStatic(plain.text(QString::fromUtf8(ruler.reign), 8.5, Gold, { 0, 144 }, Align::Centre), at);
        tiles.push_back(movie.addSprite(stripScene));
    }

    Scene scene(frames);
    scene.addStatic(backId);
    for (size_t i = 0; i < tiles.size(); ++i)
        scene.add(tiles[i], [=, w = r.width](int f) -> std::optional<ActorState> {
            double x = std::fmod(i * tile - f * speed, strip);
            if (x < 0)
                x += strip;
            if (x > w)
                x -= strip; // coming round again from the left edge
            if (x + tile + 4 < 0 || x > w)
                return std::nullopt;
            return ActorState { QTransform::fromTranslate(x, 0), 1, std::nullopt, 0 };
        });

    // The ends of the frieze melt into the background.
    ShapeBuilder edges;
    edges.fill(rect(0, 42, 36, 107), linearGradient({ 0, 0 }, { 36, 0 }, { { 0, QColor(88, 12, 22, 255) }, { 1, QColor(88, 12, 22, 0) } }));
    edges.fill(rect(r.width - 36, 42, 36, 107), linearGradient({ double(r.width - 36), 0 }, { double(r.width), 0 }, { { 0, QColor(88, 12, 22, 0) }, { 1, QColor(88, 12, 22, 255) } }));
    scene.addStatic(movie.add(edges.build()));

    // The title, with a gleam that passes through its letters now and then.
    const QString title = QStringLiteral("Osmanlı Padişahları 1299 - 1922");
    QPainterPath titlePath = script.path(title, 27, { r.width / 2.0, 30 }, Align::Centre);
    ShapeBuilder shadow;
    shadow.fill(titlePath.translated(1.2, 1.5), QColor(30, 0, 6, 200));
    scene.addStatic(movie.add(shadow.build()));
    scene.addStatic(script.text(title, 27, Gold, { r.width / 2.0, 30 }, Align::Centre));
    ShapeBuilder mask;
    mask.fill(titlePath, Qt::white);
    uint16_t maskId = movie.add(mask.build());
    uint16_t maskDepth = scene.nextDepth();
    scene.addMask(maskId, [](int) { return ActorState {}; }, uint16_t(maskDepth + 1));
    ShapeBuilder gleam;
    gleam.fill(rect(-18, 0, 36, 40), linearGradient({ -18, 0 }, { 18, 0 }, { { 0, QColor(255, 250, 225, 0) }, { 0.5, QColor(255, 250, 225, 230) }, { 1, QColor(255, 250, 225, 0) } }));
    uint16_t gleamId = movie.add(gleam.build());
    const int period = frames / 13, sweep = 40;
    scene.add(gleamId, [=](int f) -> std::optional<ActorState> {
        int t = f % period;
        if (t >= sweep)
            return std::nullopt;
        double x = lerp(70, 340, double(t) / (sweep - 1));
        return ActorState { QTransform::fromTranslate(x, 0).shear(-0.4, 0), 1, std::nullopt, 0 };
    });

    script.finish();
    bold.finish();
    plain.finish();
    movie.setMain(scene);
    return movie.write();
}

} // namespace yelvanis::movies
