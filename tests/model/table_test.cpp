// The object table's operations, the catalogue and object creation.
#include "edit/interact.h"
#include "model/clones.h"
#include "model/create.h"
#include "model/diagram.h"
#include "model/iwo.h"
#include "model/select.h"
#include "model/settings.h"
#include "render/view.h"
#include "testutil.h"

#include <cstring>

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

// 3.1 Sizes come from the shadow: Actor 103 x 309, a dragged rectangle keeps
// its dragged size; ids count 1, 2, 3 and the shadow keeps 1009.
TEST_F(Table, CreationTakesTheShadowsGeometry) {
    resetsingleIWO(SHADOWIWO);
    createIWO(SHADOWIWO, 125, 200, 300, 1, 10, 2);
    EXPECT_EQ(IWO[SHADOWIWO].width, 103);
    EXPECT_EQ(IWO[SHADOWIWO].height, 309);
    int a = IWONumber;
    resetsingleIWO(a);
    createIWO(a, 125, 200, 300, 1, 10, 2);
    EXPECT_EQ(IWO[a].width, 103);
    EXPECT_EQ(IWO[a].height, 309);
    EXPECT_EQ(IWO[a].x, 200);
    EXPECT_EQ(IWO[a].id, 1);

    int b = place(101, 50, 60, 500, 40);
    EXPECT_EQ(IWO[b].width, 500);
    EXPECT_EQ(IWO[b].height, 40);
    EXPECT_EQ(IWO[b].id, 2);
    EXPECT_EQ(IWO[place(104, 0, 0)].id, 3);
    EXPECT_EQ(IWO[SHADOWIWO].id, SHADOWIWO);
}

// 3.2 The Exclam's first highlight entry is the bar, not whatever the slot
// held; a new Start-Stop is named after its type.
TEST_F(Table, ExclamHighlightAndStartStopName) {
    IWO[IWONumber].highlight[0].px[1] = 77;
    int ex = place(123, 0, 0);
    EXPECT_EQ(IWO[ex].highlight[0].px[1], 100);
    EXPECT_EQ(IWO[ex].highlight[0].py[1], 70);
    EXPECT_STREQ(IWO[place(129, 300, 300)].name, "Start-Stop");
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
    }
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
    zoom = 0.5f;
    resetsingleIWO(SHADOWIWO);
    createIWO(SHADOWIWO, 109, 0, 0, 1, 10, 2);
    EXPECT_EQ(IWO[SHADOWIWO].width, 2 * w1);
}
