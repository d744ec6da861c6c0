// Mind maps from the keyboard: the walk along the connectors, and the
// refusals of the commands.
#include "app/session.h"
#include "arrange/mindmap.h"
#include "edit/history.h"
#include "model/bytes.h"
#include "model/diagram.h"
#include "model/iwo.h"
#include "testutil.h"

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

// Building a map from the keyboard, folding and deleting branches are tested by
// the scripted sessions mindmap-*; here what they can't reach.
using MindMap = Core;

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
    // One object number short: the node and its connector need two.
    IWOid = 32766;
    const std::vector<uint8_t> before = tableimage();
    EXPECT_EQ(addmapnode(false, why), 0);
    EXPECT_NE(why.find("No more object numbers"), std::string::npos) << why;
    EXPECT_EQ(tableimage(), before);
    IWOid = 32765;
    EXPECT_GT(addmapnode(false, why), 0) << why;
    EXPECT_EQ(IWOid, 32767);
}

// A new node looks like the node it was added from: shape, size, pens, font,
// label placement and background; only the label is its own.
TEST_F(MindMap, NewNodeLooksLikeItsNode) {
    startnewdiagram();
    const int a = place(105, 900, 1300, 400, 250, false);
    IWORecord &r = IWO[a];
    r.font.ta_YSize = 24;
    r.font.ta_Style = 1;
    r.fontcolour = 3;
    r.labelcolour = 5;
    r.labelfilled = !labelfilled; // not what new objects get
    r.labelx = 30;
    r.labely = 70;
    copytext(r.label, sizeof r.label, "Root");
    selectonly({a});
    std::string why;
    const int k = addmapnode(false, why);
    ASSERT_GT(k, a) << why;
    const IWORecord &n = IWO[k];
    auto look = [](const IWORecord &o) {
        return std::vector<int>({o.type, o.width, o.height, o.linecolour, o.lineweight,
                                 o.fillcolour, o.font.ta_YSize, o.font.ta_Style, o.fontcolour,
                                 o.labelcolour, o.labelfilled, o.labelx, o.labely});
    };
    EXPECT_EQ(look(n), look(IWO[a]));
    EXPECT_EQ(n.label[0], 0);
}
