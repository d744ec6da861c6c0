// The commands on the selection: what each does to the objects, the page and
// the history (one undo and one redo of each, with connectors, are exact).
#include "edit/transform.h"

#include "model/clones.h"
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

    // A small diagram of assorted objects with labels, pens and line ends.
    void scene() {
        int a = recorded(place(101, 300, 300, 400, 200));
        std::strcpy(IWO[a].label, "box");
        IWO[a].fillcolour = 5;
        int b = recorded(place(117, 900, 300)); // asymmetric triangle
        std::strcpy(IWO[b].label, "tri");
        IWO[b].linecolour = 3;
        int c = recorded(place(119, 300, 900)); // cloud: boxes and half-ellipses
        IWO[c].lineweight = 4;
        // A line drawn by its two end points, with arrow heads.
        int d = recorded(place(107, 1200, 1000, 300, 300));
        IWO[d].draw[1].kind = 20;
        IWO[d].draw[2].kind = 22;
        IWO[d].draw[2].px[1] = 15;
        int e = recorded(place(123, 1700, 400)); // exclamation: rounded box and ellipse
        std::strcpy(IWO[e].label, "!");
        resethistory();
    }
};

} // namespace

TEST_F(Transform, DuplicateGroupsCopiesTogether) {
    scene();
    IWO[1].group = 1;
    IWO[2].group = 1;
    IWO[3].group = 2;
    groupnum = 2;
    selectonly({1, 2, 3});
    duplicate();
    ASSERT_EQ(IWONumber, 9);
    EXPECT_EQ(field({6, 7, 8}, &IWORecord::group), V({3, 3, 3}));
    EXPECT_EQ(field({1, 6, 7, 8}, &IWORecord::selected), V({0, 1, 1, 1}));
    EXPECT_EQ(V({selectedIWO, numIWOselected, clones}), V({8, 3, 3}));
    // Undo and redo keep the copies in their new group.
    undohistory();
    redohistory();
    EXPECT_EQ(IWO[7].group, 3);
}

// A lone selected connector is not copied by Duplicate.
TEST_F(Transform, DuplicateSkipsConnectors) {
    scene();
    IWO[4].type = 108;
    selectonly({4});
    duplicate();
    EXPECT_EQ(IWONumber, 6);
    EXPECT_FALSE(canundo());
}

TEST_F(Transform, DeleteRemovesLockedObjectsAndEndsTheSelection) {
    scene();
    IWO[2].locked = 1;
    int16_t idafter = IWO[3].id;
    selectonly({2, 5});
    delete_();
    EXPECT_EQ(V({IWONumber, IWO[2].id, selectedIWO, numIWOselected}), V({4, idafter, 0, 0}));
}

TEST_F(Transform, ZOrderKeepsTheSelectionsOwnOrder) {
    for (int i = 0; i < 8; i++) recorded(place(101, 100 + 100 * i, 100));
    const V id = ids(); // id[k - 1]: object k's
    selectonly({2, 5, 7});
    sendtofront();
    EXPECT_EQ(field({6, 7, 8, 1, 5}, &IWORecord::id), V({id[1], id[4], id[6], id[0], id[7]}));
    EXPECT_EQ(selectedIWO, 8);

    // The properties buffer (record 0) survives sending to the back.
    IWO[0] = IWO[3];
    std::strcpy(IWO[0].label, "buffer");
    const std::vector<uint8_t> buffer = recordbytes(IWO[0]);
    selectonly({6, 7, 8});
    sendtoback();
    EXPECT_EQ(field({1, 2, 3, 4}, &IWORecord::id), V({id[1], id[4], id[6], id[0]}));
    EXPECT_EQ(selectedIWO, 1);
    EXPECT_EQ(recordbytes(IWO[0]), buffer);
}

TEST_F(Transform, ResizeKeepsTheMinimumExceptForLines) {
    int r = recorded(place(101, 300, 300, 30, 100));
    int big = recorded(place(101, 300, 600, 310, 210));
    int l = recorded(place(107, 1000, 1000, 30, 10));
    selectonly({r, l});
    resize(50);
    EXPECT_EQ(field({r, l}, &IWORecord::width), V({20, 15}));
    EXPECT_EQ(field({r, l}, &IWORecord::height), V({50, 5}));
    selectonly({big});
    resize(200);
    EXPECT_EQ(V({IWO[big].width, IWO[big].height}), V({620, 420}));
    // A locked object is left as it is.
    IWO[big].locked = 1;
    resize(50);
    EXPECT_EQ(IWO[big].width, 620);
    // Doubling past the 16-bit range saturates instead of turning negative.
    IWO[big].locked = 0;
    IWO[big].width = 20000;
    resize(200);
    EXPECT_GT(IWO[big].width, 0);
}

TEST_F(Transform, FlipMirrorsPartsAndExchangesPositions) {
    int t = recorded(place(117, 500, 500)); // triangle (0,0)(100,100)(0,100)
    selectonly({t});
    flip(1);
    const DrawPart &d = IWO[t].draw[0];
    // Its own box is the selection's box; y stays. Handles: 5 (50,50) mirrors
    // in x into 4's place; 2 and 3 stay not offered.
    EXPECT_EQ(
        V({IWO[t].x, d.px[0], d.px[1], d.px[2], d.py[1], IWO[t].handlex[4], IWO[t].handlex[1]}),
        V({500, 100, 0, 100, 100, 50, -99}));

    int a = recorded(place(101, 100, 100, 200, 100));
    int b = recorded(place(101, 800, 100, 300, 100));
    selectonly({a, b});
    flip(1);
    EXPECT_EQ(field({a, b}, &IWORecord::x), V({900, 100}));
    flip(2);
    EXPECT_EQ(IWO[a].y, 100);

    // A coordinate at the edge of the byte range saturates instead of wrapping.
    IWO[t].draw[0].px[3] = -128;
    selectonly({t});
    flip(1);
    EXPECT_EQ(IWO[t].draw[0].px[3], 127);

    int l = recorded(place(107, 400, 400, 200, 100)); // a line
    selectonly({l});
    flip(1); // horizontal: the same segment, drawn from the other end
    EXPECT_EQ(seg(l), V({400, 500, 600, 400}));
    IWO[l].y = 400, IWO[l].height = 100;
    flip(2); // vertical: the start is mirrored onto the far edge
    EXPECT_EQ(seg(l), V({400, 500, 600, 400}));
}

TEST_F(Transform, CropFitsThePage) {
    EXPECT_EQ(croptofit(), 0); // nothing to crop to: only a complaint
    EXPECT_NE(lines().find("You have not drawn any objects"), std::string::npos);
    recorded(place(101, 500, 300, 100, 100));
    recorded(place(101, 700, 500, 200, 200));
    IWODiagram.saved = 1;
    EXPECT_EQ(croptofit(), 1);
    EXPECT_EQ(V({IWODiagram.paperwidth, IWODiagram.paperheight, IWODiagram.saved}),
              V({600, 600, 0}));
    EXPECT_EQ(V({IWO[1].x, IWO[1].y, IWO[2].x}), V({100, 100, 300}));
    undohistory();

    // A line drawn up and left counts with both its ends.
    recorded(place(107, 1000, 1000, -200, -900));
    croptofit();
    EXPECT_EQ(V({IWODiagram.paperwidth, IWODiagram.paperheight}), V({700, 1100}));
}

// ---- with connectors ----

namespace {

// Two nodes joined by a connector, a third node joined to the second, and a
// loose rectangle, at indices 1 to 6.
void connectedscene() {
    int a = recorded(place(101, 300, 300, 300, 200));   // 1
    int b = recorded(place(105, 1000, 300, 300, 200));  // 2
    recorded(connect(a, 300, 100, b, 0, 100));          // 3
    int c = recorded(place(104, 1000, 1000, 300, 300)); // 4
    recorded(connect(b, 150, 200, c, 150, 0));          // 5
    recorded(place(101, 300, 1200, 200, 200));          // 6
    std::strcpy(IWO[a].label, "root");
    IWO[3].draw[2].kind = 21;
    resethistory();
}

} // namespace

// A focus connector's new attachment is part of the recorded change, so one
// undo and one redo give back the tables exactly (the other commands with
// connectors are the session undo-commands). A flip of connectors alone,
// without a shape to mirror in, changes nothing.
TEST_F(Transform, CommandsWithConnectorsUndoAndRedoExactly) {
    connectedscene();
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

// Duplicate copies the connectors of the copied nodes: between two copies,
// and from a copy to an original node or the other way round.
TEST_F(Transform, DuplicatedNodesKeepTheirConnectorBetweenTheCopies) {
    connectedscene();
    selectonly({1, 2});
    duplicate(); // copies 7, 8; connectors 9 (7 to 8) and 10 (8 to 4)
    selectonly({2, 4});
    duplicate();        // copies 11, 12; connectors 13 (1 to 11), 14 (11 to 12), 15 (8 to 12)
    const V id = ids(); // id[k - 1]: object k's
    ASSERT_EQ(id.size(), 15u);
    EXPECT_EQ(field({9, 10, 13, 14, 15}, &IWORecord::connectstart),
              V({id[6], id[7], id[0], id[10], id[7]}));
    EXPECT_EQ(field({9, 10, 13, 14, 15}, &IWORecord::connectend),
              V({id[7], id[3], id[10], id[11], id[11]}));
    EXPECT_EQ(seg(9), V({650, 450, 1050, 450}));
    EXPECT_EQ(seg(10), V({1200, 550, 1150, 1000}));
}
