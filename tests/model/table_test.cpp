// The object table's operations, the catalogue and object creation.
#include "app/shell.h"
#include "edit/interact.h"
#include "edit/select.h"
#include "export/clones.h"
#include "model/create.h"
#include "model/diagram.h"
#include "model/iwo.h"
#include "render/view.h"
#include "testutil.h"

#include <cstring>

namespace {

// Places an object of a type as the pointer would: shadow first, then the object.
int place(int type, int x, int y, int w = -1, int h = -1) {
    resetsingleIWO(SHADOWIWO);
    createIWO(SHADOWIWO, type, x, y, linecolour, lineweight, fillcolour);
    if (w >= 0) IWO[SHADOWIWO].width = (int16_t)w;
    if (h >= 0) IWO[SHADOWIWO].height = (int16_t)h;
    int n = IWONumber;
    resetsingleIWO(n);
    createIWO(n, type, x, y, linecolour, lineweight, fillcolour);
    return n;
}

} // namespace

using Table = Core;

// 2.1 A fresh table: no objects, record 1 the end marker.
TEST_F(Table, FreshTableIsEmpty) {
    EXPECT_EQ(IWONumber, 1);
    EXPECT_EQ(IWO[1].type, DEADTYPE);
    EXPECT_EQ(IWO[0].type, DEADTYPE);
    EXPECT_EQ(IWO[SHADOWIWO].id, -99);
}

// 2.2 deleteIWO leaves a hole; downjigIWO closes it and moves the end marker.
TEST_F(Table, DeleteLeavesHoleDownjigCloses) {
    int a = place(101, 100, 100), b = place(104, 400, 100), c = place(105, 700, 100);
    EXPECT_EQ(IWONumber, 4);
    std::strcpy(IWO[b].label, "gone");
    deleteIWO(b);
    EXPECT_EQ(IWO[b].type, DEADTYPE);
    EXPECT_EQ(IWO[b].id, -99);
    EXPECT_EQ(IWO[b].label[0], 0);
    EXPECT_EQ(IWONumber, 4);
    downjigIWO(b);
    EXPECT_EQ(IWONumber, 3);
    EXPECT_EQ(IWO[b].type, 105);
    EXPECT_EQ(IWO[a].type, 101);
    downjigIWO(IWONumber - 1); // the last object
    EXPECT_EQ(IWONumber, 2);
    EXPECT_EQ(IWO[2].type, DEADTYPE);
    (void)c;
}

// 2.3 upjigIWO sends record 0 to index 1 and leaves record 0 dead.
TEST_F(Table, UpjigMovesScratchToFront) {
    place(101, 100, 100);
    place(104, 400, 100);
    int16_t id1 = IWO[1].id, id2 = IWO[2].id;
    swapIWO(2, 0);
    upjigIWO(2);
    EXPECT_EQ(IWO[1].id, id2);
    EXPECT_EQ(IWO[2].id, id1);
    EXPECT_EQ(IWO[0].type, DEADTYPE);
}

// 2.4 A duplicate keeps everything but id and position; a full table copies
// nothing but still moves the focus to the last object.
TEST_F(Table, DuplicateKeepsAllButIdAndPosition) {
    int a = place(126, 100, 100);
    IWO[a].group = 4;
    IWO[a].locked = 1;
    std::strcpy(IWO[a].label, "Cls");
    clones = 0;
    duplicateIWO(a);
    ASSERT_EQ(IWONumber, 3);
    IWORecord copy = IWO[2], orig = IWO[a];
    EXPECT_NE(copy.id, orig.id);
    EXPECT_EQ(copy.x, orig.x + 50);
    EXPECT_EQ(copy.y, orig.y + 50);
    copy.id = orig.id;
    copy.x = orig.x;
    copy.y = orig.y;
    uint8_t p1[IWORECORDSIZE], p2[IWORECORDSIZE];
    writeIWOrecord(copy, p1);
    writeIWOrecord(orig, p2);
    EXPECT_EQ(0, std::memcmp(p1, p2, IWORECORDSIZE));
    EXPECT_EQ(clone_[0].sourceindex, a);
    EXPECT_EQ(clone_[0].copyid, IWO[2].id);

    IWONumber = MAXIWO + 1;
    selectedIWO = 1;
    int16_t before = IWOid;
    duplicateIWO(a);
    EXPECT_EQ(IWONumber, MAXIWO + 1);
    EXPECT_EQ(IWOid, before);
    EXPECT_EQ(selectedIWO, MAXIWO);
}

// 2.5 The catalogue's names and help texts.
TEST_F(Table, Catalogue) {
    EXPECT_STREQ(typename_[129], "Start-Stop");
    EXPECT_STREQ(typename_[35], "Dead");
    EXPECT_STREQ(typename_[144], "User 13");
    EXPECT_STREQ(typename_[147], "User 16");
    EXPECT_STREQ(typename_[131], "");
    EXPECT_STREQ(helptext[122], "Lightening");
    EXPECT_STREQ(helptext[141], "User  0");
    EXPECT_STREQ(helptext[142], "");
    int n = place(129, 300, 300);
    EXPECT_STREQ(IWO[n].name, "Start-Stop");
}

// 3.1 Sizes come from the shadow: Actor 103 x 309, a dragged rectangle keeps
// its dragged size; ids count 1, 2, 3 and the shadow keeps 1009.
TEST_F(Table, CreationTakesTheShadowsGeometry) {
    resetsingleIWO(SHADOWIWO);
    createIWO(SHADOWIWO, 125, 200, 300, 1, 10, 2);
    EXPECT_EQ(IWO[SHADOWIWO].width, 103);
    EXPECT_EQ(IWO[SHADOWIWO].height, 309);
    EXPECT_EQ(IWO[SHADOWIWO].id, SHADOWIWO);
    EXPECT_STREQ(IWO[SHADOWIWO].name, "Shadow");
    int a = IWONumber;
    resetsingleIWO(a);
    createIWO(a, 125, 200, 300, 1, 10, 2);
    EXPECT_EQ(IWO[a].width, 103);
    EXPECT_EQ(IWO[a].height, 309);
    EXPECT_EQ(IWO[a].x, 200);
    EXPECT_EQ(IWO[a].id, 1);
    EXPECT_EQ(IWO[a].selected, 1);
    EXPECT_EQ(selectedIWO, a);
    EXPECT_EQ(numIWOselected, 1);
    EXPECT_EQ(JustCreated, 1);

    int b = place(101, 50, 60, 500, 40);
    EXPECT_EQ(IWO[b].width, 500);
    EXPECT_EQ(IWO[b].height, 40);
    EXPECT_EQ(IWO[b].id, 2);
    EXPECT_EQ(IWO[place(104, 0, 0)].id, 3);
    EXPECT_EQ(IWO[SHADOWIWO].id, SHADOWIWO);
}

// 3.2 Per-type parts, handles and label positions.
TEST_F(Table, PerTypeDefaults) {
    int r = place(102, 0, 0);
    EXPECT_EQ(IWO[r].drawnum, 1);
    EXPECT_EQ(IWO[r].draw[0].kind, 1);
    EXPECT_EQ(IWO[r].draw[0].px[5], 25);
    EXPECT_EQ(IWO[r].handlex[8], 100);
    EXPECT_EQ(IWO[r].handley[9], 50);
    EXPECT_EQ(IWO[r].handlex[0], -5);
    EXPECT_EQ(IWO[r].handley[0], 0); // connections

    int t = place(117, 0, 0);
    EXPECT_EQ(IWO[t].handlex[2], -99);
    EXPECT_EQ(IWO[t].handlex[9], 25);
    EXPECT_EQ(IWO[t].erase.px[1], 100); // erase is the whole box

    int cl = place(119, 0, 0);
    EXPECT_EQ(IWO[cl].drawnum, 5);
    EXPECT_EQ(IWO[cl].draw[0].linecolour, IWO[cl].fillcolour);
    EXPECT_EQ(IWO[cl].highlightnum, 4);

    int p2 = place(128, 0, 0);
    EXPECT_EQ(IWO[p2].draw[1].fillcolour, HARDTRANSPARENT);
    EXPECT_EQ(IWO[p2].draw[0].fillcolour, fillcolour);

    int th = place(121, 0, 0);
    EXPECT_EQ(IWO[th].labelx, 39);
    EXPECT_EQ(IWO[th].labely, 30);

    // The Exclam's first highlight entry is the bar, not whatever the slot held.
    IWO[IWONumber].highlight[0].px[1] = 77;
    int ex = place(123, 0, 0);
    EXPECT_EQ(IWO[ex].width, 103);
    EXPECT_EQ(IWO[ex].height, 420);
    EXPECT_EQ(IWO[ex].highlight[0].px[1], 100);
    EXPECT_EQ(IWO[ex].highlight[0].py[1], 70);

    int ss = place(129, 0, 0);
    EXPECT_EQ(IWO[ss].width, 155);
    EXPECT_EQ(IWO[ss].height, 155);
    EXPECT_EQ(IWO[ss].handley[6], 86);

    // A type without geometry of its own keeps the slot's size.
    int sp = place(103, 0, 0);
    EXPECT_EQ(IWO[sp].drawnum, 0);
}

// 3.3 Lines halve their weight and run from the press to the release point.
TEST_F(Table, LinesHalveWeightAndSpanPressToRelease) {
    for (auto [w, stored] : {std::pair{5, 2}, {10, 5}}) {
        connectstartoffsetx = 100;
        connectstartoffsety = 200;
        resetsingleIWO(SHADOWIWO);
        createIWO(SHADOWIWO, 107, 400, 100, 1, w, 2);
        EXPECT_EQ(IWO[SHADOWIWO].lineweight, stored);
        EXPECT_EQ(IWO[SHADOWIWO].width, 300);
        EXPECT_EQ(IWO[SHADOWIWO].height, -100);
        EXPECT_EQ(IWO[SHADOWIWO].fillcolour, 1);
        EXPECT_EQ(IWO[SHADOWIWO].handlex[2], -5);
        EXPECT_EQ(IWO[SHADOWIWO].handlex[8], 100);
        EXPECT_EQ(connectstartoffsetx, -99);
    }
}

// 3.4 A connector attaches by id and percentage and counts on both objects;
// an object without width gives percentage 0 instead of a fault.
TEST_F(Table, ConnectorAttachesByPercentage) {
    int a = place(101, 100, 100, 310, 210);
    int b = place(101, 1000, 100, 0, 210); // no width
    connectstartIWO = (int16_t)a;
    connectendIWO = (int16_t)b;
    connectstartoffsetx = 155;
    connectstartoffsety = 105;
    connectendoffsetx = 0;
    connectendoffsety = 21;
    resetsingleIWO(SHADOWIWO);
    int c = IWONumber;
    resetsingleIWO(c);
    createIWO(c, 108, 1000, 121, 1, 10, 2);
    EXPECT_EQ(IWO[c].connectstart, IWO[a].id);
    EXPECT_EQ(IWO[c].connectstartx, 50);
    EXPECT_EQ(IWO[c].connectstarty, 50);
    EXPECT_EQ(IWO[c].connectstartclamp, 1);
    EXPECT_EQ(IWO[c].connectend, IWO[b].id);
    EXPECT_EQ(IWO[c].connectendx, 0);
    EXPECT_EQ(IWO[c].connectendy, 10);
    EXPECT_EQ(connections(IWO[a]), 1);
    EXPECT_EQ(connections(IWO[b]), 1);
    EXPECT_EQ(IWO[c].draw[0].kind, 13);
    EXPECT_EQ(IWO[c].lineweight, 5);
}

// 3.5 A rubber band outline has no size and no handles.
TEST_F(Table, RubberBandShadowHasNoSizeOrHandles) {
    DragSelect = 1;
    resetsingleIWO(SHADOWIWO);
    createIWO(SHADOWIWO, 101, 10, 10, 1, 10, 2);
    DragSelect = 0;
    EXPECT_EQ(IWO[SHADOWIWO].width, 0);
    EXPECT_EQ(IWO[SHADOWIWO].height, 0);
    for (int h = 0; h <= 9; h++) EXPECT_EQ(IWO[SHADOWIWO].handlex[h], -5);
}

// 3.6 Ids never wrap into the sentinels: at 32767 creation is refused.
TEST_F(Table, IdCounterNeverWraps) {
    IWOid = 32766;
    int a = place(101, 0, 0);
    EXPECT_EQ(IWO[a].id, 32767);
    int before = IWONumber;
    EXPECT_EQ(place(101, 0, 0), before);
    EXPECT_EQ(IWONumber, before);
    EXPECT_EQ(IWOid, 32767);
    duplicateIWO(a);
    EXPECT_EQ(IWONumber, before);
}

// 3.7 A reset slot forgets label and attachment of what was there.
TEST_F(Table, ResetSlotForgetsStaleContents) {
    int a = place(101, 0, 0);
    std::strcpy(IWO[a].label, "old");
    IWO[a].connectstart = 12;
    resetsingleIWO(a);
    EXPECT_EQ(IWO[a].label[0], 0);
    EXPECT_EQ(IWO[a].connectstart, -99);
    EXPECT_EQ(IWO[a].type, DEADTYPE);
    EXPECT_STREQ(IWO[a].name, "Unnamed");
    EXPECT_STREQ(IWO[a].fontname, "Bitstream Vera Sans.font");
}

// 3.8 User objects take their template; type 144 has a blank one.
TEST_F(Table, UserObjectsFromTemplate) {
    extern IWORecord userIWO[14];
    userIWO[1].width = 222;
    userIWO[1].height = 111;
    userIWO[1].drawnum = 1;
    userIWO[1].draw[0].kind = 7;
    userIWO[1].draw[0].px[3] = 42;
    resetsingleIWO(SHADOWIWO);
    createIWO(SHADOWIWO, 132, 0, 0, 1, 10, 2);
    EXPECT_EQ(IWO[SHADOWIWO].width, 222);
    EXPECT_EQ(IWO[SHADOWIWO].draw[0].px[3], 42);
    EXPECT_EQ(IWO[SHADOWIWO].handlex[8], 100);
    resetsingleIWO(SHADOWIWO);
    createIWO(SHADOWIWO, 144, 0, 0, 1, 10, 2);
    EXPECT_EQ(IWO[SHADOWIWO].drawnum, 0);
    userIWO[1] = IWORecord{};
}

// 3.9 A Text object measures its label in the screen font, divided by the zoom.
TEST_F(Table, TextWidthDependsOnZoom) {
    zoom = 1.0f;
    resetsingleIWO(SHADOWIWO);
    createIWO(SHADOWIWO, 109, 0, 0, 1, 10, 2);
    int w1 = IWO[SHADOWIWO].width;
    EXPECT_GT(w1, 10);
    EXPECT_EQ(IWO[SHADOWIWO].height, 32);
    EXPECT_STREQ(IWO[SHADOWIWO].label, "Text");
    EXPECT_EQ(IWO[SHADOWIWO].drawnum, 0);
    EXPECT_EQ(IWO[SHADOWIWO].highlight[0].kind, 12);
    EXPECT_EQ(IWO[SHADOWIWO].handlex[1], -5);
    zoom = 0.5f;
    resetsingleIWO(SHADOWIWO);
    createIWO(SHADOWIWO, 109, 0, 0, 1, 10, 2);
    EXPECT_EQ(IWO[SHADOWIWO].width, 2 * w1);
}
