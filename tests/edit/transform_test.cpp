// The commands on the selection where a session can't look: mirrored parts and
// handles, saturation at the ends of the ranges, the focus and the properties
// buffer after a change of order, and exact undo and redo with connectors. What
// each command does to the objects and the page is the session
// selection-commands.
#include "edit/transform.h"

#include "testutil.h"

#include <cstring>

using V = std::vector<int>;

namespace {

class Transform : public Core {
  protected:
    void SetUp() override {
        Core::SetUp();
        IWONumber = 1;
    }
};

} // namespace

// The focus is the last object sent to the front and the first sent to the
// back, and none after Delete; the properties buffer (record 0) survives
// sending to the back.
TEST_F(Transform, ZOrderFocusAndPropertiesBuffer) {
    for (int i = 0; i < 4; i++) recorded(place(101, 100 + 100 * i, 100));
    selectonly({1, 3});
    sendtofront();
    EXPECT_EQ(selectedIWO, 4);
    IWO[0] = IWO[3];
    std::strcpy(IWO[0].label, "buffer");
    const std::vector<uint8_t> buffer = recordbytes(IWO[0]);
    sendtoback();
    EXPECT_EQ(selectedIWO, 1);
    EXPECT_EQ(recordbytes(IWO[0]), buffer);
    delete_(); // no focus afterwards: the next command can't take another object for it
    EXPECT_EQ(selectedIWO, 0);
}

TEST_F(Transform, FlipAndResizeMirrorPartsAndHandlesAndSaturate) {
    int t = recorded(place(117, 500, 500)); // triangle (0,0)(100,100)(0,100)
    selectonly({t});
    flip(1);
    const DrawPart &d = IWO[t].draw[0];
    // Its own box is the selection's box; y stays. Handles: 5 (50,50) mirrors
    // in x into 4's place; 2 and 3 stay not offered.
    EXPECT_EQ(
        V({IWO[t].x, d.px[0], d.px[1], d.px[2], d.py[1], IWO[t].handlex[4], IWO[t].handlex[1]}),
        V({500, 100, 0, 100, 100, 50, -99}));
    // A coordinate at the edge of the byte range saturates instead of wrapping.
    IWO[t].draw[0].px[3] = -128;
    flip(1);
    EXPECT_EQ(IWO[t].draw[0].px[3], 127);
    // A rectangle's corner handles change places with their opposites: the
    // handles look as they did.
    int b = recorded(place(101, 100, 100));
    selectonly({b});
    const V before(IWO[b].handlex, IWO[b].handlex + 10);
    flip(1);
    EXPECT_EQ(V(IWO[b].handlex, IWO[b].handlex + 10), before);
    // Doubling past the 16-bit range saturates instead of turning negative.
    IWO[b].width = 20000;
    resize(200);
    EXPECT_GT(IWO[b].width, 0);
}

// A focus connector's new attachment is part of the recorded change, so one
// undo and one redo give back the tables exactly (the other commands with
// connectors are the session undo-commands). A flip of connectors alone,
// without a shape to mirror in, changes nothing. Two nodes joined by a
// connector, a third node joined to the second, and a loose rectangle.
TEST_F(Transform, CommandsWithConnectorsUndoAndRedoExactly) {
    int a = recorded(place(101, 300, 300, 300, 200));   // 1
    int b = recorded(place(105, 1000, 300, 300, 200));  // 2
    recorded(connect(a, 300, 100, b, 0, 100));          // 3
    int c = recorded(place(104, 1000, 1000, 300, 300)); // 4
    recorded(connect(b, 150, 200, c, 150, 0));          // 5
    recorded(place(101, 300, 1200, 200, 200));          // 6
    std::strcpy(IWO[a].label, "root");
    IWO[3].draw[2].kind = 21;
    resethistory();
    selectonly({3});
    auto before = tableimage();
    flip(1);
    EXPECT_EQ(tableimage(), before);
    for (bool mirror : {false, true}) {
        SCOPED_TRACE(mirror ? "flip(1)" : "resize(200)");
        mirror ? selectonly({1, 2, 3, 4, 5}) : selectonly({2, 4, 5});
        before = tableimage();
        mirror ? flip(1) : resize(200);
        auto after = tableimage();
        undohistory();
        EXPECT_EQ(tableimage(), before);
        redohistory();
        EXPECT_EQ(tableimage(), after);
        undohistory();
        EXPECT_FALSE(historycanundo());
    }
}
