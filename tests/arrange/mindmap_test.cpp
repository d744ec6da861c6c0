// Mind maps from the keyboard: the walk along the connectors, and a map built
// with Add Child and Add Sibling whose every step is checked as it is made.
#include "app/commands.h"
#include "app/session.h"
#include "arrange/layout.h"
#include "arrange/mindmap.h"
#include "connect/connect.h"
#include "edit/history.h"
#include "model/diagram.h"
#include "model/iwo.h"
#include "model/select.h"
#include "platform/raster.h"
#include "platform/window.h"
#include "render/erase.h"
#include "testutil.h"

#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace {

MapNode at(int x, int y, bool shown = true) { return {x, y, 100, 50, true, shown}; }

} // namespace

TEST(MapWalk, StepsAlongTheConnectors) {
    // 1 central; 2 and 3 on its right (top, bottom), 4 on its left; 5 and 6
    // under 2, 6 folded away; 7 a connector, no node; 5 -> 2 closes a cycle.
    MapLinks m;
    m.nodes = {MapNode{},    at(500, 500), at(700, 300),        at(700, 700),
               at(300, 500), at(900, 250), at(900, 350, false), MapNode{}};
    m.edges = {{1, 2}, {1, 3}, {1, 4}, {2, 6}, {2, 5}, {5, 2}};
    struct Case {
        int from;
        MapStep step;
        int to;
    } cases[] = {
        {2, MapStep::Parent, 1},     {5, MapStep::Parent, 2},     {1, MapStep::Parent, -1},
        {1, MapStep::FirstChild, 2}, {2, MapStep::FirstChild, 5}, {5, MapStep::FirstChild, -1},
        {2, MapStep::Next, 3},       {3, MapStep::Next, 4},       {4, MapStep::Next, -1},
        {4, MapStep::Previous, 3},   {2, MapStep::Previous, -1},  {5, MapStep::Next, -1},
        {6, MapStep::Parent, -1},    {7, MapStep::Parent, -1},    {0, MapStep::Next, -1},
        {99, MapStep::Parent, -1},
    };
    for (const Case &c : cases)
        EXPECT_EQ(mapstep(m, c.from, c.step), c.to) << c.from << " step " << (int)c.step;
    EXPECT_EQ(mapchildren(m, 1), (std::vector<int>{2, 3, 4})); // clockwise from the top
    EXPECT_EQ(mapchildren(m, 2), (std::vector<int>{5}));       // the folded one left out
}

class MindMap : public Core {
  protected:
    // The command of a row as a key or the menu runs it, its label answered.
    void add(Cmd id, const std::string &label) {
        ui.queueanswer(1, label);
        runcommand(commandrow(id));
    }
    // Node boxes of the diagram.
    std::vector<int> nodes() const {
        std::vector<int> out;
        for (int i = 1; i < IWONumber; i++)
            if (IWO[i].type != CONNECTORTYPE) out.push_back(i);
        return out;
    }
    int named(const std::string &label) const {
        for (int i = 1; i < IWONumber; i++)
            if (label == IWO[i].label) return i;
        return -1;
    }
};

TEST_F(MindMap, BuildsAThreeLevelMapStepByStep) {
    opendrawspacewindow(800, 600);
    startnewdiagram();
    place(101, 900, 1300, 310, 210);
    std::snprintf(IWO[1].label, sizeof IWO[1].label, "Root");
    const std::vector<std::pair<std::string, std::vector<std::string>>> plan = {
        {"A", {"A1", "A2", "A3", "A4"}},
        {"B", {"B1", "B2", "B3", "B4"}},
        {"C", {"C1", "C2", "C3", "C4"}},
        {"D", {"D1", "D2", "D3"}},
    };
    std::map<std::string, std::string> parentof;
    std::vector<std::string> order; // of the central node's children
    bool first = true;
    for (const auto &[branch, leaves] : plan) {
        std::vector<std::pair<Cmd, std::string>> steps;
        steps.emplace_back(first ? CMD_ADDCHILD : CMD_ADDSIBLING, branch);
        parentof[branch] = "Root";
        order.push_back(branch);
        for (size_t k = 0; k < leaves.size(); k++) {
            steps.emplace_back(k == 0 ? CMD_ADDCHILD : CMD_ADDSIBLING, leaves[k]);
            parentof[leaves[k]] = branch;
        }
        first = false;
        for (const auto &[cmd, label] : steps) {
            const std::vector<uint8_t> before = tableimage();
            add(cmd, label);
            const int n = named(label);
            ASSERT_GT(n, 0) << label << lines();
            EXPECT_EQ(selectedIWO, n);
            EXPECT_EQ(numIWOselected, 1);
            EXPECT_EQ(IWO[n].width, 310); // the selected node's size
            EXPECT_EQ(IWO[n].type, 101);
            const std::vector<uint8_t> after = tableimage();
            // The window shows the map as a fresh redraw paints it.
            const std::vector<uint8_t> shown = drawspacerp->Pixels;
            cleardrawspace(papercolour);
            refreshIWOall();
            EXPECT_TRUE(shown == drawspacerp->Pixels) << label;
            // Two steps: the label, then the node with its connector and place.
            undohistory();
            undohistory();
            EXPECT_EQ(tableimage(), before) << label;
            redohistory();
            redohistory();
            EXPECT_EQ(tableimage(), after) << label;
            EXPECT_EQ(selectedIWO, n) << label;
            EXPECT_EQ(numIWOselected, 1) << label;
        }
        selectmapnode(MapStep::Parent);
        ASSERT_EQ(IWO[selectedIWO].label, branch);
    }
    ASSERT_EQ(nodes().size(), 20u);

    // Every connector joins a parent to its child; no two boxes share area.
    int connectors = 0;
    for (int i = 1; i < IWONumber; i++) {
        if (IWO[i].type != CONNECTORTYPE) continue;
        connectors++;
        const int s = findIWObyid(IWO[i].connectstart), e = findIWObyid(IWO[i].connectend);
        ASSERT_TRUE(liveIWO(s) && liveIWO(e));
        EXPECT_EQ(parentof[IWO[e].label], IWO[s].label);
    }
    EXPECT_EQ(connectors, 19);
    const std::vector<int> ns = nodes();
    for (size_t a = 0; a < ns.size(); a++)
        for (size_t b = a + 1; b < ns.size(); b++) {
            const IWORecord &p = IWO[ns[a]], &q = IWO[ns[b]];
            EXPECT_FALSE(boxesoverlap({p.x, p.y, p.width, p.height}, {q.x, q.y, q.width, q.height}))
                << p.label << " " << q.label;
        }
    // The order they were added in: clockwise around the centre, top to
    // bottom under each branch.
    const MapLinks m = maplinksoftable();
    std::vector<std::string> got;
    for (int k : mapchildren(m, named("Root"))) got.push_back(IWO[k].label);
    EXPECT_EQ(got, order);
    for (const auto &[branch, leaves] : plan) {
        got.clear();
        for (int k : mapchildren(m, named(branch))) got.push_back(IWO[k].label);
        EXPECT_EQ(got, leaves);
        // A branch on the left grows left.
        const int b = named(branch), leaf = named(leaves[0]);
        EXPECT_EQ(IWO[leaf].x > IWO[b].x, IWO[b].x > IWO[named("Root")].x) << branch;
    }
    closedrawspacewindow();
}

TEST_F(MindMap, RefusalsLeaveTheDiagramAsItWas) {
    startnewdiagram();
    const int a = place(101, 900, 1300, 310, 210, false);
    const int b = place(101, 1500, 1300, 310, 210, false);
    const int c = connect(a, 310, 105, b, 0, 105);
    struct Case {
        const char *what;
        std::vector<int> selected;
        const char *says;
    } cases[] = {
        {"nothing selected", {}, "Select a node first"},
        {"a connector", {c}, "Select a node first"},
    };
    for (const Case &k : cases) {
        selectonly(std::initializer_list<int>{});
        for (int i : k.selected) selectonly({i});
        const std::vector<uint8_t> before = tableimage();
        const long writes = historywritecount();
        std::string why;
        EXPECT_EQ(addmapnode(false, why), 0) << k.what;
        EXPECT_NE(why.find(k.says), std::string::npos) << k.what << ": " << why;
        EXPECT_EQ(tableimage(), before) << k.what;
        EXPECT_EQ(historywritecount(), writes) << k.what;
        EXPECT_EQ(selectmapnode(MapStep::Parent), 0) << k.what;
        EXPECT_EQ(deletemapbranch(), 0) << k.what;
        EXPECT_EQ(foldmapbranch(), 0) << k.what;
    }
    // A full table: the node and its connector would pass the limit.
    selectonly({b});
    const int16_t count = IWONumber;
    IWONumber = MAXIWO; // 999 objects
    IWO[IWONumber].type = DEADTYPE;
    std::string why;
    EXPECT_EQ(addmapnode(true, why), 0);
    EXPECT_NE(why.find("1000"), std::string::npos) << why;
    EXPECT_EQ(IWONumber, MAXIWO);
    IWONumber = count;
    IWO[IWONumber].type = DEADTYPE;
}

TEST_F(MindMap, DeleteAndFoldAreOneStepEach) {
    startnewdiagram();
    place(101, 900, 1300, 310, 210);
    add(CMD_ADDCHILD, "A");
    add(CMD_ADDCHILD, "A1");
    add(CMD_ADDSIBLING, "A2");
    selectmapnode(MapStep::Parent);
    add(CMD_ADDSIBLING, "B");
    const int a = named("A");
    selectonly({a});
    // Fold hides A's children and the walk skips them; again shows them.
    const std::vector<uint8_t> shown = tableimage();
    ASSERT_EQ(foldmapbranch(), 1);
    EXPECT_EQ(IWO[named("A1")].visible, 0);
    EXPECT_EQ(IWO[named("A2")].visible, 0);
    selectonly({named("A")});
    EXPECT_EQ(selectmapnode(MapStep::FirstChild), 0);
    const std::vector<uint8_t> folded = tableimage();
    undohistory();
    EXPECT_EQ(tableimage(), shown);
    redohistory();
    EXPECT_EQ(tableimage(), folded);
    selectonly({named("A")});
    ASSERT_EQ(foldmapbranch(), 1);
    EXPECT_EQ(IWO[named("A1")].visible, 1);
    // Delete Node takes A, its children and their connectors, as one step.
    const std::vector<uint8_t> before = tableimage();
    selectonly({named("A")});
    ASSERT_EQ(deletemapbranch(), 1);
    EXPECT_EQ(named("A"), -1);
    EXPECT_EQ(named("A1"), -1);
    EXPECT_EQ(named("A2"), -1);
    EXPECT_GT(named("B"), 0);
    EXPECT_EQ(IWONumber, 4); // the centre, B and their connector
    undohistory();
    EXPECT_EQ(tableimage(), before);
}
