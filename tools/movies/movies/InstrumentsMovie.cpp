// mehter.swf: the band's instruments and emblems, one after another, each
// drawn, named in Turkish and described in a line. Drums and cymbals beat,
// standards sway; each picture fades into the next and the last into the first.

#include "Common.h"
#include "Movies.h"
#include "MovieBuilder.h"
#include "OutlineFont.h"
#include "ShapeBuilder.h"

namespace yelvanis::movies {

namespace {

const QColor Wine(92, 14, 22);
const QColor DarkWine(52, 6, 12);
const QColor Gold(224, 182, 80);
const QColor PaleGold(250, 228, 170);
const QColor Copper(184, 98, 52);
const QColor DarkCopper(110, 52, 24);
const QColor Brass(214, 170, 70);
const QColor DarkBrass(132, 96, 30);
const QColor Skin(236, 222, 190);
const QColor Wood(120, 70, 36);
const QColor DarkWood(70, 38, 18);
const QColor Red(196, 30, 36);
const QColor Outline(40, 20, 10);

const Stroke Line1 { 1.2, Outline };

QPainterPath bezier(QPointF a, QPointF c1, QPointF c2, QPointF b)
{
    QPainterPath p;
    p.moveTo(a);
    p.cubicTo(c1, c2, b);
    return p;
}

// Drawings centred on (0, 0), about 170 pixels across.

void drawKos(ShapeBuilder& s)
{
    // the caparison it sits on
    s.fill(roundRect(-88, 38, 176, 34, 6), linearGradient({ 0, 38 }, { 0, 72 }, { { 0, Red }, { 1, QColor(120, 14, 20) } }));
    for (int i = 0; i < 11; ++i)
        s.fill(star({ -80.0 + i * 16, 55 }, 6, 4, 1.8), Gold);
    s.stroke(roundRect(-88, 38, 176, 34, 6), { 1.5, Gold });
    QPainterPath bowl;
    bowl.moveTo(-72, -20);
    bowl.cubicTo(-72, 40, -30, 52, 0, 52);
    bowl.cubicTo(30, 52, 72, 40, 72, -20);
    bowl.closeSubpath();
    s.fill(bowl, radialGradient({ -25, 0 }, 95, { { 0, QColor(232, 150, 90) }, { 0.55, Copper }, { 1, DarkCopper } }));
    s.stroke(bowl, Line1);
    for (int i = -3; i <= 3; ++i) {
        QPainterPath rope;
        rope.moveTo(i * 20, -20 + std::abs(i) * 1.5);
        rope.lineTo(i * 14, 46 - std::abs(i) * 2);
        s.stroke(rope, { 1.3, QColor(240, 220, 170) });
    }
    s.fill(ellipse({ 0, -20 }, 74, 14), Skin);
    s.stroke(ellipse({ 0, -20 }, 74, 14), { 2.5, DarkCopper });
    s.fill(ellipse({ -12, -22 }, 30, 5), QColor(255, 245, 225, 140));
}

void drawKosMallets(ShapeBuilder& s)
{
    s.stroke(bezier({ 20, -80 }, { 10, -60 }, { 0, -45 }, { -6, -28 }), { 4, Wood });
    s.fill(ellipse({ -8, -26 }, 7, 6), QColor(90, 50, 25));
}

void drawDavul(ShapeBuilder& s)
{
    QPainterPath body = rect(-62, -48, 124, 96);
    s.fill(body, linearGradient({ -62, 0 }, { 62, 0 }, { { 0, QColor(140, 20, 24) }, { 0.45, Red }, { 1, QColor(110, 14, 18) } }));
    // the rope lacing, in zigzag
    QPainterPath zig;
    zig.moveTo(-62, -44);
    for (int i = 0; i <= 8; ++i)
        zig.lineTo(-62 + i * 15.5, i % 2 ? 44 : -44);
    s.stroke(zig, { 1.8, QColor(245, 230, 190) });
    for (double x : { -62.0, 62.0 }) {
        s.fill(ellipse({ x, 0 }, 9, 50), Skin);
        s.stroke(ellipse({ x, 0 }, 9, 50), { 3, DarkWood });
    }
    s.fill(rect(-62, -50, 124, 5), Gold);
    s.fill(rect(-62, 45, 124, 5), Gold);
    // the strap over the shoulder
    s.stroke(bezier({ -40, -50 }, { -30, -95 }, { 30, -95 }, { 40, -50 }), { 4, QColor(150, 100, 40) });
}

void drawDavulSticks(ShapeBuilder& s)
{
    // the thick mallet (tokmak) and the thin rod (çubuk)
    s.stroke(bezier({ 95, -70 }, { 90, -40 }, { 82, -20 }, { 72, -6 }), { 4.5, Wood });
    s.fill(ellipse({ 70, -4 }, 8, 7), DarkWood);
    s.stroke(bezier({ -110, 40 }, { -95, 30 }, { -85, 20 }, { -70, 8 }), { 1.6, Wood });
}

void drawZurna(ShapeBuilder& s)
{
    // a conical wooden pipe, drawn slanting
    QTransform t = QTransform().rotate(-28);
    QPainterPath pipe;
    pipe.moveTo(-6, -78);
    pipe.lineTo(6, -78);
    pipe.lineTo(11, 40);
    pipe.cubicTo(14, 60, 28, 72, 30, 82);
    pipe.lineTo(-30, 82);
    pipe.cubicTo(-28, 72, -14, 60, -11, 40);
    pipe.closeSubpath();
    s.fill(t.map(pipe), linearGradient(t.map(QPointF(-30, 0)), t.map(QPointF(30, 0)), { { 0, DarkWood }, { 0.4, QColor(170, 110, 60) }, { 1, DarkWood } }));
    s.stroke(t.map(pipe), Line1);
    for (int i = 0; i < 7; ++i)
        s.fill(t.map(ellipse({ 0, -48.0 + i * 12 }, 2.6, 2.2)), QColor(30, 14, 6));
    s.fill(t.map(rect(-9, 36, 18, 5)), Gold);
    s.fill(t.map(ellipse({ 0, -80 }, 16, 3.5)), Gold); // the lip disc
    s.stroke(t.map(ellipse({ 0, -80 }, 16, 3.5)), { 0.8, DarkBrass });
    s.fill(t.map(rect(-2.2, -98, 4.4, 18)), QColor(200, 180, 120)); // the reed
}

void drawNakkare(ShapeBuilder& s)
{
    for (int k = 0; k < 2; ++k) {
        double cx = k ? 44 : -44;
        QPainterPath bowl;
        bowl.moveTo(cx - 40, -6);
        bowl.cubicTo(cx - 40, 34, cx - 14, 46, cx, 46);
        bowl.cubicTo(cx + 14, 46, cx + 40, 34, cx + 40, -6);
        bowl.closeSubpath();
        s.fill(bowl, radialGradient({ cx - 12, 6 }, 55, { { 0, QColor(232, 150, 90) }, { 0.6, Copper }, { 1, DarkCopper } }));
        s.stroke(bowl, Line1);
        for (int i = -2; i <= 2; ++i) {
            QPainterPath lace;
            lace.moveTo(cx + i * 14, -6);
            lace.lineTo(cx + i * 8, 42);
            s.stroke(lace, { 1.1, QColor(240, 220, 170) });
        }
        s.fill(ellipse({ cx, -6 }, 41, 9), Skin);
        s.stroke(ellipse({ cx, -6 }, 41, 9), { 2.2, DarkCopper });
    }
    // the strap that joins the pair
    s.stroke(bezier({ -10, 20 }, { -4, 28 }, { 4, 28 }, { 10, 20 }), { 3, QColor(150, 100, 40) });
}

void drawNakkareStick(ShapeBuilder& s)
{
    s.stroke(bezier({ 0, -70 }, { 0, -50 }, { 0, -32 }, { 0, -16 }), { 2.2, Wood });
    s.fill(ellipse({ 0, -15 }, 3.5, 3), DarkWood);
}

void drawCymbal(ShapeBuilder& s)
{
    QPainterPath disc = ellipse({ 0, 0 }, 18, 62);
    s.fill(disc, linearGradient({ -18, -62 }, { 18, 62 }, { { 0, QColor(255, 230, 140) }, { 0.5, Brass }, { 1, DarkBrass } }));
    s.stroke(disc, { 1.0, DarkBrass });
    for (double r : { 46.0, 30.0 })
        s.stroke(ellipse({ 0, 0 }, 18 * r / 62, r), { 0.6, QColor(150, 110, 40, 160) });
    s.fill(ellipse({ -3, 0 }, 7, 16), QColor(196, 150, 56));
    s.stroke(ellipse({ -3, 0 }, 7, 16), { 0.8, DarkBrass });
    s.stroke(bezier({ -8, -4 }, { -30, -10 }, { -30, 10 }, { -8, 4 }), { 3, QColor(120, 60, 30) }); // the strap
}

void drawBoru(ShapeBuilder& s)
{
    QPainterPath tube;
    tube.moveTo(-96, -6);
    tube.lineTo(40, -6);
    tube.cubicTo(70, -6, 70, 30, 40, 30);
    tube.lineTo(-40, 30);
    tube.cubicTo(-60, 30, -60, 10, -40, 10);
    tube.lineTo(20, 10);
    s.stroke(tube, { 7, DarkBrass });
    s.stroke(tube, { 4.5, Brass });
    s.stroke(tube, { 1.2, QColor(255, 240, 180, 200) });
    QPainterPath bell;
    bell.moveTo(20, 5);
    bell.cubicTo(50, 5, 70, -10, 92, -22);
    bell.lineTo(92, 42);
    bell.cubicTo(70, 30, 50, 15, 20, 15);
    bell.closeSubpath();
    s.fill(bell, linearGradient({ 20, 0 }, { 92, 0 }, { { 0, Brass }, { 0.7, QColor(250, 220, 120) }, { 1, DarkBrass } }));
    s.stroke(bell, { 1.0, DarkBrass });
    s.fill(ellipse({ 92, 10 }, 5, 32), QColor(120, 80, 20));
    s.fill(roundRect(-104, -10, 10, 8, 2), Brass); // the mouthpiece
    for (double x : { -60.0, 0.0 })
        s.fill(rect(x, -9, 6, 14), Gold);
    // a red cord with a tassel
    s.stroke(bezier({ -30, -4 }, { -20, 40 }, { 10, 40 }, { 20, 2 }), { 1.6, Red });
    s.fill(polygon({ { -6, 32 }, { 2, 32 }, { 6, 52 }, { -10, 52 } }), Red);
}

QPainterPath hair(double sway)
{
    // the horsetail falling from the knob, swung sideways by `sway`
    QPainterPath p;
    p.moveTo(-10, -52);
    p.cubicTo(-26 + sway * 0.3, -20, -30 + sway * 0.7, 20, -20 + sway, 60);
    p.cubicTo(-8 + sway, 70, 8 + sway, 70, 20 + sway, 60);
    p.cubicTo(30 + sway * 0.7, 20, 26 + sway * 0.3, -20, 10, -52);
    p.closeSubpath();
    return p;
}

void drawTugPole(ShapeBuilder& s)
{
    s.fill(rect(-3, -80, 6, 170), linearGradient({ -3, 0 }, { 3, 0 }, { { 0, DarkWood }, { 0.5, QColor(160, 100, 50) }, { 1, DarkWood } }));
}

void drawTugTop(ShapeBuilder& s, double sway)
{
    QPainterPath tail = hair(sway);
    s.fill(tail, linearGradient({ 0, -52 }, { sway, 62 }, { { 0, QColor(40, 28, 20) }, { 1, QColor(90, 60, 40) } }));
    for (int i = -3; i <= 3; ++i)
        s.stroke(bezier({ i * 2.5, -48 }, { i * 6 + sway * 0.3, -10 }, { i * 6 + sway * 0.7, 30 }, { i * 4.5 + sway, 62 }), { 0.7, QColor(140, 110, 80) });
    s.fill(rect(-12, -60, 24, 10), Red);
    s.stroke(rect(-12, -60, 24, 10), { 1, Gold });
    s.fill(ellipse({ 0, -72 }, 11, 11), radialGradient({ -3, -76 }, 14, { { 0, PaleGold }, { 1, DarkBrass } }));
    s.fill(polygon({ { -3, -82 }, { 3, -82 }, { 0, -98 } }), Gold);
}

void drawSancakPole(ShapeBuilder& s)
{
    s.fill(rect(-76, -80, 5, 170), linearGradient({ -76, 0 }, { -71, 0 }, { { 0, DarkWood }, { 0.5, QColor(160, 100, 50) }, { 1, DarkWood } }));
    s.fill(ellipse({ -73.5, -86 }, 7, 7), Gold);
    s.fill(crescent({ -73.5, -100 }, 8, 6.5, 3.5), Gold);
}

// The cloth, waving: `phase` moves the ripples along it.
void drawSancakCloth(ShapeBuilder& s, double phase)
{
    auto wave = [&](double x) { return std::sin(x / 30.0 * Pi + phase) * 6 * (x + 71) / 150; };
    QPainterPath cloth;
    const int n = 12;
    cloth.moveTo(-71, -76);
    for (int i = 1; i <= n; ++i) {
        double x = -71 + 150.0 * i / n;
        cloth.lineTo(x, -76 + wave(x));
    }
    for (int i = n; i >= 0; --i) {
        double x = -71 + 150.0 * i / n;
        cloth.lineTo(x, 12 + wave(x) * 1.2);
    }
    cloth.closeSubpath();
    s.fill(cloth, linearGradient({ -71, 0 }, { 79, 0 }, { { 0, QColor(150, 14, 20) }, { 0.5, Red }, { 1, QColor(140, 12, 18) } }));
    s.stroke(cloth, { 1.2, Gold });
    // The two-pointed sword, zülfikar, that many of the army's banners bore.
    double wy = wave(0) * 1.1;
    const QColor white(250, 245, 235);
    QTransform at = QTransform::fromTranslate(4, -32 + wy).rotate(-4);
    s.fill(at.map(polygon({ { -26, -4 }, { 30, -4 }, { 46, -11 }, { 38, -1 }, { 46, 9 }, { 30, 4 }, { -26, 4 } })), white);
    s.fill(at.map(roundRect(-31, -14, 5, 28, 2)), white);
    s.fill(at.map(rect(-44, -2.5, 13, 5)), white);
    s.fill(at.map(ellipse({ -46, 0 }, 3.5, 3.5)), white);
}

struct Item {
    const char* name;
    const char* line1;
    const char* line2;
};

const Item Items[] = {
    { "Kös", "Bakırdan, en büyük mehter davulu; deve ya da", "fil sırtında taşınır, tokmakla çalınır." },
    { "Davul", "Omuza asılır; bir yüzüne kalın tokmak, öbür", "yüzüne ince çubukla vurulur." },
    { "Zurna", "Ezgiyi çalan keskin sesli nefesli çalgı;", "mehterin sesini uzaklara taşır." },
    { "Nakkare", "Çift olarak çalınan küçük bakır davullar;", "iki ince çubukla vurulur." },
    { "Zil", "Tunçtan büyük çift zil; birbirine çarpılarak", "vuruşları süsler." },
    { "Boru", "Pirinçten, uzun ve kıvrık nefesli çalgı;", "törende ve savaşta işaret verir." },
    { "Tuğ", "Ucunda altın topuz bulunan, at kılından", "yapılmış alem; hükümdarlık ve rütbe simgesi." },
    { "Sancak", "Bölüğün önünde taşınan al bayrak; üzerinde", "çoğu zaman çift uçlu zülfikar bulunur." },
};

} // namespace

std::vector<uint8_t> makeInstrumentsMovie(const MovieRecipe& r)
{
    MovieBuilder movie(r.width, r.height, r.frameRate, DarkWine);
    const int each = 48, fadeIn = 8, fadeOut = 8, beat = 8;
    const int count = int(std::size(Items));
    const int frames = each * count;
    const QPointF centre(r.width / 2.0, 122);

    OutlineFont script(movie, fontFile("Z003-MediumItalic.otf"));
    OutlineFont plain(movie, fontFile("LiberationSans-Regular.ttf"));
    OutlineFont bold(movie, fontFile("LiberationSans-Bold.ttf"));

    ShapeBuilder back;
    back.fill(rect(0, 0, r.width, r.height), radialGradient(centre, 240, { { 0, Wine }, { 1, DarkWine } }));
    back.stroke(rect(6, 6, r.width - 12, r.height - 12), { 1.5, Gold });
    back.stroke(rect(10, 10, r.width - 20, r.height - 20), { 0.6, QColor(224, 182, 80, 150) });
    for (double x = 18; x < r.width - 12; x += 14) {
        back.fill(star({ x, 8 }, 4, 2.2, 0.9, 0), Gold);
        back.fill(star({ x, r.height - 8.0 }, 4, 2.2, 0.9, 0), Gold);
    }
    back.fill(ellipse(centre + QPointF(0, 62), 110, 14), QColor(0, 0, 0, 60)); // floor shadow
    back.stroke(polygon({ { 60, 252 }, { r.width - 60.0, 252 } }, false), { 0.8, QColor(224, 182, 80, 160) });
    Scene scene(frames);
    scene.addStatic(movie.add(back.build()));
    scene.addStatic(bold.text(QStringLiteral("MEHTERHÂNENİN ÇALGILARI VE SİMGELERİ"), 9, PaleGold, { r.width / 2.0, 26 }, Align::Centre));

    // How visible item k is at frame f, and how far into its turn.
    auto visibility = [=](int k, int f) {
        int t = f - k * each;
        if (t < 0 || t >= each)
            return 0.0;
        return std::min(clamp01(double(t + 1) / fadeIn), clamp01(double(each - t) / fadeOut));
    };
    auto local = [=](int k, int f) { return f - k * each; };
    // Scale swells on each beat.
    auto pulse = [=](int t) { return 1.0 + 0.025 * std::exp(-double(t % beat) * 0.8); };

    auto staticPart = [&](int k, const std::function<void(ShapeBuilder&)>& draw, bool beating, QPointF shift = {}) {
        ShapeBuilder s;
        draw(s);
        uint16_t id = movie.add(s.build());
        scene.add(id, [=](int f) -> std::optional<ActorState> {
            double a = visibility(k, f);
            if (a <= 0)
                return std::nullopt;
            int t = local(k, f);
            double grow = lerp(0.94, 1.0, smooth(double(t) / fadeIn));
            double sc = grow * (beating ? pulse(t) : 1.0);
            return ActorState { QTransform::fromTranslate(centre.x() + shift.x(), centre.y() + shift.y()).scale(sc, sc), a, std::nullopt, 0 };
        });
    };
    // A stick that strikes on the beat: it rises and falls about `pivot`.
    auto striker = [&](int k, const std::function<void(ShapeBuilder&)>& draw, QPointF offset, QPointF pivot, double lift, int shift) {
        ShapeBuilder s;
        draw(s);
        uint16_t id = movie.add(s.build());
        scene.add(id, [=](int f) -> std::optional<ActorState> {
            double a = visibility(k, f);
            if (a <= 0)
                return std::nullopt;
            int t = local(k, f) + shift;
            double up = lift * (1 - std::exp(-double(t % beat) * 0.6));
            QTransform m = QTransform::fromTranslate(centre.x() + offset.x(), centre.y() + offset.y())
                               .translate(pivot.x(), pivot.y())
                               .rotate(-up)
                               .translate(-pivot.x(), -pivot.y());
            return ActorState { m, a, std::nullopt, 0 };
        });
    };
    // Rings that spread from a drum head on each beat.
    ShapeBuilder ringShape;
    ringShape.stroke(ellipse({ 0, 0 }, 40, 10), { 1.2, QColor(255, 236, 190, 200) });
    uint16_t ringId = movie.add(ringShape.build());
    auto rings = [&](int k, QPointF at, double size) {
        scene.add(ringId, [=](int f) -> std::optional<ActorState> {
            double a = visibility(k, f);
            int t = local(k, f);
            if (a <= 0 || t < fadeIn)
                return std::nullopt;
            double phase = double(t % beat) / beat;
            double sc = size * (1 + phase * 0.9);
            return ActorState { QTransform::fromTranslate(centre.x() + at.x(), centre.y() + at.y()).scale(sc, sc), a * (1 - phase), std::nullopt, 0 };
        });
    };

    staticPart(0, drawKos, true);
    striker(0, drawKosMallets, { 0, 0 }, { 20, -80 }, 18, 0);
    rings(0, { 0, -20 }, 1.9);
    staticPart(1, drawDavul, true);
    striker(1, drawDavulSticks, { 0, 0 }, { 95, -70 }, 16, 0);
    rings(1, { 62, 0 }, 0.8);
    staticPart(2, drawZurna, false);
    staticPart(3, drawNakkare, true);
    striker(3, drawNakkareStick, { -44, 0 }, { 0, -70 }, 14, 0);
    striker(3, drawNakkareStick, { 44, 0 }, { 0, -70 }, 14, beat / 2);
    // The cymbals: two discs that meet on the beat.
    for (int side = 0; side < 2; ++side) {
        ShapeBuilder s;
        drawCymbal(s);
        uint16_t id = movie.add(s.build());
        scene.add(id, [=](int f) -> std::optional<ActorState> {
            double a = visibility(4, f);
            if (a <= 0)
                return std::nullopt;
            int t = local(4, f);
            double gap = 14 + 22 * (1 - std::exp(-double(t % beat) * 0.5));
            QTransform m = QTransform::fromTranslate(centre.x() + (side ? gap : -gap), centre.y());
            if (side)
                m.scale(-1, 1);
            return ActorState { m, a, std::nullopt, 0 };
        });
    }
    staticPart(5, drawBoru, false);
    // The standards sway to the beat: a few drawings of the swing, shown in turn.
    staticPart(6, drawTugPole, false, { 0, 8 });
    const int poses = 6;
    std::vector<uint16_t> tugPoses, clothPoses;
    for (int i = 0; i < poses; ++i) {
        ShapeBuilder tug;
        drawTugTop(tug, 10 * std::sin(2 * Pi * i / poses));
        tugPoses.push_back(movie.add(tug.build()));
        ShapeBuilder cloth;
        drawSancakCloth(cloth, 2 * Pi * i / poses);
        clothPoses.push_back(movie.add(cloth.build()));
    }
    for (int i = 0; i < poses; ++i)
        scene.add(tugPoses[size_t(i)], [=](int f) -> std::optional<ActorState> {
            double a = visibility(6, f);
            if (a <= 0 || (local(6, f) / 2) % poses != i)
                return std::nullopt;
            double tilt = 3 * std::sin(2 * Pi * local(6, f) / (2.0 * poses));
            return ActorState { QTransform::fromTranslate(centre.x(), centre.y() + 96).rotate(tilt).translate(0, -88), a, std::nullopt, 0 };
        });
    staticPart(7, drawSancakPole, false, { 0, 12 });
    for (int i = 0; i < poses; ++i)
        scene.add(clothPoses[size_t(i)], [=](int f) -> std::optional<ActorState> {
            double a = visibility(7, f);
            if (a <= 0 || (local(7, f) / 2) % poses != i)
                return std::nullopt;
            return ActorState { QTransform::fromTranslate(centre.x(), centre.y() + 12), a, std::nullopt, 0 };
        });

    // Name, description and place in the series.
    for (int k = 0; k < count; ++k) {
        auto shown = [=](int f) -> std::optional<ActorState> {
            double a = visibility(k, f);
            if (a <= 0)
                return std::nullopt;
            return ActorState { QTransform(), a, std::nullopt, 0 };
        };
        QString name = QString::fromUtf8(Items[k].name);
        ShapeBuilder shadow;
        shadow.fill(script.path(name, 34, { r.width / 2.0 + 1.5, 246 + 1.5 }, Align::Centre), QColor(20, 0, 4, 200));
        scene.add(movie.add(shadow.build()), shown);
        scene.add(script.text(name, 34, Gold, { r.width / 2.0, 246 }, Align::Centre), shown);
        scene.add(plain.lines({ QString::fromUtf8(Items[k].line1), QString::fromUtf8(Items[k].line2) }, 10.5, 14, PaleGold, { r.width / 2.0, 272 }, Align::Centre), shown);
        scene.add(plain.text(QStringLiteral("%1 / %2").arg(k + 1).arg(count), 8, QColor(224, 182, 80, 200), { r.width - 20.0, 26 }, Align::Right), shown);
    }

    script.finish();
    plain.finish();
    bold.finish();
    movie.setMain(scene);
    return movie.write();
}

} // namespace yelvanis::movies
