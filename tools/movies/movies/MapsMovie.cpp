// haritalar.swf: the extent of the state at ten dates on real coastlines.
// The coastlines come from the shoreline data Debian ships; the territories
// are the hand-drawn rings of data/territories.txt, clipped to the land. Each map holds for a while, then cross-fades into the next; the last
// fades back into the first.

#include <QFile>
#include <QTextStream>
#include <map>
#include <stdexcept>

#include "Coastlines.h"
#include "Common.h"
#include "Movies.h"
#include "MovieBuilder.h"
#include "OutlineFont.h"
#include "ShapeBuilder.h"

namespace yelvanis::movies {

namespace {

const QColor Sea(170, 203, 222);
const QColor DeepSea(140, 180, 206);
const QColor Land(240, 232, 205);
const QColor Coast(92, 122, 146);
const QColor Core(196, 52, 40);
const QColor CoreEdge(120, 20, 16);
const QColor Bound(232, 150, 100);
const QColor Ink(58, 36, 24);

// Equirectangular with the scale true at 35 degrees north.
struct Projection {
    double lon0 = -10.0, lat0 = 50.6, k = 10.49, squeeze = std::cos(35.0 * Pi / 180.0);
    QPointF operator()(QPointF lonLat) const { return { (lonLat.x() - lon0) * k * squeeze, (lat0 - lonLat.y()) * k }; }
};

struct YearMap {
    int year;
    QStringList core, bound, minus, over;
};

struct TerritoryData {
    std::map<QString, std::vector<QPointF>> regions;
    std::vector<YearMap> years;
};

TerritoryData readTerritories(const QString& file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        throw std::runtime_error("cannot read " + file.toStdString());
    TerritoryData d;
    QTextStream in(&f);
    int lineNo = 0;
    while (!in.atEnd()) {
        QString line = in.readLine();
        ++lineNo;
        if (line.startsWith('#') || line.trimmed().isEmpty())
            continue;
        QStringList w = line.split(' ', Qt::SkipEmptyParts);
        auto fail = [&](const std::string& why) { throw std::runtime_error(file.toStdString() + ":" + std::to_string(lineNo) + ": " + why); };
        if (w[0] == "region") {
            if (w.size() < 8 || w.size() % 2 != 0)
                fail("a region needs a name and at least three points");
            std::vector<QPointF> pts;
            for (qsizetype i = 2; i + 1 < w.size(); i += 2) {
                bool okX = false, okY = false;
                pts.emplace_back(w[i].toDouble(&okX), w[i + 1].toDouble(&okY));
                if (!okX || !okY)
                    fail("not a number");
            }
            d.regions[w[1]] = pts;
        } else if (w[0] == "year") {
            YearMap y { w.value(1).toInt(), {}, {}, {}, {} };
            QStringList* into = nullptr;
            for (qsizetype i = 2; i < w.size(); ++i) {
                if (w[i] == "core")
                    into = &y.core;
                else if (w[i] == "bound")
                    into = &y.bound;
                else if (w[i] == "minus")
                    into = &y.minus;
                else if (w[i] == "over")
                    into = &y.over;
                else if (!into)
                    fail("a region name before core, bound, over or minus");
                else if (!d.regions.count(w[i]))
                    fail("unknown region " + w[i].toStdString());
                else
                    into->append(w[i]);
            }
            d.years.push_back(y);
        } else {
            fail("unknown line");
        }
    }
    return d;
}

// Drops points that stray less than the tolerance from the line: a fine one
// on the stage, a coarse one off it. Rings stay whole rather than cut at the
// stage edge, because edges lying on top of each other along a cut confuse
// the path clipping that fits the territories to the land.
struct Tolerance {
    QRectF stage;
    double fine, coarse;
    double at(QPointF p) const { return stage.contains(p) ? fine : coarse; }
};

void simplify(const std::vector<QPointF>& in, size_t a, size_t b, const Tolerance& tolerance, std::vector<bool>& keep)
{
    if (b <= a + 1)
        return;
    QPointF d = in[b] - in[a];
    double len = std::hypot(d.x(), d.y());
    double worst = -1;
    size_t at = a;
    for (size_t i = a + 1; i < b; ++i) {
        QPointF v = in[i] - in[a];
        double dist = len > 1e-9 ? std::abs(v.x() * d.y() - v.y() * d.x()) / len : std::hypot(v.x(), v.y());
        if (dist > worst) {
            worst = dist;
            at = i;
        }
    }
    if (worst > tolerance.at(in[at])) {
        keep[at] = true;
        simplify(in, a, at, tolerance, keep);
        simplify(in, at, b, tolerance, keep);
    }
}

std::vector<QPointF> simplified(const std::vector<QPointF>& in, const Tolerance& tolerance)
{
    if (in.size() < 4)
        return in;
    std::vector<bool> keep(in.size(), false);
    keep.front() = keep.back() = true;
    size_t mid = in.size() / 2;
    keep[mid] = true;
    simplify(in, 0, mid, tolerance, keep);
    simplify(in, mid, in.size() - 1, tolerance, keep);
    std::vector<QPointF> out;
    for (size_t i = 0; i < in.size(); ++i)
        if (keep[i])
            out.push_back(in[i]);
    return out;
}

QPainterPath regionPath(const std::vector<QPointF>& lonLat, const Projection& proj)
{
    std::vector<QPointF> pts;
    for (QPointF p : lonLat)
        pts.push_back(proj(p));
    return polygon(pts);
}

struct City {
    const char* name;
    double lon, lat;
    int side; // label to the right (1) or left (-1)
};

const City Cities[] = {
    { "İstanbul", 28.97, 41.01, 1 }, { "Bursa", 29.06, 40.19, -1 }, { "Edirne", 26.56, 41.68, -1 },
    { "Konya", 32.49, 37.87, 1 },    { "Kahire", 31.24, 30.04, 1 }, { "Şam", 36.29, 33.51, 1 },
    { "Bağdat", 44.36, 33.31, 1 },   { "Mekke", 39.83, 21.42, 1 },  { "Budin", 19.04, 47.50, 1 },
    { "Viyana", 16.37, 48.21, -1 },  { "Cezayir", 3.06, 36.75, 1 }, { "Tunus", 10.18, 36.80, 1 },
    { "Trablus", 13.19, 32.89, 1 },  { "Belgrad", 20.46, 44.82, 1 }, { "Kudüs", 35.21, 31.77, -1 },
};

struct Caption {
    int year;
    const char* lines[3];
    const char* boundLabel;
};

const Caption Captions[] = {
    { 1300, { "Osman Bey’in beyliği: Söğüt, Bilecik,", "Yenişehir ve İnegöl çevresi.", nullptr }, nullptr },
    { 1359, { "Orhan Gazi’nin son yılları: Bursa, İznik,", "İzmit, Karesi ve Ankara alındı;", "Gelibolu’dan Rumeli’ye geçildi." }, nullptr },
    { 1451, { "Fatih tahta çıkarken: Rumeli’nin büyük kısmı", "ve Batı Anadolu. İstanbul henüz Bizans’ın;", "Karaman ve Candaroğulları bağımsız." }, nullptr },
    { 1520, { "Yavuz Sultan Selim’in ölümü: Doğu Anadolu,", "Suriye, Mısır ve Hicaz katıldı; Eflak, Boğdan,", "Kırım ve Cezayir bağlı." }, "Bağlı beylik ve hanlıklar" },
    { 1566, { "Kanuni’nin ölümü: Macaristan, Irak, Yemen,", "Habeş kıyıları ve Trablusgarp eklendi;", "Erdel de bağlılar arasına girdi." }, "Bağlı beylik ve hanlıklar" },
    { 1683, { "II. Viyana Kuşatması yılı: Girit, Kıbrıs,", "Tunus, Podolya ve Uyvar ile devletin en", "geniş hâli. Yemen ve Lahsa elden çıkmıştı." }, "Bağlı beylik ve hanlıklar" },
    { 1800, { "Karlofça ve Küçük Kaynarca’dan sonra", "Macaristan ile Kırım kaybedildi. Mısır", "1798-1801 arasında Fransız işgalinde." }, "Yarı bağımsız eyaletler" },
    { 1878, { "Berlin Antlaşması: Sırbistan, Karadağ ve", "Romanya bağımsız, Bulgaristan özerk; Kars,", "Ardahan ve Batum Rusya’ya bırakıldı." }, "Özerk ya da yabancı idaresinde" },
    { 1914, { "Balkan Savaşları’ndan sonra Rumeli’de", "yalnız Doğu Trakya kaldı; Trablusgarp", "1912’de İtalya’ya geçti." }, "İngiliz işgalindeki Mısır" },
    { 1920, { "Sevr Antlaşması’nın öngördüğü sınırlar.", "Antlaşma uygulanamadı; Millî Mücadele", "ile geçersiz kaldı." }, "Yunan idaresi ve özerk bölge" },
};

} // namespace

std::vector<uint8_t> makeMapsMovie(const MovieRecipe& r)
{
    const int hold = 48, blend = 12, period = hold + blend;
    TerritoryData data = readTerritories(sourcePath("tools/movies/data/territories.txt"));
    if (data.years.size() != std::size(Captions))
        throw std::runtime_error("every year of the territories needs a caption");
    const int frames = int(data.years.size()) * period;

    MovieBuilder movie(r.width, r.height, r.frameRate, Sea);
    Projection proj;
    OutlineFont bold(movie, fontFile("LiberationSans-Bold.ttf"));
    OutlineFont plain(movie, fontFile("LiberationSans-Regular.ttf"));
    OutlineFont script(movie, fontFile("Z003-MediumItalic.otf"));

    // Land and lakes as one even-odd outline: lakes are holes in the land.
    QRectF window(-25, 0, 100, 62);
    std::vector<ShorePolygon> shores = readShorelines(QStringLiteral(YELVANIS_GSHHG_DIR "/binned_GSHHS_l.nc"), window, 2);
    QRectF clip(-4, -4, r.width + 8, r.height + 8);
    QPainterPath land;
    land.setFillRule(Qt::OddEvenFill);
    for (const ShorePolygon& s : shores) {
        std::vector<QPointF> pts;
        for (QPointF p : s.lonLat)
            pts.push_back(proj(p));
        pts = simplified(pts, { clip, 0.5, 25 });
        if (pts.size() < 3)
            continue;
        QRectF b = polygon(pts).boundingRect();
        if (b.width() * b.height() < 0.5)
            continue; // islets smaller than a pixel
        land.addPath(polygon(pts));
    }

    ShapeBuilder base;
    base.fill(rect(0, 0, r.width, r.height), radialGradient({ r.width * 0.45, r.height * 0.4 }, r.width * 0.8, { { 0, Sea }, { 1, DeepSea } }));
    QPainterPath graticule;
    for (int lon = -10; lon <= 60; lon += 10) {
        graticule.moveTo(proj({ double(lon), 60 }));
        graticule.lineTo(proj({ double(lon), 0 }));
    }
    for (int lat = 10; lat <= 50; lat += 10) {
        graticule.moveTo(proj({ -20, double(lat) }));
        graticule.lineTo(proj({ 70, double(lat) }));
    }
    base.stroke(graticule, { 0.5, QColor(255, 255, 255, 110) });
    base.fill(land, Land);
    uint16_t baseId = movie.add(base.build());
    ShapeBuilder coast;
    coast.stroke(land, { 0.6, Coast });
    uint16_t coastId = movie.add(coast.build());

    auto alphaOf = [&](int index, int f) {
        int t = ((f - index * period) % frames + frames) % frames;
        if (t < hold)
            return 1.0;
        if (t < period)
            return 1.0 - double(t - hold + 1) / (blend + 1);
        if (t >= frames - blend)
            return double(t - (frames - blend) + 1) / (blend + 1);
        return 0.0;
    };
    auto fading = [&](int index) {
        return [=](int f) -> std::optional<ActorState> {
            double a = alphaOf(index, f);
            if (a <= 0)
                return std::nullopt;
            return ActorState { QTransform(), a, std::nullopt, 0 };
        };
    };

    Scene scene(frames);
    scene.addStatic(baseId);

    std::vector<QPainterPath> cores;
    for (size_t i = 0; i < data.years.size(); ++i) {
        const YearMap& y = data.years[i];
        QPainterPath core, bound;
        for (const QString& name : y.core)
            core = core.united(regionPath(data.regions[name], proj));
        for (const QString& name : y.minus)
            core = core.subtracted(regionPath(data.regions[name], proj));
        for (const QString& name : y.bound)
            bound = bound.united(regionPath(data.regions[name], proj));
        bound = bound.subtracted(core);
        for (const QString& name : y.over) {
            QPainterPath zone = regionPath(data.regions[name], proj);
            core = core.subtracted(zone);
            bound = bound.united(zone);
        }
        // Clipped to the land once here, so the player has no mask to apply.
        core = core.intersected(land);
        bound = bound.intersected(land);
        cores.push_back(core);
        ShapeBuilder t;
        t.fill(bound, Bound);
        t.stroke(bound, { 0.8, QColor(170, 90, 50) });
        t.fill(core, Core);
        t.stroke(core, { 1.0, CoreEdge });
        scene.add(movie.add(t.build()), fading(int(i)));
    }
    scene.addStatic(coastId);

    // The first years' lands are small on this scale: an enlarged view of
    // north-western Anatolia shows them, over the steppe in the corner.
    {
        const QRectF area(proj({ 26.3, 41.4 }), proj({ 33.3, 39.1 }));
        const QRectF box(r.width - 228.0, 8, 220, 220 * area.height() / area.width());
        QTransform zoom = QTransform::fromTranslate(box.x(), box.y()).scale(box.width() / area.width(), box.height() / area.height()).translate(-area.x(), -area.y());
        QPainterPath window;
        window.addRect(area);
        ShapeBuilder inset;
        inset.fill(roundRect(box.x() + 1.5, box.y() + 2, box.width(), box.height(), 3), QColor(40, 30, 20, 70));
        inset.fill(rect(box.x(), box.y(), box.width(), box.height()), Sea);
        inset.fill(zoom.map(land.intersected(window)), Land);
        inset.stroke(zoom.map(land.intersected(window)), { 0.6, Coast });
        inset.stroke(rect(box.x(), box.y(), box.width(), box.height()), { 1.2, QColor(150, 110, 60) });
        inset.stroke(rect(area.x(), area.y(), area.width(), area.height()), { 0.8, QColor(150, 110, 60) });
        uint16_t insetId = movie.add(inset.build());
        const int early = 2; // 1300 and 1359
        scene.add(insetId, [=](int f) -> std::optional<ActorState> {
            double a = 0;
            for (int i = 0; i < early; ++i)
                a = std::max(a, alphaOf(i, f));
            if (a <= 0)
                return std::nullopt;
            return ActorState { QTransform(), a, std::nullopt, 0 };
        });
        for (int i = 0; i < early; ++i) {
            ShapeBuilder t;
            QPainterPath z = zoom.map(cores[size_t(i)].intersected(window));
            t.fill(z, Core);
            t.stroke(z, { 0.8, CoreEdge });
            scene.add(movie.add(t.build()), fading(i));
        }
        const City places[] = { { "Söğüt", 30.18, 40.02, 1 }, { "Bursa", 29.06, 40.19, -1 }, { "İznik", 29.72, 40.43, 1 },
                                { "Gelibolu", 26.67, 40.41, 1 }, { "Ankara", 32.85, 39.93, -1 }, { "İstanbul", 28.97, 41.01, -1 } };
        ShapeBuilder names;
        for (const City& c : places) {
            QPointF at = zoom.map(proj({ c.lon, c.lat }));
            QString name = QString::fromUtf8(c.name);
            QPointF label = at + QPointF(c.side > 0 ? 3.5 : -3.5, 2.8);
            double w = bold.width(name, 7.5);
            double left = c.side > 0 ? label.x() - 1.5 : label.x() - w - 1.5;
            names.fill(roundRect(left, label.y() - 7.2, w + 3, 9.4, 2), QColor(255, 250, 235, 190));
            names.fill(bold.path(name, 7.5, label, c.side > 0 ? Align::Left : Align::Right), Ink);
            names.fill(ellipse(at, 1.4, 1.4), Ink);
        }
        uint16_t namesId = movie.add(names.build());
        scene.add(namesId, [=](int f) -> std::optional<ActorState> {
            double a = 0;
            for (int i = 0; i < early; ++i)
                a = std::max(a, alphaOf(i, f));
            if (a <= 0)
                return std::nullopt;
            return ActorState { QTransform(), a, std::nullopt, 0 };
        });
    }

    // Cities, each name on a pale tag so that it reads on any colour.
    ShapeBuilder cities;
    for (const City& c : Cities) {
        QPointF at = proj({ c.lon, c.lat });
        QString name = QString::fromUtf8(c.name);
        double w = bold.width(name, 7.5);
        QPointF label = at + QPointF(c.side > 0 ? 4.5 : -4.5, 2.8);
        double left = c.side > 0 ? label.x() - 1.5 : label.x() - w - 1.5;
        cities.fill(roundRect(left, label.y() - 7.2, w + 3, 9.4, 2), QColor(255, 250, 235, 190));
        cities.fill(bold.path(name, 7.5, label, c.side > 0 ? Align::Left : Align::Right), Ink);
        cities.fill(ellipse(at, 2.0, 2.0), QColor(255, 250, 235));
        cities.fill(ellipse(at, 1.3, 1.3), Ink);
    }
    scene.addStatic(movie.add(cities.build()));

    // The year and its caption, in a panel over the Sahara, where no map
    // of the state ever reaches.
    ShapeBuilder panel;
    QRectF box(8, 300, 256, 125);
    panel.fill(roundRect(box.x() + 1.5, box.y() + 2, box.width(), box.height(), 6), QColor(40, 30, 20, 70));
    panel.fill(roundRect(box.x(), box.y(), box.width(), box.height(), 6), QColor(252, 247, 232, 235));
    panel.stroke(roundRect(box.x() + 2.5, box.y() + 2.5, box.width() - 5, box.height() - 5, 4.5), { 0.8, QColor(150, 110, 60) });
    panel.fill(rect(box.x() + 12, box.y() + 100, 12, 8), Core);
    panel.stroke(rect(box.x() + 12, box.y() + 100, 12, 8), { 0.6, CoreEdge });
    uint16_t panelId = movie.add(panel.build());
    scene.addStatic(panelId);
    scene.addStatic(plain.text(QStringLiteral("Osmanlı toprakları"), 8.5, Ink, { box.x() + 29, box.y() + 107.5 }));

    for (size_t i = 0; i < data.years.size(); ++i) {
        const Caption& c = Captions[i];
        if (c.year != data.years[i].year)
            throw std::runtime_error("captions and years out of step at " + std::to_string(c.year));
        QStringList lines;
        for (const char* l : c.lines)
            if (l)
                lines << QString::fromUtf8(l);
        scene.add(script.text(QString::number(c.year), 30, CoreEdge, { box.x() + 12, box.y() + 32 }), fading(int(i)));
        scene.add(bold.lines(lines, 9.5, 12.5, Ink, { box.x() + 12, box.y() + 52 }), fading(int(i)));
        if (c.boundLabel) {
            ShapeBuilder swatch;
            swatch.fill(rect(box.x() + 120, box.y() + 100, 12, 8), Bound);
            swatch.stroke(rect(box.x() + 120, box.y() + 100, 12, 8), { 0.6, QColor(170, 90, 50) });
            scene.add(movie.add(swatch.build()), fading(int(i)));
            QString label = QString::fromUtf8(c.boundLabel);
            double size = std::min(8.0, (box.right() - 8 - (box.x() + 136)) / plain.width(label, 1.0));
            scene.add(plain.text(label, size, Ink, { box.x() + 136, box.y() + 107.5 }), fading(int(i)));
        }
    }
    scene.addStatic(plain.text(QStringLiteral("Yaklaşık sınırlar; kıyılar: GSHHG"), 7, QColor(70, 90, 110), { double(r.width - 6), double(r.height - 5) }, Align::Right));

    bold.finish();
    plain.finish();
    script.finish();
    movie.setMain(scene);
    return movie.write();
}

} // namespace yelvanis::movies
