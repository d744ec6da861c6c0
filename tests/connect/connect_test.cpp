// Connectors: end points that follow their objects, attachments recomputed
// from geometry, deletion with their objects, folding, copying on duplication.
#include "connect/connect.h"
#include "model/clones.h"
#include "platform/raster.h"
#include "platform/window.h"
#include "render/view.h"
#include "testutil.h"

using V = std::vector<int>;

namespace {
class Connectors : public Core {
  protected:
    void SetUp() override {
        Core::SetUp();
        SnapToGrid = 0;
    }
};
} // namespace

// Ends are percentages of the attached boxes (truncated) and follow the
// objects when they move or are resized.
TEST_F(Connectors, EndsFollowMovedAndResizedObjects) {
    int a = place(101, 100, 100, 310, 210, false);
    int b = place(101, 800, 100, 200, 100, false);
    int c = connect(a, 155, 105, b, 0, 50);
    EXPECT_EQ(
        V({IWO[c].connectstartx, IWO[c].connectstarty, IWO[c].connectendx, IWO[c].connectendy}),
        V({50, 50, 0, 50}));
    EXPECT_EQ(connections(IWO[a]), 1);
    IWO[a].x = 200, IWO[a].width = 101; // 50 % of 101 is 50
    calcconnectorpoints(a);
    EXPECT_EQ(seg(c), V({250, 205, 800, 150}));
    IWO[b].x = 1200, IWO[b].y = 400, IWO[b].height = 300;
    calcconnectorpoints(b);
    EXPECT_EQ(seg(c), V({250, 205, 1200, 550}));
}

// A connector attached to a connector follows it, down a chain; an object of
// zero height gives percentage 0.
TEST_F(Connectors, ChainsOfConnectorsFollow) {
    int a = place(101, 100, 100, 200, 200, false);
    int b = place(101, 1000, 100, 200, 200, false);
    int d = place(101, 500, 1000, 200, 200, false);
    int c1 = connect(a, 100, 100, b, 100, 100); // level: height 0
    int c2 = connect(c1, 450, 0, d, 100, 0);    // from the middle of c1
    int c3 = connect(c2, 0, 0, d, 0, 0);
    EXPECT_EQ(V({IWO[c2].connectstartx, IWO[c2].connectstarty}), V({50, 0}));
    IWO[a].y = 500;
    calcconnectorpoints(a);
    EXPECT_EQ(seg(c1), V({200, 600, 1100, 200}));
    EXPECT_EQ(seg(c2), V({650, 600, 600, 1000}));
    EXPECT_EQ(seg(c3), V({650, 600, 500, 1000}));
}

// Loops of attachments (a damaged file can hold them) end every recursion.
TEST_F(Connectors, LoopsOfConnectorsTerminate) {
    int a = place(101, 100, 100, 200, 200, false);
    int b = place(101, 1000, 100, 200, 200, false);
    int c1 = connect(a, 100, 100, b, 100, 100);
    int c2 = connect(c1, 0, 0, b, 0, 0);
    IWO[c1].connectend = IWO[c2].id; // c1 ends on c2, which starts on c1
    IWO[c1].connectendx = IWO[c1].connectendy = 100;
    connections(IWO[c2]) = 1;
    IWO[a].x = 300;
    calcconnectorpoints(a);
    calcconnectorpoints(c2);
    EXPECT_EQ(IWO[c1].x, 400);
    IWO[c1].fold = 1;
    foldnode(c1);
    V before = ids();
    deleteconnector(a);
    EXPECT_EQ(ids(), V({before[0], before[1]}));
}

// A connector whose attached object is gone (or a dead record) keeps its
// geometry and attachment; deleting it while it is the focus clears the focus.
TEST_F(Connectors, MissingObjectsAndDeadIndices) {
    int a = place(101, 100, 100, 200, 200, false);
    int b = place(101, 1000, 100, 200, 200, false);
    int c = connect(a, 100, 100, b, 100, 100);
    IWO[c].connectend = 999;
    V old = seg(c);
    IWO[a].x = 500;
    calcconnectorpoints(a);
    EXPECT_EQ(seg(c), old);
    IWO[c].x = 50;
    resetconnectorpoints(c);
    EXPECT_EQ(V({IWO[c].x, IWO[c].connectstartx}), V({50, 50}));
    IWO[c].connectend = IWO[b].id;
    deleteIWO(a); // id -99 must not match anything
    calcconnectorpoints(a);
    EXPECT_EQ(IWO[c].x, 50);

    selectedIWO = (int16_t)c;
    deleteconnector(0);
    deleteconnector(IWONumber);
    EXPECT_EQ(IWONumber, 4);
    EXPECT_EQ(deleteconnector(b), 0);
    EXPECT_EQ(V({IWONumber, selectedIWO}), V({3, -99}));
}

// Attachments from geometry: ends that left their objects are pulled back to
// the nearest edge and the segment follows; without the clamp flags the
// percentages may lie outside 0..100; zero size gives 0.
TEST_F(Connectors, ResetClampsEndsBackOntoTheirObjects) {
    int a = place(101, 100, 100, 200, 200, false);
    int b = place(101, 1000, 100, 200, 200, false);
    int c = connect(a, 100, 100, b, 100, 100);
    IWO[c].x += 50, IWO[c].y += 20;
    resetconnectorpoints(c);
    EXPECT_EQ(V({IWO[c].connectstartx, IWO[c].connectstarty, IWO[c].connectendx}), V({75, 60, 75}));
    EXPECT_EQ(seg(c), V({250, 220, 1150, 220}));
    IWO[c].x = 20, IWO[c].width = 1000; // start left of a
    resetconnectorpoints(c);
    EXPECT_EQ(V({IWO[c].connectstartx, IWO[c].connectendx}), V({0, 10}));
    EXPECT_EQ(seg(c), V({100, 220, 1020, 220}));

    IWO[c].connectstartclamp = IWO[c].connectendclamp = 0;
    IWO[c].x = 0, IWO[c].y = 400;
    resetconnectorpoints(c);
    EXPECT_EQ(V({IWO[c].connectstartx, IWO[c].connectstarty, IWO[c].x}), V({-50, 150, 0}));
    IWO[a].width = IWO[a].height = 0;
    remakeconnectors();
    EXPECT_EQ(V({IWO[c].connectstartx, IWO[c].connectstarty}), V({0, 0}));
}

// Deleting a node deletes every connector to or from it and those attached to
// them, wherever they lie in the table; the focus keeps naming its record.
// Each connector is recorded as deleted with the node at the index it had
// when it went, so one undo puts every record back in its place.
TEST_F(Connectors, DeletingANodeDeletesItsConnectorsRecursively) {
    resethistory();
    int k = place(101, 100, 100, 200, 200, false);   // 1
    int b = place(101, 1000, 100, 200, 200, false);  // 2
    int c1 = connect(k, 100, 100, b, 0, 0);          // 3
    int x = place(101, 100, 1000, 200, 200, false);  // 4
    connect(c1, 10, 0, b, 50, 50);                   // 5, on c1, above it
    int y = place(101, 1000, 1000, 200, 200, false); // 6
    connect(y, 0, 0, k, 0, 0);                       // 7, into k
    int c4 = connect(x, 0, 0, y, 0, 0);              // 8, unrelated
    V before = ids();
    V after = {before[k - 1], before[b - 1], before[x - 1], before[y - 1], before[c4 - 1]};
    selectedIWO = (int16_t)y;

    deleteconnector(k);
    EXPECT_EQ(ids(), after);
    EXPECT_EQ(IWO[selectedIWO].id, before[y - 1]);
    EXPECT_EQ(V({history[0].kind, history[1].kind, history[2].kind, history[3].kind}),
              V({6, 6, 6, 0}));
    savehistorypre(1); // the node's own deletion
    savehistorypost(1, 5);
    downjigIWO(1);
    undohistory();
    EXPECT_EQ(ids(), before);
}

// Folding hides exactly the branch: the end node and all reachable from it
// through outgoing connectors. The parent, the folded connector and a
// connector into the branch from outside stay; a back edge to the parent and
// a cycle inside the branch end the walk. Unfolding shows it all again.
TEST_F(Connectors, FoldHidesAndUnfoldShowsExactlyTheBranch) {
    int p = place(101, 100, 100, 200, 200, false);
    int n1 = place(101, 500, 100, 200, 200, false);
    int n2 = place(101, 900, 100, 200, 200, false);
    int n3 = place(101, 900, 500, 200, 200, false);
    int n4 = place(101, 1300, 100, 200, 200, false);
    int u = place(101, 100, 900, 200, 200, false);
    int c1 = connect(p, 0, 0, n1, 0, 0);
    connect(n1, 0, 0, n2, 0, 0);
    connect(n1, 0, 0, n3, 0, 0);
    connect(n2, 0, 0, n4, 0, 0);
    connect(n4, 0, 0, p, 0, 0);  // back to the parent
    connect(n3, 0, 0, n1, 0, 0); // cycle inside the branch
    connect(u, 0, 0, n2, 0, 0);  // from outside into the branch
    // The objects' visibility, then whether the parent shows its branch folded.
    auto visibility = [&] {
        V v;
        for (int k = 1; k < IWONumber; k++) v.push_back(IWO[k].visible);
        v.push_back(IWO[p].nodefold);
        return v;
    };
    IWO[c1].fold = 1;
    foldnode(c1);
    EXPECT_EQ(visibility(), V({1, 0, 0, 0, 0, 1, 1, 0, 0, 0, 0, 0, 1, 1}));
    IWO[c1].fold = 0;
    foldnode(c1);
    EXPECT_EQ(visibility(), V({1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0}));
}

// Duplicate copies connectors only for the clone entries in use: not for one
// past the count, nor for reset ones (what is copied is in the Transform tests).
TEST_F(Connectors, DuplicateReadsOnlyTheCloneEntriesInUse) {
    int a = place(101, 100, 100, 200, 200, false);
    int b = place(101, 1000, 100, 200, 200, false);
    connect(a, 100, 100, b, 100, 100);
    resetclones();
    clones = 0;
    duplicateIWO(a);
    clones = 1;
    clone_[1] = CloneEntry{(int16_t)a, IWO[a].id, (int16_t)b, IWO[b].id}; // not in use
    duplicateconnectors();
    EXPECT_EQ(IWONumber, 6); // and the copy of a's connector to b
    resetclones();
    clones = 3;
    duplicateconnectors();
    EXPECT_EQ(IWONumber, 6);
}

// Recomputing many objects' connectors at once gives what one call per object
// gives, on chains, loops, a repeated id and a missing end: the same records
// and, when erasing, the same pixels; without erasing the window is left as
// it was.
TEST_F(Connectors, ManyAtOnceMatchOneByOne) {
    opendrawspacewindow(800, 600);
    DiagramExists = 1;
    setbitmapsize();
    int a = place(101, 100, 100, 200, 200, false);
    int b = place(101, 1000, 100, 200, 200, false);
    int d = place(101, 500, 1000, 200, 200, false);
    int c1 = connect(a, 100, 100, b, 100, 100);
    int c2 = connect(c1, 450, 0, d, 100, 0);
    int c3 = connect(c2, 0, 0, d, 0, 0);
    int c4 = connect(c3, 0, 0, c1, 0, 0);
    IWO[c2].connectstart = IWO[c4].id; // a loop: c2 starts on c4, which ends on c1
    int c5 = connect(b, 0, 0, d, 0, 0);
    IWO[c5].connectend = 999;
    int e = place(101, 1500, 900, 100, 100, false);
    connect(e, 0, 0, a, 50, 50);
    IWO[e].id = IWO[b].id; // a damaged file's repeated id
    recountconnections();
    for (int k : {a, b, d, e}) IWO[k].x = (int16_t)(IWO[k].x + 37 * k), IWO[k].y += 11;
    const std::vector<IWORecord> moved(IWO + 1, IWO + IWONumber);
    std::fill(drawspacerp->Pixels.begin(), drawspacerp->Pixels.end(), 200); // erasing shows
    const std::vector<uint8_t> pixels = drawspacerp->Pixels;
    const V objects{d, a, e, b, c4};
    for (int k : objects) calcconnectorpoints(k);
    const std::vector<uint8_t> table = tableimage(), drawn = drawspacerp->Pixels;
    EXPECT_NE(seg(c1), V({200, 200, 1100, 200}));
    EXPECT_NE(drawn, pixels);
    for (bool erase : {true, false}) {
        std::copy(moved.begin(), moved.end(), IWO + 1);
        drawspacerp->Pixels = pixels;
        calcconnectorpointsof(objects, erase);
        EXPECT_EQ(tableimage(), table);
        EXPECT_EQ(drawspacerp->Pixels, erase ? drawn : pixels);
    }
}
