// The object table's operations, the catalogue and object creation.
#include "model/clones.h"
#include "render/view.h"
#include "testutil.h"

#include <cstring>

using Table = Core;
using V = std::vector<int>;

namespace {

// The tool's outline of a new object of `type` at (x, y), as a press makes it.
IWORecord &shadow(int type, int x = 0, int y = 0) {
    resetsingleIWO(SHADOWIWO);
    createIWO(SHADOWIWO, type, x, y, 1, 10, 2);
    return IWO[SHADOWIWO];
}

} // namespace

// deleteIWO leaves a hole; downjigIWO closes it and moves the end marker.
TEST_F(Table, DeleteLeavesHoleDownjigCloses) {
    place(101, 100, 100), place(104, 400, 100), place(105, 700, 100);
    std::strcpy(IWO[2].label, "gone");
    deleteIWO(2);
    EXPECT_EQ(V({IWO[2].type, IWO[2].id, IWO[2].label[0], IWONumber}), V({DEADTYPE, -99, 0, 4}));
    downjigIWO(2);
    EXPECT_EQ(field({1, 2}, &IWORecord::type), V({101, 105}));
    EXPECT_EQ(IWONumber, 3);
    downjigIWO(IWONumber - 1); // the last object
    EXPECT_EQ(V({IWONumber, IWO[2].type}), V({2, DEADTYPE}));
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
    EXPECT_EQ(V({copy.x, copy.y}), V({orig.x + 50, orig.y + 50}));
    copy.id = orig.id, copy.x = orig.x, copy.y = orig.y;
    EXPECT_EQ(recordbytes(copy), recordbytes(orig));

    IWONumber = MAXIWO + 1;
    selectedIWO = 1;
    int16_t before = IWOid;
    duplicateIWO(a);
    EXPECT_EQ(IWONumber, MAXIWO + 1);
    EXPECT_EQ(IWOid, before);
    EXPECT_EQ(selectedIWO, MAXIWO);
}

// A new object takes the size of the tool's outline (a dragged rectangle keeps
// its dragged size); ids count from 1 and the outline keeps its own. A rubber
// band outline has no size and no handles.
TEST_F(Table, CreationTakesTheShadowsGeometry) {
    IWORecord &s = shadow(101, 50, 60);
    s.width = 500, s.height = 40;
    int n = IWONumber;
    resetsingleIWO(n);
    createIWO(n, 101, 50, 60, 1, 10, 2);
    EXPECT_EQ(V({IWO[n].id, IWO[n].width, IWO[n].height, s.id}), V({1, 500, 40, SHADOWIWO}));

    DragSelect = 1;
    shadow(101, 10, 10);
    DragSelect = 0;
    EXPECT_EQ(V({s.width, s.height}), V({0, 0}));
    for (int h = 0; h <= 9; h++) EXPECT_EQ(s.handlex[h], -5);
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
    EXPECT_EQ(V({IWO[a].label[0], IWO[a].connectstart, IWO[a].type}), V({0, -99, DEADTYPE}));
}

// User objects take their template; type 144 has a blank one.
TEST_F(Table, UserObjectsFromTemplate) {
    extern IWORecord userIWO[14];
    userIWO[1].width = 222;
    userIWO[1].drawnum = 1;
    userIWO[1].draw[0].kind = 7;
    userIWO[1].draw[0].px[3] = 42;
    const IWORecord &s = shadow(132);
    EXPECT_EQ(V({s.width, s.draw[0].px[3], s.handlex[8]}), V({222, 42, 100}));
    EXPECT_EQ(shadow(144).drawnum, 0);
    userIWO[1] = IWORecord{};
}

// A Text object measures its label in the screen font, divided by the zoom.
TEST_F(Table, TextWidthDependsOnZoom) {
    zoom = 1.0f;
    int w1 = shadow(109).width;
    EXPECT_GT(w1, 10);
    zoom = 0.5f;
    EXPECT_EQ(shadow(109).width, 2 * w1);
}
