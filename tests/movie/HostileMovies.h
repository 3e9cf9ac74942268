#pragma once

// Small files that ask for a great deal: edges by the hundred thousand
// meeting at one point, pictures as large as the budget allows. Shared by
// the tests and the fuzzers' seeds.

#include "SwfBuilder.h"

namespace swftest {

// One filled shape whose edges all run back and forth along one diagonal of
// the stage: every edge starts or ends at the same two points.
inline void addStar(Movie& m, uint16_t id, int edges)
{
    Bits b;
    b.u16(id);
    b.rect(0, 2000, 0, 2000);
    b.u8(1);
    solidFill(b, { 200, 30, 30 }, 3);
    b.u8(0);
    ShapeWriter s(b, 1, 0);
    s.style(-1, 1, -1, true, 100, 100);
    for (int i = 0; i < edges / 2; ++i) {
        s.line(1800, 1700);
        s.line(-1800, -1700);
    }
    s.end();
    m.tag(32, b.out);
}

// Four lossless pictures of 4096 x 4096: the zlib data of each is a few
// tens of kilobytes, and the file's own compression takes that to almost nothing.
inline void addBigBitmaps(Movie& m, uint16_t firstId)
{
    static const std::vector<uint8_t> pixels = [] {
        std::vector<uint8_t> raw(size_t(4096) * 4096 * 4, 0xff);
        uLongf size = compressBound(uLong(raw.size()));
        std::vector<uint8_t> z(size);
        compress2(z.data(), &size, raw.data(), uLong(raw.size()), 9);
        z.resize(size);
        return z;
    }();
    for (uint16_t i = 0; i < 4; ++i) {
        Bits b;
        b.u16(uint16_t(firstId + i));
        b.u8(5);
        b.u16(4096);
        b.u16(4096);
        b.bytes(pixels);
        m.tag(36, b.out);
    }
}

// Thin triangles fanning out from one corner to the far side: every row of
// the stage is crossed by thousands of edges.
inline QByteArray fanFile(int triangles)
{
    Movie m;
    Bits b;
    b.u16(1);
    b.rect(0, 2000, 0, 2000);
    b.u8(1);
    solidFill(b, { 200, 30, 30 }, 3);
    b.u8(0);
    ShapeWriter s(b, 1, 0);
    s.style(-1, 1, -1, true, 20, 20);
    for (int i = 0; i < triangles; ++i) {
        const int32_t x = 100 + (i * 7) % 1800;
        s.line(x - 20, 1960);
        s.line(6, 0);
        s.line(20 - x - 6, -1960);
    }
    s.end();
    m.tag(32, b.out);
    m.place(1, 1);
    m.showFrame();
    return m.bytes('C');
}

inline QByteArray starFile(int edges)
{
    Movie m;
    addStar(m, 1, edges);
    m.place(1, 1);
    m.showFrame();
    return m.bytes('C');
}

inline QByteArray bitmapFile()
{
    Movie m;
    addBigBitmaps(m, 1);
    for (uint16_t i = 0; i < 4; ++i)
        m.place(uint16_t(i + 1), uint16_t(i + 1), i * 100, i * 100);
    m.showFrame();
    return m.bytes('C');
}

inline QByteArray bothFile()
{
    Movie m;
    addBigBitmaps(m, 1);
    addStar(m, 5, 240000);
    for (uint16_t i = 0; i < 4; ++i)
        m.place(uint16_t(i + 1), uint16_t(i + 1), i * 100, i * 100);
    m.place(5, 5);
    m.showFrame();
    return m.bytes('C');
}

} // namespace swftest
