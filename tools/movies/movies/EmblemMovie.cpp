// sultan.swf: a tughra drawing itself in gold inside a round medallion, then
// a gleam passes over it and it fades, so the loop starts from an empty field.

#include "Common.h"
#include "Movies.h"
#include "MovieBuilder.h"
#include "ShapeBuilder.h"

namespace yelvanis::movies {

namespace {

const QColor Field(20, 33, 61);
const QColor Gold(212, 164, 40);
const QColor PaleGold(246, 222, 140);

// The strokes of the tughra in drawing order, on a 129-pixel square: the
// three shafts, the banners that swing from them to the right, the two loops
// opening to the left, the two arms reaching right, and the bowl of the name
// at the foot with its letters. Each carries its pen width.
struct PenStroke {
    QPainterPath path;
    double width;
};

std::vector<PenStroke> tughraStrokes()
{
    std::vector<PenStroke> s;
    for (int i = 0; i < 3; ++i) {
        double x = 58 + i * 9.5, top = 20 + i * 3;
        QPainterPath shaft;
        shaft.moveTo(x - 3, 90);
        shaft.cubicTo(x - 5, 70, x + 2, 44, x, top);
        s.push_back({ shaft, 3.4 });
    }
    for (int i = 0; i < 3; ++i) {
        double x = 58 + i * 9.5, y = 34 + i * 5;
        QPainterPath banner; // the "zülfe": an S falling to the right across the shafts
        banner.moveTo(x, y);
        double reach = 40 - i * 7;
        banner.cubicTo(x + 12, y - 9, x + 14, y + 10, x + reach * 0.7, y + 4 + i * 2);
        banner.cubicTo(x + reach * 0.85, y + 2 + i * 2, x + reach, y + 8 + i * 3, x + reach + 2, y + 14 + i * 4);
        s.push_back({ banner, 2.0 });
    }
    QPainterPath outer;
    outer.moveTo(64, 92);
    outer.cubicTo(44, 110, 10, 104, 10, 84);
    outer.cubicTo(10, 62, 44, 56, 62, 82);
    s.push_back({ outer, 3.0 });
    QPainterPath inner;
    inner.moveTo(62, 90);
    inner.cubicTo(48, 100, 26, 96, 26, 85);
    inner.cubicTo(26, 74, 44, 72, 59, 85);
    s.push_back({ inner, 2.6 });
    QPainterPath arm1;
    arm1.moveTo(62, 82);
    arm1.cubicTo(82, 70, 104, 72, 121, 58);
    s.push_back({ arm1, 2.8 });
    QPainterPath arm2;
    arm2.moveTo(64, 92);
    arm2.cubicTo(86, 86, 104, 88, 117, 76);
    s.push_back({ arm2, 2.6 });
    QPainterPath bowl;
    bowl.moveTo(40, 100);
    bowl.cubicTo(52, 116, 86, 116, 100, 99);
    s.push_back({ bowl, 2.8 });
    QPainterPath letters; // the strokes and dots of the name inside the bowl
    letters.moveTo(54, 102);
    letters.cubicTo(57, 96, 61, 97, 63, 101);
    letters.moveTo(68, 104);
    letters.lineTo(74, 97);
    letters.moveTo(78, 103);
    letters.cubicTo(81, 98, 86, 98, 88, 102);
    s.push_back({ letters, 1.8 });
    QPainterPath dots;
    for (QPointF d : { QPointF(60, 93), QPointF(84, 94), QPointF(72, 109) }) {
        dots.moveTo(d);
        dots.lineTo(d + QPointF(1.2, -0.8));
    }
    s.push_back({ dots, 2.4 });
    return s;
}

} // namespace

std::vector<uint8_t> makeEmblemMovie(const MovieRecipe& r)
{
    MovieBuilder movie(r.width, r.height, r.frameRate, Field);
    const int drawFrames = 60, hold = 24, fadeFrames = 12, rest = 6;
    const int total = drawFrames + hold + fadeFrames + rest;

    ShapeBuilder medallion;
    medallion.fill(ellipse({ 64.5, 64.5 }, 62, 62), radialGradient({ 54, 50 }, 70, { { 0, QColor(38, 58, 100) }, { 1, Field } }));
    medallion.stroke(ellipse({ 64.5, 64.5 }, 60, 60), { 1.5, Gold });
    medallion.stroke(ellipse({ 64.5, 64.5 }, 56, 56), { 0.6, QColor(212, 164, 40, 150) });
    for (int i = 0; i < 24; ++i) {
        double a = i * Pi / 12;
        QPointF c(64.5 + 58 * std::cos(a), 64.5 + 58 * std::sin(a));
        medallion.fill(ellipse(c, 1.1, 1.1), Gold);
    }
    uint16_t medallionId = movie.add(medallion.build());

    Scene scene(total);
    scene.addStatic(medallionId);

    // Each stroke is cut into short pieces that appear one after another, so
    // the pen seems to move; the pieces overlap at their round ends.
    std::vector<PenStroke> strokes = tughraStrokes();
    std::vector<double> lengths;
    double sum = 0;
    for (const PenStroke& p : strokes) {
        lengths.push_back(p.path.length());
        sum += p.path.length();
    }
    const double penSpeed = sum / (drawFrames - 4);
    auto visibleUntilFade = [&](int appear) {
        return [appear, total = drawFrames + hold + fadeFrames, drawFrames, hold, fadeFrames](int f) -> std::optional<ActorState> {
            if (f < appear || f >= total)
                return std::nullopt;
            double alpha = 1 - ramp(f, drawFrames + hold, fadeFrames);
            return ActorState { QTransform(), alpha, std::nullopt, 0 };
        };
    };
    // Shadows first, all below the gold, so the joints of the pieces never show.
    for (int pass = 0; pass < 2; ++pass) {
        double travelled = 0;
        for (size_t i = 0; i < strokes.size(); ++i) {
            int pieces = std::max(1, int(std::ceil(lengths[i] / penSpeed)));
            for (int k = 0; k < pieces; ++k) {
                double a = double(k) / pieces, b = double(k + 1) / pieces;
                // A reed pen: full in the middle of a stroke, finer at its
                // ends; short steps of width keep the change smooth.
                ShapeBuilder piece;
                const int steps = 4;
                for (int j = 0; j < steps; ++j) {
                    double sa = a + (b - a) * j / steps, sb = a + (b - a) * (j + 1) / steps;
                    double width = strokes[i].width * (0.6 + 0.4 * std::sin(Pi * (sa + sb) / 2));
                    QPainterPath part = subPath(strokes[i].path, sa, std::min(1.0, sb + 0.01));
                    if (pass == 0)
                        piece.stroke(part.translated(0.6, 0.8), { width + 1.2, QColor(6, 10, 24, 170) });
                    else
                        piece.stroke(part, { width, Gold });
                }
                int appear = 2 + int((travelled + lengths[i] * a) / penSpeed);
                scene.add(movie.add(piece.build()), visibleUntilFade(appear));
            }
            travelled += lengths[i];
        }
    }

    // A pale gleam sweeps across once the drawing is done.
    ShapeBuilder gleam;
    gleam.fill(rect(-20, 0, 40, 129), linearGradient({ -20, 0 }, { 20, 0 }, { { 0, QColor(255, 240, 190, 0) }, { 0.5, QColor(255, 240, 190, 120) }, { 1, QColor(255, 240, 190, 0) } }));
    uint16_t gleamId = movie.add(gleam.build());
    const int gleamStart = drawFrames + 2, gleamLength = 16;
    scene.add(gleamId, [=](int f) -> std::optional<ActorState> {
        if (f < gleamStart || f >= gleamStart + gleamLength)
            return std::nullopt;
        double x = lerp(10, 120, double(f - gleamStart) / (gleamLength - 1));
        QTransform t = QTransform::fromTranslate(x, 0).shear(-0.3, 0);
        return ActorState { t, 1, std::nullopt, 0 };
    });

    // A star and crescent above the shafts, shining in with the gleam.
    ShapeBuilder mark;
    mark.fill(crescent({ 0, 0 }, 6, 5, 2.2), PaleGold);
    mark.fill(star({ 4.8, 0 }, 5, 2.4, 1.0, Pi), PaleGold);
    uint16_t markId = movie.add(mark.build());
    scene.add(markId, [=](int f) -> std::optional<ActorState> {
        if (f < drawFrames - 6 || f >= drawFrames + hold + fadeFrames)
            return std::nullopt;
        double alpha = ramp(f, drawFrames - 6, 10) * (1 - ramp(f, drawFrames + hold, fadeFrames));
        return ActorState { QTransform::fromTranslate(96, 27), alpha, std::nullopt, 0 };
    });

    movie.setMain(scene);
    return movie.write();
}

} // namespace yelvanis::movies
