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

// deleteIWO leaves a hole; downjigIWO closes it and moves the end marker.
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

// upjigIWO sends record 0 to index 1 and leaves record 0 dead.
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

// A duplicate keeps everything but id and position; a full table copies
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

// A new object takes the size of the tool's outline (a dragged rectangle keeps
// its dragged size); ids count from 1 and the outline keeps its own.
TEST_F(Table, CreationTakesTheShadowsGeometry) {
    resetsingleIWO(SHADOWIWO);
    createIWO(SHADOWIWO, 101, 50, 60, 1, 10, 2);
    IWO[SHADOWIWO].width = 500, IWO[SHADOWIWO].height = 40;
    int n = IWONumber;
    resetsingleIWO(n);
    createIWO(n, 101, 50, 60, 1, 10, 2);
    EXPECT_EQ(std::vector<int>({IWO[n].id, IWO[n].width, IWO[n].height, IWO[SHADOWIWO].id}),
              std::vector<int>({1, 500, 40, SHADOWIWO}));
}

// A rubber band outline has no size and no handles.
TEST_F(Table, RubberBandShadowHasNoSizeOrHandles) {
    DragSelect = 1;
    resetsingleIWO(SHADOWIWO);
    createIWO(SHADOWIWO, 101, 10, 10, 1, 10, 2);
    DragSelect = 0;
    EXPECT_EQ(IWO[SHADOWIWO].width, 0);
    EXPECT_EQ(IWO[SHADOWIWO].height, 0);
    for (int h = 0; h <= 9; h++) EXPECT_EQ(IWO[SHADOWIWO].handlex[h], -5);
}

// Ids never wrap into the sentinels: at 32767 creation is refused.
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

// A reset slot forgets label and attachment of what was there.
TEST_F(Table, ResetSlotForgetsStaleContents) {
    int a = place(101, 0, 0);
    std::strcpy(IWO[a].label, "old");
    IWO[a].connectstart = 12;
    resetsingleIWO(a);
    EXPECT_EQ(IWO[a].label[0], 0);
    EXPECT_EQ(IWO[a].connectstart, -99);
    EXPECT_EQ(IWO[a].type, DEADTYPE);
}

// User objects take their template; type 144 has a blank one.
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

// A Text object measures its label in the screen font, divided by the zoom.
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
