// intro1.swf: a Mehter band marching across the stage before the city's
// skyline. Each player is a sprite with the band's walk: a step, a pause with
// a turn of the body, a step with the other foot, a pause turning back. The
// band moves on only while stepping, and over the whole loop it moves by
// exactly the length of the column, so the loop has no seam.

#include "Common.h"
#include "Movies.h"
#include "MovieBuilder.h"
#include "OutlineFont.h"
#include "ShapeBuilder.h"

namespace yelvanis::movies {

namespace {

const int Cycle = 36;     // frames of one walk cycle: step, pause, step, pause
const int Beat = Cycle / 4;
const double Step = 16;   // pixels the band moves with each step

const QColor Outline(40, 22, 14);
const QColor SkinTone(228, 186, 150);
const QColor Kaftan(178, 24, 32);
const QColor KaftanDark(120, 14, 22);
const QColor Trim(226, 184, 80);
const QColor Trousers(236, 232, 220);
const QColor Boot(200, 150, 40);
const QColor HatWhite(244, 240, 228);
const QColor Gold(224, 182, 80);
const QColor Brass(214, 170, 70);
const QColor DarkBrass(132, 96, 30);
const QColor Wood(120, 70, 36);
const QColor Copper(184, 98, 52);
const QColor Skin(236, 222, 190);
const QColor Red(196, 30, 36);

enum class Player { Sancak, Tug, Zurna, Boru, Zil, Nakkare, Davul };

// Phase of the walk at frame t of the cycle: which leg leads, how far the
// step has gone (0..1) and the turn of the body during the pauses (-1..1).
struct Walk {
    double stride; // -1..1: left leg ahead .. right leg ahead
    double turn;
    double bob;
};

Walk walkAt(int t)
{
    t %= Cycle;
    double phase = double(t % Beat) / Beat;
    switch (t / Beat) {
    case 0: return { lerp(-1, 1, smooth(phase)), 0, -std::sin(phase * Pi) * 2.5 };
    case 1: return { 1, std::sin(phase * Pi), 0 };
    case 2: return { lerp(1, -1, smooth(phase)), 0, -std::sin(phase * Pi) * 2.5 };
    default: return { -1, -std::sin(phase * Pi), 0 };
    }
}

// How far the band has moved at root frame f: only the steps move it.
double advance(int f)
{
    int cycles = f / Cycle, t = f % Cycle;
    double inCycle = 0;
    if (t < Beat)
        inCycle = smooth(double(t) / Beat) * Step;
    else if (t < 2 * Beat)
        inCycle = Step;
    else if (t < 3 * Beat)
        inCycle = Step + smooth(double(t - 2 * Beat) / Beat) * Step;
    else
        inCycle = 2 * Step;
    return cycles * 2 * Step + inCycle;
}

QPainterPath bezier(QPointF a, QPointF c1, QPointF c2, QPointF b)
{
    QPainterPath p;
    p.moveTo(a);
    p.cubicTo(c1, c2, b);
    return p;
}

// Body parts, in the figure's own pixels: the hip at (0, 0), facing right.
uint16_t legShape(MovieBuilder& m, bool back)
{
    ShapeBuilder s;
    QColor cloth = back ? QColor(210, 205, 190) : Trousers;
    QPainterPath leg;
    leg.moveTo(-7, 0);
    leg.cubicTo(-10, 16, -6, 30, -4, 40);
    leg.lineTo(5, 40);
    leg.cubicTo(7, 28, 10, 14, 7, 0);
    leg.closeSubpath();
    s.fill(leg, cloth);
    s.stroke(leg, { 0.9, Outline });
    QPainterPath boot;
    boot.moveTo(-5, 38);
    boot.lineTo(5, 38);
    boot.lineTo(6, 46);
    boot.cubicTo(12, 46, 15, 48, 14, 50);
    boot.lineTo(-6, 50);
    boot.closeSubpath();
    s.fill(boot, back ? QColor(170, 125, 30) : Boot);
    s.stroke(boot, { 0.9, Outline });
    return m.add(s.build());
}

uint16_t bodyShape(MovieBuilder& m, const QColor& coat)
{
    ShapeBuilder s;
    QPainterPath coatPath;
    coatPath.moveTo(-9, -48);
    coatPath.lineTo(9, -48);
    coatPath.cubicTo(13, -30, 15, 0, 19, 26);
    coatPath.lineTo(-17, 26);
    coatPath.cubicTo(-14, 0, -13, -30, -9, -48);
    coatPath.closeSubpath();
    s.fill(coatPath, linearGradient({ -17, 0 }, { 19, 0 }, { { 0, coat.darker(150) }, { 0.5, coat }, { 1, coat.darker(130) } }));
    s.stroke(coatPath, { 0.9, Outline });
    s.stroke(polygon({ { 8, -46 }, { 12, -10 }, { 17, 25 } }, false), { 1.6, Trim }); // the front edge
    s.fill(roundRect(-13, -12, 27, 6, 2), QColor(230, 200, 90)); // the sash
    s.stroke(roundRect(-13, -12, 27, 6, 2), { 0.7, Outline });
    // the head, with moustache, under a tall felt hat
    s.fill(rect(-2.5, -54, 6, 7), SkinTone);
    s.fill(ellipse({ 1, -60 }, 7, 8), SkinTone);
    s.stroke(ellipse({ 1, -60 }, 7, 8), { 0.8, Outline });
    s.fill(bezier({ 2, -55 }, { 6, -57 }, { 10, -55 }, { 11, -52 }), QColor(50, 30, 20));
    s.stroke(bezier({ 2, -56 }, { 6, -57.5 }, { 10, -56 }, { 11.5, -53 }), { 1.4, QColor(50, 30, 20) });
    s.fill(ellipse({ 5, -62 }, 1.1, 1.1), QColor(30, 20, 10));
    QPainterPath hat;
    hat.moveTo(-8, -64);
    hat.cubicTo(-9, -78, -6, -92, -2, -96);
    hat.cubicTo(2, -92, 8, -78, 9, -64);
    hat.closeSubpath();
    s.fill(hat, HatWhite);
    s.stroke(hat, { 0.8, Outline });
    s.fill(roundRect(-9, -67, 19, 5, 2), QColor(200, 40, 40));
    s.stroke(roundRect(-9, -67, 19, 5, 2), { 0.7, Outline });
    return m.add(s.build());
}

// An arm from the shoulder (0, 0) down to the hand at `hand`, bent at the elbow.
uint16_t armShape(MovieBuilder& m, const QColor& coat, QPointF elbow, QPointF hand)
{
    ShapeBuilder s;
    QPainterPath arm;
    arm.moveTo(0, 0);
    arm.lineTo(elbow);
    arm.lineTo(hand);
    s.stroke(arm, { 7.5, Outline });
    s.stroke(arm, { 6, coat });
    s.fill(ellipse(hand, 3.2, 3.2), SkinTone);
    s.stroke(ellipse(hand, 3.2, 3.2), { 0.7, Outline });
    return m.add(s.build());
}

struct Parts {
    uint16_t backLeg, frontLeg, body, backArm, frontArm;
};

uint16_t shapeOf(MovieBuilder& m, const std::function<void(ShapeBuilder&)>& draw)
{
    ShapeBuilder s;
    draw(s);
    return m.add(s.build());
}

// One player as a sprite of one walk cycle.
uint16_t playerSprite(MovieBuilder& m, Player kind, const Parts& p, const std::vector<uint16_t>& extra)
{
    Scene s(Cycle);
    auto hip = [](int t) {
        Walk w = walkAt(t);
        return QTransform::fromTranslate(0, w.bob);
    };
    // The turn of the pauses reads as a slight narrowing and lean.
    auto torso = [&](int t) {
        Walk w = walkAt(t);
        return QTransform::fromTranslate(0, w.bob).scale(1 - 0.12 * std::abs(w.turn), 1).shear(-0.06 * w.turn, 0);
    };
    auto leg = [=](bool front) {
        return [=](int t) -> std::optional<ActorState> {
            Walk w = walkAt(t);
            double angle = (front ? -1 : 1) * w.stride * 18;
            return ActorState { hip(t).rotate(angle), 1, std::nullopt, 0 };
        };
    };
    s.add(p.backLeg, leg(false));
    // Back arm and pole or instrument behind the body.
    size_t next = 0;
    auto shoulder = [=](int t) { return torso(t).translate(0, -44); };
    auto swingAt = [](int t) { return std::exp(-double(t % Beat) * 0.55); }; // 1 on the beat
    switch (kind) {
    case Player::Sancak:
    case Player::Tug:
        // The pole goes behind the body, swaying with the turns.
        s.add(extra[next++], [=](int t) -> std::optional<ActorState> {
            Walk w = walkAt(t);
            return ActorState { torso(t).translate(14, -30).rotate(4 * w.turn + 2 * w.stride), 1, std::nullopt, 0 };
        });
        // The top: waving cloth or horsetail, in poses shown in turn.
        for (int pose = 0; pose < 4; ++pose)
            s.add(extra[next++], [=](int t) -> std::optional<ActorState> {
                if ((t / 3) % 4 != pose)
                    return std::nullopt;
                Walk w = walkAt(t);
                return ActorState { torso(t).translate(14, -30).rotate(4 * w.turn + 2 * w.stride), 1, std::nullopt, 0 };
            });
        break;
    default: break;
    }
    s.add(p.backArm, [=](int t) -> std::optional<ActorState> { return ActorState { shoulder(t).translate(-2, 0), 1, std::nullopt, 0 }; });
    s.add(p.frontLeg, leg(true));
    s.add(p.body, [=](int t) -> std::optional<ActorState> { return ActorState { torso(t), 1, std::nullopt, 0 }; });
    switch (kind) {
    case Player::Zurna:
    case Player::Boru:
        // Held to the mouth, tipping a little on each beat.
        s.add(extra[next++], [=](int t) -> std::optional<ActorState> {
            return ActorState { torso(t).translate(11, -55).rotate(kind == Player::Zurna ? 3 * swingAt(t) : -4 * swingAt(t)), 1, std::nullopt, 0 };
        });
        break;
    case Player::Davul:
        s.add(extra[next++], [=](int t) -> std::optional<ActorState> { return ActorState { torso(t).translate(20, -22).scale(1.35, 1.35), 1, std::nullopt, 0 }; });
        // The mallet comes down on the beat.
        s.add(extra[next++], [=](int t) -> std::optional<ActorState> {
            return ActorState { shoulder(t).translate(4, 0).rotate(-70 + 60 * swingAt(t)), 1, std::nullopt, 0 };
        });
        break;
    case Player::Nakkare:
        s.add(extra[next++], [=](int t) -> std::optional<ActorState> { return ActorState { torso(t).translate(18, -16), 1, std::nullopt, 0 }; });
        for (int k = 0; k < 2; ++k)
            s.add(extra[next], [=](int t) -> std::optional<ActorState> {
                double hit = swingAt(t + k * (Beat / 2));
                return ActorState { shoulder(t).translate(2 + k * 3, 0).rotate(-60 + 40 * hit), 1, std::nullopt, 0 };
            });
        ++next;
        break;
    case Player::Zil:
        for (int k = 0; k < 2; ++k)
            s.add(extra[next], [=](int t) -> std::optional<ActorState> {
                double gap = 3 + 9 * (1 - swingAt(t));
                QTransform at = torso(t).translate(22, -34 + (k ? gap : -gap));
                if (k)
                    at.scale(1, -1);
                return ActorState { at, 1, std::nullopt, 0 };
            });
        ++next;
        break;
    default: break;
    }
    if (kind != Player::Davul && kind != Player::Nakkare)
        s.add(p.frontArm, [=](int t) -> std::optional<ActorState> { return ActorState { shoulder(t).translate(3, 1), 1, std::nullopt, 0 }; });
    return m.addSprite(s);
}

} // namespace

std::vector<uint8_t> makeBandMovie(const MovieRecipe& r)
{
    MovieBuilder movie(r.width, r.height, r.frameRate, QColor(250, 214, 160));
    const int players = 8;
    const double spacing = 76, column = players * spacing;
    const int frames = int(column / (2 * Step)) * Cycle;
    const double ground = 236;

    // Sky, the city across the water, the road.
    ShapeBuilder back;
    back.fill(rect(0, 0, r.width, 200), linearGradient({ 0, 0 }, { 0, 200 }, { { 0, QColor(246, 190, 130) }, { 0.6, QColor(252, 226, 176) }, { 1, QColor(255, 238, 200) } }));
    back.fill(ellipse({ 360, 120 }, 26, 26), radialGradient({ 360, 120 }, 40, { { 0, QColor(255, 250, 220) }, { 0.6, QColor(255, 236, 180, 200) }, { 1, QColor(255, 236, 180, 0) } }));
    QPainterPath city;
    city.moveTo(0, 190);
    auto dome = [&](double x, double w, double h) {
        city.lineTo(x - w, 190);
        city.cubicTo(x - w, 190 - h * 1.2, x + w, 190 - h * 1.2, x + w, 190);
    };
    auto minaret = [&](double x, double h) {
        city.lineTo(x - 2.5, 190);
        city.lineTo(x - 2.5, 190 - h);
        city.lineTo(x, 190 - h - 10);
        city.lineTo(x + 2.5, 190 - h);
        city.lineTo(x + 2.5, 190);
    };
    minaret(40, 58);
    dome(70, 22, 24);
    minaret(100, 58);
    dome(150, 14, 14);
    minaret(190, 64);
    dome(225, 30, 34);
    dome(262, 14, 16);
    minaret(290, 66);
    dome(330, 12, 12);
    city.lineTo(380, 190);
    city.lineTo(380, 150); // a tower
    city.lineTo(388, 134);
    city.lineTo(396, 150);
    city.lineTo(396, 190);
    minaret(430, 52);
    city.lineTo(double(r.width), 190);
    city.lineTo(double(r.width), 200);
    city.lineTo(0, 200);
    city.closeSubpath();
    back.fill(city, QColor(150, 120, 140));
    back.fill(rect(0, 196, r.width, 22), linearGradient({ 0, 196 }, { 0, 218 }, { { 0, QColor(140, 160, 180) }, { 1, QColor(170, 186, 196) } }));
    back.fill(rect(0, 218, r.width, r.height - 218), linearGradient({ 0, 218 }, { 0, double(r.height) }, { { 0, QColor(196, 170, 120) }, { 1, QColor(150, 116, 74) } }));
    for (int i = 0; i < 7; ++i) { // cypresses
        double x = 20 + i * 70 + (i % 2) * 18;
        back.fill(ellipse({ x, 205 }, 7, 26), QColor(60, 90, 60));
    }
    back.stroke(polygon({ { 0, ground + 62 }, { double(r.width), ground + 62 } }, false), { 1, QColor(120, 90, 56) });
    Scene scene(frames);
    scene.addStatic(movie.add(back.build()));

    // Shared parts.
    Parts parts { legShape(movie, true), legShape(movie, false), bodyShape(movie, Kaftan), 0, 0 };
    Parts blue = parts;
    blue.body = bodyShape(movie, QColor(40, 80, 150));
    parts.backArm = armShape(movie, KaftanDark, { 6, 16 }, { 14, 26 });
    parts.frontArm = armShape(movie, Kaftan, { 8, 14 }, { 20, 20 });
    blue.backArm = armShape(movie, QColor(28, 56, 110), { 6, 16 }, { 14, 26 });
    blue.frontArm = armShape(movie, QColor(40, 80, 150), { 8, 14 }, { 20, 20 });
    Parts hornParts = parts;
    hornParts.frontArm = armShape(movie, Kaftan, { 10, 8 }, { 22, -6 });
    hornParts.backArm = armShape(movie, KaftanDark, { 10, 10 }, { 24, -2 });
    Parts poleParts = parts;
    poleParts.frontArm = armShape(movie, Kaftan, { 8, 10 }, { 15, 4 });
    poleParts.backArm = armShape(movie, KaftanDark, { 8, 12 }, { 15, 14 });

    uint16_t pole = shapeOf(movie, [](ShapeBuilder& s) {
        s.fill(rect(-2, -110, 4, 150), linearGradient({ -2, 0 }, { 2, 0 }, { { 0, QColor(70, 38, 18) }, { 0.5, QColor(160, 100, 50) }, { 1, QColor(70, 38, 18) } }));
        s.fill(ellipse({ 0, -114 }, 5, 5), Gold);
    });
    std::vector<uint16_t> flags, tails;
    for (int pose = 0; pose < 4; ++pose) {
        double ph = pose * Pi / 2;
        flags.push_back(shapeOf(movie, [=](ShapeBuilder& s) {
            QPainterPath cloth;
            const int n = 10;
            auto wave = [&](double x) { return std::sin(x / 14 + ph) * 3.5 * x / 46; };
            cloth.moveTo(2, -108);
            for (int i = 1; i <= n; ++i) {
                double x = 46.0 * i / n;
                cloth.lineTo(2 + x, -108 + wave(x) + x * 0.1);
            }
            cloth.lineTo(40, -90 + wave(46)); // a swallow tail
            for (int i = n; i >= 0; --i) {
                double x = 46.0 * i / n;
                cloth.lineTo(2 + x, -76 + wave(x) * 1.2 + x * 0.1);
            }
            cloth.closeSubpath();
            s.fill(cloth, Red);
            s.stroke(cloth, { 0.8, Gold });
            double wy = wave(18);
            s.fill(crescent({ 18, -92 + wy }, 7, 5.8, 2.6), QColor(250, 245, 235));
            s.fill(star({ 26, -92 + wy }, 5, 3, 1.2, Pi), QColor(250, 245, 235));
        }));
        tails.push_back(shapeOf(movie, [=](ShapeBuilder& s) {
            double sway = 5 * std::sin(ph);
            QPainterPath tail;
            tail.moveTo(-5, -104);
            tail.cubicTo(-12 + sway * 0.3, -90, -13 + sway * 0.7, -70, -8 + sway, -52);
            tail.cubicTo(-3 + sway, -48, 3 + sway, -48, 8 + sway, -52);
            tail.cubicTo(13 + sway * 0.7, -70, 12 + sway * 0.3, -90, 5, -104);
            tail.closeSubpath();
            s.fill(tail, QColor(60, 40, 28));
            s.fill(rect(-6, -110, 12, 5), Red);
            s.fill(ellipse({ 0, -118 }, 6, 6), radialGradient({ -2, -120 }, 8, { { 0, QColor(255, 240, 190) }, { 1, DarkBrass } }));
            s.fill(polygon({ { -1.5, -123 }, { 1.5, -123 }, { 0, -132 } }), Gold);
        }));
    }
    uint16_t zurna = shapeOf(movie, [](ShapeBuilder& s) {
        QPainterPath pipe = polygon({ { 0, -1.5 }, { 30, -3 }, { 38, -7 }, { 38, 7 }, { 30, 3 }, { 0, 1.5 } });
        s.fill(QTransform().rotate(32).map(pipe), QColor(110, 64, 32));
        s.stroke(QTransform().rotate(32).map(pipe), { 0.7, Outline });
        s.fill(QTransform().rotate(32).map(ellipse({ 2, 0 }, 1.4, 5)), Gold);
    });
    uint16_t boru = shapeOf(movie, [](ShapeBuilder& s) {
        QTransform t = QTransform().rotate(-14);
        QPainterPath tube;
        tube.moveTo(0, 0);
        tube.lineTo(44, 0);
        s.stroke(t.map(tube), { 3, DarkBrass });
        s.stroke(t.map(tube), { 1.8, Brass });
        QPainterPath bell = polygon({ { 40, -1.5 }, { 54, -8 }, { 54, 8 }, { 40, 1.5 } });
        s.fill(t.map(bell), Brass);
        s.stroke(t.map(bell), { 0.6, DarkBrass });
    });
    uint16_t davul = shapeOf(movie, [](ShapeBuilder& s) {
        s.fill(rect(-10, -14, 20, 28), Red);
        QPainterPath zig;
        zig.moveTo(-10, -12);
        for (int i = 0; i <= 4; ++i)
            zig.lineTo(-10 + i * 5, i % 2 ? 12 : -12);
        s.stroke(zig, { 0.9, QColor(245, 230, 190) });
        s.fill(ellipse({ 10, 0 }, 4.5, 15), Skin);
        s.stroke(ellipse({ 10, 0 }, 4.5, 15), { 1.4, Outline });
        s.stroke(rect(-10, -14, 20, 28), { 0.8, Outline });
    });
    uint16_t mallet = shapeOf(movie, [](ShapeBuilder& s) {
        QPainterPath arm;
        arm.moveTo(0, 0);
        arm.lineTo(9, 12);
        arm.lineTo(18, 14);
        s.stroke(arm, { 7.5, Outline });
        s.stroke(arm, { 6, Kaftan });
        s.fill(ellipse({ 18, 14 }, 3.2, 3.2), SkinTone);
        s.stroke(polygon({ { 18, 14 }, { 30, 4 } }, false), { 2.6, Wood });
        s.fill(ellipse({ 31, 3 }, 4, 3.5), QColor(80, 44, 20));
    });
    uint16_t nakkare = shapeOf(movie, [](ShapeBuilder& s) {
        for (int k = 0; k < 2; ++k) {
            double x = k * 11;
            QPainterPath bowl;
            bowl.moveTo(x - 6, 0);
            bowl.cubicTo(x - 6, 8, x + 6, 8, x + 6, 0);
            bowl.closeSubpath();
            s.fill(bowl, Copper);
            s.stroke(bowl, { 0.6, Outline });
            s.fill(ellipse({ x, 0 }, 6.2, 1.8), Skin);
        }
    });
    uint16_t stick = shapeOf(movie, [](ShapeBuilder& s) {
        QPainterPath arm;
        arm.moveTo(0, 0);
        arm.lineTo(8, 13);
        arm.lineTo(16, 17);
        s.stroke(arm, { 7, Outline });
        s.stroke(arm, { 5.6, QColor(40, 80, 150) });
        s.fill(ellipse({ 16, 17 }, 3, 3), SkinTone);
        s.stroke(polygon({ { 16, 17 }, { 26, 12 } }, false), { 1.4, Wood });
    });
    uint16_t cymbal = shapeOf(movie, [](ShapeBuilder& s) {
        s.fill(ellipse({ 0, 0 }, 10, 2.6), linearGradient({ -10, 0 }, { 10, 0 }, { { 0, QColor(255, 230, 140) }, { 1, DarkBrass } }));
        s.stroke(ellipse({ 0, 0 }, 10, 2.6), { 0.6, DarkBrass });
        s.fill(ellipse({ 0, -1.5 }, 3, 1.5), Brass);
    });

    // The column from the front: standards, then the melody, then the beat.
    const Player order[players] = { Player::Sancak, Player::Tug, Player::Zurna, Player::Zurna, Player::Boru, Player::Zil, Player::Nakkare, Player::Davul };
    std::vector<uint16_t> sprites;
    for (Player kind : order) {
        switch (kind) {
        case Player::Sancak: {
            std::vector<uint16_t> extra { pole };
            extra.insert(extra.end(), flags.begin(), flags.end());
            sprites.push_back(playerSprite(movie, kind, poleParts, extra));
            break;
        }
        case Player::Tug: {
            std::vector<uint16_t> extra { pole };
            extra.insert(extra.end(), tails.begin(), tails.end());
            sprites.push_back(playerSprite(movie, kind, poleParts, extra));
            break;
        }
        case Player::Zurna: sprites.push_back(playerSprite(movie, kind, hornParts, { zurna })); break;
        case Player::Boru: sprites.push_back(playerSprite(movie, kind, hornParts, { boru })); break;
        case Player::Zil: sprites.push_back(playerSprite(movie, kind, blue, { cymbal })); break;
        case Player::Nakkare: sprites.push_back(playerSprite(movie, kind, blue, { nakkare, stick })); break;
        case Player::Davul: sprites.push_back(playerSprite(movie, kind, parts, { davul, mallet })); break;
        }
    }

    // Shadows under the feet, then the players; the leader walks in front.
    uint16_t shadow = shapeOf(movie, [](ShapeBuilder& s) { s.fill(ellipse({ 0, 0 }, 22, 4), QColor(60, 40, 20, 70)); });
    const double start = r.width + 40.0;
    auto xOf = [=](int i, int f) {
        double x = start - i * spacing + advance(f);
        while (x > start)
            x -= column;
        return x;
    };
    for (int i = 0; i < players; ++i)
        scene.add(shadow, [=](int f) -> std::optional<ActorState> {
            return ActorState { QTransform::fromTranslate(xOf(i, f) + 2, ground + 50), 1, std::nullopt, 0 };
        });
    for (int i = players - 1; i >= 0; --i)
        scene.add(sprites[size_t(i)], [=](int f) -> std::optional<ActorState> {
            return ActorState { QTransform::fromTranslate(xOf(i, f), ground).scale(1.15, 1.15), 1, std::nullopt, 0 };
        });

    movie.setMain(scene);
    return movie.write();
}

} // namespace yelvanis::movies
