// movieplayer2.swf: a slideshow of Ottoman buildings. We own no photographs,
// so each slide is a drawing of ours, and the caption's source line says so.
// Each picture drifts closer while it is shown and cross-fades into the next;
// the last fades into the first.

#include "Common.h"
#include "Movies.h"
#include "MovieBuilder.h"
#include "OutlineFont.h"
#include "ShapeBuilder.h"

namespace yelvanis::movies {

namespace {

const double W = 617, H = 330; // the picture; the caption band lies below it

const QColor Stone(226, 214, 190);
const QColor StoneShade(186, 172, 146);
const QColor Lead(120, 130, 140);
const QColor LeadLight(160, 170, 178);
const QColor Roof(170, 70, 50);
const QColor Window(60, 52, 50);
const QColor Outline(70, 60, 50);
const QColor WaterTop(110, 150, 180);
const QColor WaterBottom(60, 100, 140);

void sky(ShapeBuilder& s, const QColor& top, const QColor& bottom)
{
    s.fill(rect(-20, -20, W + 40, H + 40), linearGradient({ 0, 0 }, { 0, H * 0.7 }, { { 0, top }, { 1, bottom } }));
    // a few soft clouds, each a cluster of fading puffs
    int seed = top.red() * 7 + bottom.blue();
    for (int c = 0; c < 3; ++c) {
        double cx = 60 + ((seed * (c + 3) * 37) % 500), cy = 30 + ((seed * (c + 5)) % 60);
        for (int k = 0; k < 4; ++k) {
            QPointF at(cx + k * 22 - 33, cy + (k % 2 ? -6 : 3));
            double rad = 18 + (k % 3) * 6;
            s.fill(ellipse(at, rad * 1.4, rad), radialGradient(at, rad * 1.4, { { 0, QColor(255, 255, 255, 120) }, { 1, QColor(255, 255, 255, 0) } }));
        }
    }
}

void water(ShapeBuilder& s, double top)
{
    s.fill(rect(-20, top, W + 40, H - top + 20), linearGradient({ 0, top }, { 0, H }, { { 0, WaterTop }, { 1, WaterBottom } }));
    for (int i = 0; i < 14; ++i) {
        double y = top + 8 + i * (H - top) / 14.0;
        double x = 30 + (i * 137) % 540;
        s.stroke(polygon({ { x, y }, { x + 40 + (i % 3) * 20, y } }, false), { 1, QColor(220, 235, 245, 120) });
    }
}

QPainterPath domePath(QPointF base, double r, double rise)
{
    QPainterPath p;
    p.moveTo(base.x() - r, base.y());
    p.cubicTo(base.x() - r, base.y() - rise * 1.33, base.x() + r, base.y() - rise * 1.33, base.x() + r, base.y());
    p.closeSubpath();
    return p;
}

void dome(ShapeBuilder& s, QPointF base, double r, double rise, bool finial = true)
{
    QPainterPath d = domePath(base, r, rise);
    s.fill(d, linearGradient({ base.x() - r, 0 }, { base.x() + r, 0 }, { { 0, LeadLight }, { 0.6, Lead }, { 1, QColor(90, 100, 110) } }));
    s.stroke(d, { 0.8, Outline });
    if (finial) {
        s.fill(rect(base.x() - 0.8, base.y() - rise - 12, 1.6, 12), QColor(200, 170, 80));
        s.fill(crescent({ base.x(), base.y() - rise - 14 }, 3, 2.4, 1.3), QColor(210, 180, 90));
    }
}

void minaret(ShapeBuilder& s, double x, double baseY, double height, int balconies)
{
    double top = baseY - height;
    s.fill(rect(x - 4, top, 8, height), linearGradient({ x - 4, 0 }, { x + 4, 0 }, { { 0, Stone }, { 1, StoneShade } }));
    s.stroke(rect(x - 4, top, 8, height), { 0.6, Outline });
    for (int b = 0; b < balconies; ++b) {
        double y = top + 18 + b * (height * 0.28);
        s.fill(rect(x - 6.5, y, 13, 3), StoneShade);
        s.stroke(rect(x - 6.5, y, 13, 3), { 0.5, Outline });
    }
    QPainterPath cone = polygon({ { x - 4.5, top }, { x, top - 34 }, { x + 4.5, top } });
    s.fill(cone, Lead);
    s.stroke(cone, { 0.5, Outline });
    s.fill(rect(x - 0.6, top - 42, 1.2, 8), QColor(200, 170, 80));
}

void windows(ShapeBuilder& s, double x, double y, int n, double step, double w, double h, bool arched = true)
{
    for (int i = 0; i < n; ++i) {
        double cx = x + i * step;
        QPainterPath win;
        win.moveTo(cx, y + h);
        win.lineTo(cx, y + (arched ? w / 2 : 0));
        if (arched)
            win.cubicTo(cx, y - w * 0.15, cx + w, y - w * 0.15, cx + w, y + w / 2);
        else
            win.lineTo(cx + w, y);
        win.lineTo(cx + w, y + h);
        win.closeSubpath();
        s.fill(win, Window);
    }
}

void houses(ShapeBuilder& s, double baseY, double x0, double x1, int seed)
{
    for (double x = x0; x < x1; x += 34) {
        int k = int(x * 7 + seed) % 5;
        double h = 22 + k * 5, w = 30;
        QColor wall = k % 2 ? QColor(230, 200, 160) : QColor(210, 170, 130);
        s.fill(rect(x, baseY - h, w, h), wall);
        s.fill(polygon({ { x - 3, baseY - h }, { x + w / 2, baseY - h - 10 }, { x + w + 3, baseY - h } }), Roof);
        windows(s, x + 5, baseY - h + 6, 3, 8, 4, 7, false);
    }
}

void drawSuleymaniye(ShapeBuilder& s)
{
    sky(s, QColor(120, 170, 220), QColor(236, 222, 200));
    // the hill and the complex around the mosque
    s.fill(polygon({ { -20, 250 }, { 120, 214 }, { 500, 210 }, { W + 20, 240 }, { W + 20, 290 }, { -20, 290 } }), QColor(150, 160, 110));
    houses(s, 262, -10, 620, 3);
    double cx = 308, base = 214;
    s.fill(rect(cx - 150, base - 58, 300, 58), linearGradient({ 0, base - 58 }, { 0, base }, { { 0, Stone }, { 1, StoneShade } }));
    s.stroke(rect(cx - 150, base - 58, 300, 58), { 0.8, Outline });
    windows(s, cx - 140, base - 46, 14, 20.5, 8, 22);
    // the cascade of domes: small domes, half domes, the great dome
    for (int i = 0; i < 6; ++i)
        dome(s, { cx - 130 + i * 52.0, base - 58 }, 12, 10, false);
    s.fill(rect(cx - 100, base - 88, 200, 30), Stone);
    s.stroke(rect(cx - 100, base - 88, 200, 30), { 0.6, Outline });
    windows(s, cx - 92, base - 82, 10, 19, 7, 16);
    dome(s, { cx - 62, base - 88 }, 30, 22, false);
    dome(s, { cx + 62, base - 88 }, 30, 22, false);
    s.fill(rect(cx - 56, base - 110, 112, 24), Stone);
    s.stroke(rect(cx - 56, base - 110, 112, 24), { 0.6, Outline });
    windows(s, cx - 50, base - 106, 9, 12, 5, 12);
    dome(s, { cx, base - 110 }, 56, 44);
    // four minarets at the corners of the courtyard
    minaret(s, cx - 190, base, 160, 3);
    minaret(s, cx + 190, base, 160, 3);
    minaret(s, cx - 162, base, 122, 2);
    minaret(s, cx + 162, base, 122, 2);
    water(s, 266);
}

void drawGalata(ShapeBuilder& s)
{
    sky(s, QColor(100, 150, 210), QColor(250, 220, 190));
    s.fill(polygon({ { -20, 300 }, { 200, 232 }, { 420, 226 }, { W + 20, 270 }, { W + 20, H + 20 }, { -20, H + 20 } }), QColor(140, 150, 100));
    houses(s, 300, -10, 250, 1);
    houses(s, 300, 380, 630, 5);
    double cx = 308, base = 290, top = 118;
    QPainterPath shaft;
    shaft.moveTo(cx - 40, base);
    shaft.lineTo(cx - 34, top);
    shaft.lineTo(cx + 34, top);
    shaft.lineTo(cx + 40, base);
    shaft.closeSubpath();
    s.fill(shaft, linearGradient({ cx - 40, 0 }, { cx + 40, 0 }, { { 0, QColor(200, 190, 170) }, { 0.4, Stone }, { 1, QColor(150, 140, 120) } }));
    s.stroke(shaft, { 0.8, Outline });
    for (double y = top + 20; y < base; y += 14)
        s.stroke(polygon({ { cx - 39 + (base - y) * 0.0, y }, { cx + 39, y } }, false), { 0.4, QColor(150, 140, 120, 140) });
    for (int row = 0; row < 4; ++row)
        windows(s, cx - 20, top + 40 + row * 38, 3, 16, 6, 14);
    // the gallery and the conical cap
    s.fill(rect(cx - 42, top - 4, 84, 8), StoneShade);
    s.stroke(rect(cx - 42, top - 4, 84, 8), { 0.7, Outline });
    s.fill(rect(cx - 33, top - 26, 66, 22), Stone);
    windows(s, cx - 30, top - 22, 6, 11, 6, 14);
    QPainterPath cap = polygon({ { cx - 38, top - 26 }, { cx, top - 88 }, { cx + 38, top - 26 } });
    s.fill(cap, linearGradient({ cx - 38, 0 }, { cx + 38, 0 }, { { 0, LeadLight }, { 0.5, Lead }, { 1, QColor(80, 90, 100) } }));
    s.stroke(cap, { 0.8, Outline });
    s.fill(rect(cx - 1, top - 100, 2, 12), QColor(200, 170, 80));
}

void drawBabusselam(ShapeBuilder& s)
{
    sky(s, QColor(130, 180, 225), QColor(240, 236, 220));
    s.fill(rect(-20, 280, W + 40, 70), QColor(170, 160, 130));
    double cx = 308;
    // the wall with its battlements
    s.fill(rect(-20, 150, W + 40, 132), linearGradient({ 0, 150 }, { 0, 282 }, { { 0, Stone }, { 1, StoneShade } }));
    for (double x = -20; x < W + 20; x += 16)
        s.fill(rect(x, 140, 9, 10), Stone);
    s.stroke(rect(-20, 150, W + 40, 132), { 0.8, Outline });
    // two octagonal towers with pointed caps
    for (double tx : { cx - 88, cx + 88 }) {
        s.fill(rect(tx - 30, 92, 60, 190), linearGradient({ tx - 30, 0 }, { tx + 30, 0 }, { { 0, QColor(170, 160, 140) }, { 0.3, Stone }, { 0.7, Stone }, { 1, QColor(160, 150, 130) } }));
        s.stroke(rect(tx - 30, 92, 60, 190), { 0.8, Outline });
        s.stroke(polygon({ { tx - 12, 92 }, { tx - 12, 282 } }, false), { 0.5, QColor(150, 140, 120) });
        s.stroke(polygon({ { tx + 12, 92 }, { tx + 12, 282 } }, false), { 0.5, QColor(150, 140, 120) });
        windows(s, tx - 6, 130, 1, 0, 12, 22);
        QPainterPath cap = polygon({ { tx - 34, 92 }, { tx, 26 }, { tx + 34, 92 } });
        s.fill(cap, linearGradient({ tx - 34, 0 }, { tx + 34, 0 }, { { 0, LeadLight }, { 0.5, Lead }, { 1, QColor(80, 90, 100) } }));
        s.stroke(cap, { 0.8, Outline });
        s.fill(rect(tx - 1, 14, 2, 14), QColor(200, 170, 80));
    }
    // the gate, its arch and the panel with the tughra over it
    s.fill(rect(cx - 56, 120, 112, 162), QColor(236, 228, 210));
    s.stroke(rect(cx - 56, 120, 112, 162), { 0.8, Outline });
    QPainterPath arch;
    arch.moveTo(cx - 32, 282);
    arch.lineTo(cx - 32, 200);
    arch.cubicTo(cx - 32, 176, cx - 8, 166, cx, 160);
    arch.cubicTo(cx + 8, 166, cx + 32, 176, cx + 32, 200);
    arch.lineTo(cx + 32, 282);
    arch.closeSubpath();
    s.fill(arch, QColor(60, 40, 30));
    s.stroke(arch, { 2, QColor(190, 150, 70) });
    s.fill(rect(cx - 40, 130, 80, 26), QColor(40, 70, 60));
    s.stroke(rect(cx - 40, 130, 80, 26), { 1, QColor(200, 170, 80) });
    QPainterPath tughra;
    tughra.moveTo(cx - 14, 150);
    tughra.cubicTo(cx - 26, 150, cx - 26, 140, cx - 12, 142);
    for (int i = 0; i < 3; ++i) {
        tughra.moveTo(cx - 4 + i * 5, 152);
        tughra.lineTo(cx - 4 + i * 5, 133);
    }
    tughra.moveTo(cx - 10, 147);
    tughra.cubicTo(cx + 6, 144, cx + 20, 146, cx + 30, 140);
    s.stroke(tughra, { 1.2, QColor(230, 200, 100) });
    // the eaves over the gate
    s.fill(polygon({ { cx - 70, 122 }, { cx + 70, 122 }, { cx + 60, 108 }, { cx - 60, 108 } }), Lead);
    s.stroke(polygon({ { cx - 70, 122 }, { cx + 70, 122 }, { cx + 60, 108 }, { cx - 60, 108 } }), { 0.7, Outline });
    // plane trees and cypresses in the first court
    for (double x : { 40.0, 110.0, 510.0, 580.0 })
        s.fill(ellipse({ x, 214 }, 12, 60), QColor(50, 90, 60));
    s.fill(ellipse({ 160, 230 }, 40, 30), QColor(80, 120, 70));
    s.fill(ellipse({ 460, 232 }, 42, 28), QColor(80, 120, 70));
}

void drawRumeliHisari(ShapeBuilder& s)
{
    sky(s, QColor(110, 160, 210), QColor(230, 230, 220));
    // the far shore of Asia
    s.fill(polygon({ { -20, 200 }, { 150, 186 }, { 400, 192 }, { W + 20, 180 }, { W + 20, 214 }, { -20, 214 } }), QColor(150, 170, 160));
    // the hillside the fortress climbs
    s.fill(polygon({ { -20, 120 }, { 200, 150 }, { 420, 200 }, { W + 20, 236 }, { W + 20, 270 }, { -20, 270 } }), QColor(110, 140, 90));
    QPainterPath wall;
    wall.moveTo(80, 150);
    wall.lineTo(300, 178);
    wall.lineTo(470, 228);
    wall.lineTo(470, 262);
    wall.lineTo(80, 262);
    wall.closeSubpath();
    s.fill(wall, linearGradient({ 0, 150 }, { 0, 262 }, { { 0, Stone }, { 1, StoneShade } }));
    s.stroke(wall, { 0.8, Outline });
    for (double x = 84; x < 466; x += 14) {
        double y = x < 300 ? 150 + (x - 80) * 28 / 220 : 178 + (x - 300) * 50 / 170;
        s.fill(rect(x, y - 8, 8, 8), Stone);
    }
    auto tower = [&](double x, double top, double w, bool roof) {
        s.fill(rect(x - w / 2, top, w, 262 - top), linearGradient({ x - w / 2, 0 }, { x + w / 2, 0 }, { { 0, QColor(160, 150, 130) }, { 0.35, Stone }, { 1, QColor(150, 140, 120) } }));
        s.stroke(rect(x - w / 2, top, w, 262 - top), { 0.8, Outline });
        windows(s, x - 4, top + 30, 1, 0, 8, 14);
        windows(s, x - 4, top + 80, 1, 0, 8, 14);
        if (roof) {
            QPainterPath cap = polygon({ { x - w / 2 - 4, top }, { x, top - w * 0.9 }, { x + w / 2 + 4, top } });
            s.fill(cap, Lead);
            s.stroke(cap, { 0.7, Outline });
        } else {
            for (double bx = x - w / 2; bx < x + w / 2; bx += 10)
                s.fill(rect(bx, top - 8, 6, 8), Stone);
        }
    };
    tower(120, 70, 70, true);   // the great tower by the hill
    tower(300, 96, 60, true);
    tower(440, 150, 56, true);  // the tower by the water
    s.fill(rect(-20, 262, W + 40, 10), QColor(120, 110, 90));
    water(s, 270);
    // a sailing boat on the strait
    s.fill(polygon({ { 500, 300 }, { 560, 300 }, { 550, 312 }, { 510, 312 } }), QColor(100, 60, 30));
    s.fill(polygon({ { 530, 298 }, { 530, 250 }, { 556, 296 } }), QColor(245, 240, 225));
}

void drawDolmabahce(ShapeBuilder& s)
{
    sky(s, QColor(120, 170, 220), QColor(250, 236, 214));
    s.fill(polygon({ { -20, 160 }, { 200, 140 }, { 420, 150 }, { W + 20, 136 }, { W + 20, 200 }, { -20, 200 } }), QColor(120, 150, 110));
    double base = 250;
    auto wing = [&](double x0, double x1, double top) {
        s.fill(rect(x0, top, x1 - x0, base - top), linearGradient({ 0, top }, { 0, base }, { { 0, QColor(248, 244, 236) }, { 1, QColor(214, 206, 194) } }));
        s.stroke(rect(x0, top, x1 - x0, base - top), { 0.8, Outline });
        s.fill(rect(x0 - 2, top - 5, x1 - x0 + 4, 5), QColor(200, 190, 176));
        int n = int((x1 - x0) / 14);
        for (int i = 0; i < n; ++i) {
            double x = x0 + 5 + i * 14;
            s.fill(rect(x + 2.5, top + 4, 3, base - top - 8), QColor(232, 226, 214)); // columns
            s.stroke(rect(x + 2.5, top + 4, 3, base - top - 8), { 0.4, QColor(160, 150, 140) });
        }
        windows(s, x0 + 9, top + 10, n - 1, 14, 5, 14);
        windows(s, x0 + 9, top + 40, n - 1, 14, 5, 18);
    };
    wing(20, 230, 176);
    wing(387, 597, 176);
    // the ceremonial hall in the middle, higher, with its dome
    wing(230, 387, 150);
    QPainterPath hallDome = domePath({ 308.5, 150 }, 50, 26);
    s.fill(hallDome, linearGradient({ 258, 0 }, { 358, 0 }, { { 0, QColor(200, 200, 200) }, { 1, QColor(140, 140, 150) } }));
    s.stroke(hallDome, { 0.8, Outline });
    s.fill(polygon({ { 280, 150 }, { 308.5, 128 }, { 337, 150 } }), QColor(236, 230, 220)); // pediment
    s.stroke(polygon({ { 280, 150 }, { 308.5, 128 }, { 337, 150 } }), { 0.7, Outline });
    s.fill(rect(-20, base, W + 40, 10), QColor(220, 214, 204));
    water(s, base + 10);
    s.fill(polygon({ { 120, 300 }, { 200, 300 }, { 190, 310 }, { 130, 310 } }), QColor(120, 70, 40)); // a caique
    s.stroke(polygon({ { 140, 296 }, { 180, 296 } }, false), { 1.5, QColor(120, 70, 40) });
}

void drawHaydarpasa(ShapeBuilder& s)
{
    sky(s, QColor(150, 170, 210), QColor(250, 210, 170));
    double base = 238;
    QPainterPath body = rect(150, 120, 317, base - 120);
    s.fill(body, linearGradient({ 0, 120 }, { 0, base }, { { 0, QColor(200, 150, 120) }, { 1, QColor(170, 120, 96) } }));
    s.stroke(body, { 0.8, Outline });
    for (double y = 130; y < base; y += 26)
        windows(s, 166, y, 13, 23.5, 9, 16);
    // the steep roof
    QPainterPath roof = polygon({ { 146, 120 }, { 180, 84 }, { 437, 84 }, { 471, 120 } });
    s.fill(roof, linearGradient({ 0, 84 }, { 0, 120 }, { { 0, QColor(90, 100, 110) }, { 1, QColor(60, 70, 80) } }));
    s.stroke(roof, { 0.8, Outline });
    for (int i = 0; i < 7; ++i) {
        double x = 200 + i * 36;
        s.fill(polygon({ { x - 7, 120 }, { x - 7, 104 }, { x, 96 }, { x + 7, 104 }, { x + 7, 120 } }), QColor(210, 170, 140));
        windows(s, x - 3, 106, 1, 0, 6, 10);
    }
    // the two corner towers with their pointed roofs
    for (double tx : { 150.0, 467.0 }) {
        s.fill(rect(tx - 26, 70, 52, base - 70), linearGradient({ tx - 26, 0 }, { tx + 26, 0 }, { { 0, QColor(190, 140, 110) }, { 0.5, QColor(210, 160, 130) }, { 1, QColor(160, 110, 90) } }));
        s.stroke(rect(tx - 26, 70, 52, base - 70), { 0.8, Outline });
        for (double y = 86; y < base - 10; y += 30)
            windows(s, tx - 12, y, 2, 16, 8, 16);
        QPainterPath cap = polygon({ { tx - 30, 70 }, { tx, 18 }, { tx + 30, 70 } });
        s.fill(cap, linearGradient({ tx - 30, 0 }, { tx + 30, 0 }, { { 0, QColor(110, 120, 130) }, { 1, QColor(60, 70, 80) } }));
        s.stroke(cap, { 0.8, Outline });
    }
    s.fill(rect(-20, base, W + 40, 14), QColor(150, 140, 130));
    water(s, base + 14);
    // gulls
    for (int i = 0; i < 5; ++i) {
        double x = 60 + i * 110, y = 40 + (i % 3) * 18;
        QPainterPath g;
        g.moveTo(x - 7, y);
        g.cubicTo(x - 4, y - 4, x - 1, y - 4, x, y);
        g.cubicTo(x + 1, y - 4, x + 4, y - 4, x + 7, y);
        s.stroke(g, { 1.2, QColor(70, 70, 80) });
    }
}

struct Slide {
    void (*draw)(ShapeBuilder&);
    const char* name;
    const char* detail;
};

const Slide Slides[] = {
    { drawSuleymaniye, "Süleymaniye Camii", "İstanbul, 1550-1557. Mimar Sinan’ın Kanuni Sultan Süleyman için yaptığı külliyenin camisi." },
    { drawGalata, "Galata Kulesi", "İstanbul, 1348. Cenevizlilerin yaptığı kule, Osmanlı döneminde yangın gözetleme kulesi oldu." },
    { drawBabusselam, "Topkapı Sarayı, Bâbüsselâm", "İstanbul, XV. yüzyıl. Sarayın ikinci avlusuna açılan, iki kuleli Orta Kapı." },
    { drawRumeliHisari, "Rumeli Hisarı", "İstanbul, 1452. Fatih Sultan Mehmed’in, fetihten önce Boğaz’ın Avrupa yakasına yaptırdığı hisar." },
    { drawDolmabahce, "Dolmabahçe Sarayı", "İstanbul, 1843-1856. Sultan Abdülmecid’in Boğaz kıyısında yaptırdığı saray." },
    { drawHaydarpasa, "Haydarpaşa Garı", "İstanbul, 1906-1909. Anadolu ve Bağdat demiryollarının İstanbul’daki başlangıç istasyonu." },
};

} // namespace

std::vector<uint8_t> makePlacesMovie(const MovieRecipe& r)
{
    MovieBuilder movie(r.width, r.height, r.frameRate, QColor(24, 24, 30));
    const int each = 75, blend = 12;
    const int count = int(std::size(Slides));
    const int frames = each * count;
    OutlineFont bold(movie, fontFile("LiberationSans-Bold.ttf"));
    OutlineFont plain(movie, fontFile("LiberationSans-Regular.ttf"));
    OutlineFont italic(movie, fontFile("LiberationSans-Italic.ttf"));

    // Slide k is fully shown from its start for `each - blend` frames, then
    // fades while the next one comes in over it; slide 0 also comes in over
    // the last one at the end of the loop.
    auto alpha = [=](int k, int f) {
        int t = ((f - k * each) % frames + frames) % frames;
        if (t < each - blend)
            return 1.0;
        if (t < each)
            return 1.0 - double(t - (each - blend) + 1) / (blend + 1);
        if (t >= frames - blend)
            return double(t - (frames - blend) + 1) / (blend + 1);
        return 0.0;
    };
    Scene scene(frames);
    for (int k = 0; k < count; ++k) {
        ShapeBuilder picture;
        Slides[k].draw(picture);
        uint16_t id = movie.add(picture.build());
        scene.add(id, [=](int f) -> std::optional<ActorState> {
            double a = alpha(k, f);
            if (a <= 0)
                return std::nullopt;
            int t = ((f - k * each) % frames + frames) % frames;
            double progress = t >= frames - blend ? 0 : double(t) / each;
            double zoom = 1.0 + 0.05 * progress;
            QTransform m = QTransform::fromTranslate(W / 2, H / 2).scale(zoom, zoom).translate(-W / 2, -H / 2);
            return ActorState { m, a, std::nullopt, 0 };
        });
    }

    ShapeBuilder band;
    band.fill(rect(0, H, r.width, r.height - H), linearGradient({ 0, H }, { 0, double(r.height) }, { { 0, QColor(40, 36, 44) }, { 1, QColor(20, 18, 24) } }));
    band.fill(rect(0, H, r.width, 1.5), QColor(200, 170, 90));
    scene.addStatic(movie.add(band.build()));
    for (int k = 0; k < count; ++k) {
        auto shown = [=](int f) -> std::optional<ActorState> {
            double a = alpha(k, f);
            if (a <= 0)
                return std::nullopt;
            return ActorState { QTransform(), a, std::nullopt, 0 };
        };
        scene.add(bold.text(QString::fromUtf8(Slides[k].name), 15, QColor(245, 225, 170), { 12, H + 20 }), shown);
        QString detail = QString::fromUtf8(Slides[k].detail);
        double size = std::min(10.5, (r.width - 24) / plain.width(detail, 1.0));
        scene.add(plain.text(detail, size, QColor(230, 230, 235), { 12, H + 38 }), shown);
    }
    scene.addStatic(italic.text(QStringLiteral("Kaynak: Resimler fotoğraf değildir; Yelvanis için hazırlanmış temsilî çizimlerdir."), 8.5,
                                QColor(170, 170, 180), { 12, H + 55 }));

    bold.finish();
    plain.finish();
    italic.finish();
    movie.setMain(scene);
    return movie.write();
}

} // namespace yelvanis::movies
