// Byte layout of the object and diagram records: offsets, widths, byte order,
// and that bytes the program never interprets survive a read and a write.
#include "model/bytes.h"
#include "model/diagram.h"
#include "model/iwo.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

namespace {

std::vector<uint8_t> randombytes(size_t n, unsigned seed) {
    std::mt19937 rng(seed);
    std::vector<uint8_t> v(n);
    for (auto &b : v) b = (uint8_t)rng();
    return v;
}

} // namespace

// 1.1 Every field of the object record lands at its offset, big-endian.
TEST(RecordLayout, ObjectFieldsAtTheirOffsets) {
    IWORecord r;
    r.id = 0x0102;
    r.type = 101;
    std::strcpy(r.name, "Rectangle");
    r.x = -2;
    r.y = 0x1234;
    r.width = 310;
    r.height = 210;
    r.linecolour = 1;
    r.lineweight = 10;
    r.fillcolour = -99;
    r.font = {0xA1B2C3D4, 16, 2, 1};
    std::strcpy(r.fontname, "Bitstream Vera Sans.font");
    r.labelx = 50;
    r.labely = 51;
    r.labelposition = 3;
    r.fontcolour = 4;
    std::strcpy(r.label, "Hello");
    r.labelcolour = 5;
    r.labelfilled = 1;
    r.drawnum = 2;
    r.highlightnum = 1;
    r.draw[1].kind = 7;
    r.draw[1].px[0] = -10;
    r.draw[1].py[12] = 100;
    r.draw[1].pad = 0xEE;
    r.draw[1].linecolour = 0x0A0B;
    r.draw[1].fillcolour = -999;
    r.draw[1].lineweight = 3;
    r.highlight[4].kind = 12;
    r.erase.kind = 1;
    r.erase.lineweight = 9;
    r.reserved1256[0] = 0x11;
    r.reserved1256[95] = 0x22;
    r.connectstart = 7;
    r.connectendclamp = 1;
    r.handlex[0] = -5;
    r.handlex[11] = 0x3344;
    r.handley[0] = 2;
    r.group = 9;
    r.reserved1422 = -99;
    r.locked = 1;
    r.selected = 1;
    r.nodefold = 1;
    r.fold = 1;
    r.visible = 1;
    r.reserved1434 = 0x5566;
    r.reserved1436[2] = 0x7788;

    uint8_t p[IWORECORDSIZE];
    writeIWOrecord(r, p);
    EXPECT_EQ(get2byte(p + 0), 0x0102);
    EXPECT_EQ(p[0], 0x01);
    EXPECT_EQ(get2byte(p + 2), 101);
    EXPECT_STREQ((const char *)p + 4, "Rectangle");
    EXPECT_EQ(get2byte(p + 30), -2);
    EXPECT_EQ(p[32], 0x12);
    EXPECT_EQ(get2byte(p + 34), 310);
    EXPECT_EQ(get2byte(p + 36), 210);
    EXPECT_EQ(get2byte(p + 38), 1);
    EXPECT_EQ(get2byte(p + 40), 10);
    EXPECT_EQ(get2byte(p + 42), -99);
    EXPECT_EQ(get4byte(p + 44), 0xA1B2C3D4u);
    EXPECT_EQ(get2byte(p + 48), 16);
    EXPECT_EQ(p[50], 2);
    EXPECT_EQ(p[51], 1);
    EXPECT_STREQ((const char *)p + 52, "Bitstream Vera Sans.font");
    EXPECT_EQ(get2byte(p + 308), 50);
    EXPECT_EQ(get2byte(p + 310), 51);
    EXPECT_EQ(get2byte(p + 312), 3);
    EXPECT_EQ(get2byte(p + 314), 4);
    EXPECT_STREQ((const char *)p + 316, "Hello");
    EXPECT_EQ(get2byte(p + 366), 5);
    EXPECT_EQ(get2byte(p + 368), 1);
    EXPECT_EQ(p[370], 2);
    EXPECT_EQ(p[371], 1);
    const uint8_t *d1 = p + 372 + 34;
    EXPECT_EQ(d1[0], 7);
    EXPECT_EQ((int8_t)d1[1], -10);
    EXPECT_EQ(d1[14 + 12], 100);
    EXPECT_EQ(d1[27], 0xEE);
    EXPECT_EQ(get2byte(d1 + 28), 0x0A0B);
    EXPECT_EQ(get2byte(d1 + 30), -999);
    EXPECT_EQ(get2byte(d1 + 32), 3);
    EXPECT_EQ(p[1052 + 4 * 34], 12);
    EXPECT_EQ(p[1222], 1);
    EXPECT_EQ(get2byte(p + 1222 + 32), 9);
    EXPECT_EQ(p[1256], 0x11);
    EXPECT_EQ(p[1351], 0x22);
    EXPECT_EQ(get2byte(p + 1352), 7);
    EXPECT_EQ(get2byte(p + 1370), 1);
    EXPECT_EQ(get2byte(p + 1372), -5);
    EXPECT_EQ(get2byte(p + 1394), 0x3344);
    EXPECT_EQ(get2byte(p + 1396), 2);
    EXPECT_EQ(get2byte(p + 1420), 9);
    EXPECT_EQ(get2byte(p + 1422), -99);
    for (int off : {1424, 1426, 1428, 1430, 1432}) EXPECT_EQ(get2byte(p + off), 1) << off;
    EXPECT_EQ(get2byte(p + 1434), 0x5566);
    EXPECT_EQ(get2byte(p + 1440), 0x7788);
}

// 1.2 Any 1442 bytes read and written again come back identical: reserved
// words, the 96 reserved bytes, pad bytes, the font pointer and text after
// the terminator included.
TEST(RecordLayout, ObjectRoundTripIsByteExact) {
    for (unsigned seed = 1; seed <= 20; seed++) {
        auto in = randombytes(IWORECORDSIZE, seed);
        IWORecord r;
        readIWOrecord(r, in.data());
        std::vector<uint8_t> out(IWORECORDSIZE);
        writeIWOrecord(r, out.data());
        ASSERT_EQ(in, out) << "seed " << seed;
    }
}

// 1.3 The diagram record: offsets and a byte-exact round trip.
TEST(RecordLayout, DiagramFieldsAndRoundTrip) {
    DiagramRecord d;
    std::strcpy(d.filename, "/home/a/b.iwo");
    std::strcpy(d.version, "v");
    d.saved = 1;
    d.release = 97;
    std::strcpy(d.title, "T");
    std::strcpy(d.description, "D");
    std::strcpy(d.author, "A");
    d.font = {0, 16, 0, 1};
    std::strcpy(d.fontname, "F.font");
    d.fontcolour = 1;
    d.labelcolour = 2;
    d.labelfilled = 3;
    d.paperwidth = 2100;
    d.paperheight = 2900;
    d.papercolour = 4;
    d.linecolour = 5;
    d.fillcolour = 6;
    d.highlightcolour = 7;
    d.lineweight = 8;
    d.objects = 9;
    uint8_t p[DIAGRAMRECORDSIZE];
    writeIWOdiagramrecord(d, p);
    EXPECT_STREQ((const char *)p, "/home/a/b.iwo");
    EXPECT_STREQ((const char *)p + 1000, "v");
    EXPECT_EQ(get2byte(p + 1256), 1);
    EXPECT_EQ(get2byte(p + 1258), 97);
    EXPECT_STREQ((const char *)p + 1260, "T");
    EXPECT_STREQ((const char *)p + 1515, "D");
    EXPECT_STREQ((const char *)p + 1770, "A");
    EXPECT_EQ(get2byte(p + 2030), 16);
    EXPECT_EQ(p[2033], 1);
    EXPECT_STREQ((const char *)p + 2034, "F.font");
    const int expect[] = {1, 2, 3, 2100, 2900, 4, 5, 6, 7, 8, 9};
    for (int i = 0; i < 11; i++) EXPECT_EQ(get2byte(p + 2290 + 2 * i), expect[i]) << i;

    for (unsigned seed = 1; seed <= 10; seed++) {
        auto in = randombytes(DIAGRAMRECORDSIZE, seed);
        DiagramRecord r;
        readIWOdiagramrecord(r, in.data());
        std::vector<uint8_t> out(DIAGRAMRECORDSIZE);
        writeIWOdiagramrecord(r, out.data());
        ASSERT_EQ(in, out) << "seed " << seed;
    }
}
