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

// The strokes of the tughra in drawing order, on a 129-pixel square:
// the three shafts with their banners, the two loops, the two arms and the
// bowl of the name at the foot.
std::vector<QPainterPath> tughraStrokes()
{
    std::vector<QPainterPath> s;
    for (int i = 0; i < 3; ++i) {
        double x = 60 + i * 9;
        QPainterPath shaft;
        shaft.moveTo(x - 2, 86);
        shaft.cubicTo(x - 4, 66, x + 3, 46, x, 22 - i * 2);
        s.push_back(shaft);
        QPainterPath banner; // the "zülfe" swinging off each shaft
        banner.moveTo(x, 40 - i * 2);
        banner.cubicTo(x + 10, 34 - i * 2, x + 12, 46 - i * 2, x + 20, 40 - i * 2);
        s.push_back(banner);
    }
    QPainterPath outer;
    outer.moveTo(62, 90);
    outer.cubicTo(40, 106, 14, 98, 14, 82);
    outer.cubicTo(14, 64, 42, 58, 60, 80);
    s.push_back(outer);
    QPainterPath inner;
    inner.moveTo(60, 88);
    inner.cubicTo(46, 98, 28, 92, 28, 83);
    inner.cubicTo(28, 74, 44, 72, 58, 84);
    s.push_back(inner);
    QPainterPath arm1;
    arm1.moveTo(60, 80);
    arm1.cubicTo(80, 66, 100, 70, 116, 60);
    s.push_back(arm1);
    QPainterPath arm2;
    arm2.moveTo(62, 90);
    arm2.cubicTo(82, 84, 100, 88, 112, 78);
    s.push_back(arm2);
    QPainterPath bowl;
    bowl.moveTo(44, 100);
    bowl.cubicTo(54, 112, 84, 112, 96, 98);
    s.push_back(bowl);
    QPainterPath dots; // the small strokes of the letters inside the bowl
    dots.moveTo(58, 100);
    dots.lineTo(64, 96);
    dots.moveTo(70, 102);
    dots.lineTo(76, 98);
    dots.moveTo(82, 100);
    dots.lineTo(86, 96);
    s.push_back(dots);
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
    std::vector<QPainterPath> strokes = tughraStrokes();
    std::vector<double> lengths;
    double sum = 0;
    for (const QPainterPath& p : strokes) {
        lengths.push_back(p.length());
        sum += p.length();
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
            double width = i < 6 ? (i % 2 ? 2.2 : 3.2) : (i >= 8 ? 2.6 : 3.0);
            int pieces = std::max(1, int(std::ceil(lengths[i] / penSpeed)));
            for (int k = 0; k < pieces; ++k) {
                double a = double(k) / pieces, b = double(k + 1) / pieces;
                ShapeBuilder piece;
                QPainterPath part = subPath(strokes[i], a, std::min(1.0, b + 0.02));
                if (pass == 0)
                    piece.stroke(part.translated(0.6, 0.8), { width + 1.2, QColor(6, 10, 24, 170) });
                else
                    piece.stroke(part, { width, Gold });
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
