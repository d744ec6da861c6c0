// Arrangements: the layouts on generated graphs, and the command on the
// sample diagrams (placement, order, connectors, the undo step).
#include "arrange/arrange.h"
#include "arrange/layout.h"
#include "testutil.h"

#include "app/clipboard.h"
#include "app/commands.h"
#include "app/menus.h"
#include "app/menustate.h"
#include "model/bytes.h"
#include "app/session.h"
#include "connect/connect.h"
#include "edit/history.h"
#include "model/diagram.h"
#include "model/iwo.h"
#include "model/settings.h"
#include "render/erase.h"
#include "store/diagramfile.h"

#include <algorithm>
#include <map>
#include <random>
#include <set>

namespace {

const ArrangeKind KINDS[] = {ArrangeKind::MindMap, ArrangeKind::Tree, ArrangeKind::TreeDown,
                             ArrangeKind::Flowchart};

long cx2(const ArrangeBox &b) { return 2L * b.x + b.w; }
long cy2(const ArrangeBox &b) { return 2L * b.y + b.h; }

// A tree of n nodes: every node but the first hangs from an earlier one.
ArrangeGraph randomtree(int n, unsigned seed) {
    std::mt19937 rng(seed);
    ArrangeGraph g;
    for (int v = 0; v < n; v++) {
        g.nodes.push_back({(int)(rng() % 2000), (int)(rng() % 2800), 60 + (int)(rng() % 140),
                           40 + (int)(rng() % 100)});
        if (v) g.edges.emplace_back((int)(rng() % v), v);
    }
    g.locked.assign(n, 0);
    return g;
}

// An outline of 490 items: a root, 7 chapters, 49 sections and 433 points.
ArrangeGraph outline490() {
    ArrangeGraph g;
    g.nodes.push_back({1000, 1000, 300, 120});
    for (int v = 1; v < 490; v++) {
        g.nodes.push_back({1000, 1000, 150 + (v * 37) % 100, 70});
        g.edges.emplace_back(v <= 7 ? 0 : v <= 56 ? 1 + (v - 8) % 7 : 8 + (v - 57) % 49, v);
    }
    g.locked.assign(490, 0);
    return g;
}

// Any graph: cycles, self-loops, repeated edges, parts of one node.
ArrangeGraph randomgraph(int n, int edges, unsigned seed) {
    std::mt19937 rng(seed);
    ArrangeGraph g = randomtree(n, seed);
    g.edges.clear();
    for (int e = 0; e < edges; e++) g.edges.emplace_back((int)(rng() % n), (int)(rng() % n));
    return g;
}

// The checks that hold for every arrangement.
void checkplaced(const ArrangeGraph &g, const ArrangeResult &r) {
    ASSERT_TRUE(r.ok) << r.why;
    ASSERT_EQ(r.nodes.size(), g.nodes.size());
    EXPECT_GE(r.pagewidth, g.pagewidth);
    EXPECT_GE(r.pageheight, g.pageheight);
    EXPECT_LE(r.pagewidth, g.maxpage);
    EXPECT_LE(r.pageheight, g.maxpage);
    for (size_t v = 0; v < g.nodes.size(); v++) {
        const ArrangeBox &b = r.nodes[v];
        EXPECT_EQ(b.w, g.nodes[v].w);
        EXPECT_EQ(b.h, g.nodes[v].h);
        const bool locked = v < g.locked.size() && g.locked[v];
        if (locked) {
            EXPECT_EQ(b.x, g.nodes[v].x) << "locked node " << v << " moved";
            EXPECT_EQ(b.y, g.nodes[v].y) << "locked node " << v << " moved";
            continue;
        }
        // Only nodes that take part in an edge move.
        EXPECT_GE(b.x, g.margin) << v;
        EXPECT_GE(b.y, g.margin) << v;
        EXPECT_LE(b.x + b.w, r.pagewidth - g.margin) << v;
        EXPECT_LE(b.y + b.h, r.pageheight - g.margin) << v;
        for (const ArrangeBox &o : g.obstacles) EXPECT_FALSE(boxesoverlap(b, o)) << v;
        for (size_t u = 0; u < v; u++)
            EXPECT_FALSE(boxesoverlap(b, r.nodes[u])) << "nodes " << u << " and " << v;
    }
}

// In a tree every node's children keep the order they had across the growth
// direction, and the parent is centred on its first and last child (but for
// the given root's, which a mind map splits between its sides).
void checkorder(const ArrangeGraph &g, const ArrangeResult &r, bool down, int skip = -1) {
    std::map<int, std::vector<int>> kids;
    for (const auto &[from, to] : g.edges)
        if (from != skip) kids[from].push_back(to);
    auto cross = [&](const ArrangeBox &b) { return down ? cx2(b) : cy2(b); };
    for (auto &[parent, list] : kids) {
        std::vector<int> before(list), after(list);
        std::stable_sort(before.begin(), before.end(), [&](int p, int q) {
            return cross(g.nodes[p]) != cross(g.nodes[q]) ? cross(g.nodes[p]) < cross(g.nodes[q])
                   : (down ? cy2(g.nodes[p]) : cx2(g.nodes[p])) !=
                           (down ? cy2(g.nodes[q]) : cx2(g.nodes[q]))
                       ? (down ? cy2(g.nodes[p]) : cx2(g.nodes[p])) <
                             (down ? cy2(g.nodes[q]) : cx2(g.nodes[q]))
                       : p < q;
        });
        auto other = [&](const ArrangeBox &b) { return down ? cy2(b) : cx2(b); };
        std::stable_sort(after.begin(), after.end(), [&](int p, int q) {
            return cross(r.nodes[p]) != cross(r.nodes[q]) ? cross(r.nodes[p]) < cross(r.nodes[q])
                                                          : other(r.nodes[p]) < other(r.nodes[q]);
        });
        EXPECT_EQ(before, after) << "children of " << parent;
        const long mid = (cross(r.nodes[before.front()]) + cross(r.nodes[before.back()])) / 2;
        EXPECT_NEAR(cross(r.nodes[parent]), mid, 3) << "parent " << parent << " not centred";
    }
}

} // namespace

TEST(ArrangeLayout, TreesAreTidyAndKeepTheirOrder) {
    for (unsigned seed = 1; seed <= 12; seed++) {
        const ArrangeGraph g = randomtree(5 + (int)seed * 4, seed);
        for (ArrangeKind kind : KINDS) {
            SCOPED_TRACE("seed " + std::to_string(seed) + " kind " + std::to_string((int)kind));
            const ArrangeResult r = arrangelayout(kind, g);
            checkplaced(g, r);
            if (r.ok && kind != ArrangeKind::Flowchart)
                checkorder(g, r, kind == ArrangeKind::TreeDown,
                           kind == ArrangeKind::MindMap ? 0 : -1);
        }
    }
}

// A refusal says why and moves nothing.
void checkrefused(const ArrangeGraph &g, const ArrangeResult &r) {
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.why.find("largest page"), std::string::npos) << r.why;
    for (size_t v = 0; v < g.nodes.size(); v++) {
        EXPECT_EQ(r.nodes[v].x, g.nodes[v].x);
        EXPECT_EQ(r.nodes[v].y, g.nodes[v].y);
    }
}

TEST(ArrangeLayout, BigOutlineFitsTheLargestPage) {
    // As a mind map or a tree it fits, the leaves in rows; 49 sections side by
    // side are wider than any page, in an organisation chart or in layers.
    const ArrangeGraph g = outline490();
    for (ArrangeKind kind : KINDS) {
        SCOPED_TRACE("kind " + std::to_string((int)kind));
        const ArrangeResult r = arrangelayout(kind, g);
        if (kind == ArrangeKind::TreeDown || kind == ArrangeKind::Flowchart) {
            checkrefused(g, r);
            continue;
        }
        checkplaced(g, r);
        if (r.ok && (kind == ArrangeKind::Tree || kind == ArrangeKind::TreeDown))
            checkorder(g, r, kind == ArrangeKind::TreeDown);
    }
}

TEST(ArrangeLayout, TreesGrowAwayFromTheRoot) {
    // A root with three children: the tree grows right, the organisation chart
    // down, the mind map to both sides of the root.
    ArrangeGraph g;
    g.nodes = {
        {500, 500, 200, 100}, {900, 300, 200, 100}, {900, 500, 200, 100}, {900, 700, 200, 100}};
    g.edges = {{0, 1}, {0, 2}, {0, 3}};
    ArrangeResult r = arrangelayout(ArrangeKind::Tree, g);
    ASSERT_TRUE(r.ok);
    for (int v = 1; v <= 3; v++) EXPECT_EQ(r.nodes[v].x, r.nodes[0].x + 200 + g.spacing);
    EXPECT_EQ(r.nodes[2].y - r.nodes[1].y, 100 + g.spacing / 2);
    // The root stays where it was.
    EXPECT_EQ(r.nodes[0].x, 500);
    EXPECT_EQ(r.nodes[0].y, 500);

    r = arrangelayout(ArrangeKind::TreeDown, g);
    ASSERT_TRUE(r.ok);
    for (int v = 1; v <= 3; v++) EXPECT_EQ(r.nodes[v].y, r.nodes[0].y + 100 + g.spacing);
    EXPECT_LT(r.nodes[1].x, r.nodes[2].x);
    EXPECT_LT(r.nodes[2].x, r.nodes[3].x);

    // All on the right: split, the first read clockwise on the right, the rest on the left.
    r = arrangelayout(ArrangeKind::MindMap, g);
    ASSERT_TRUE(r.ok);
    int right = 0, left = 0;
    for (int v = 1; v <= 3; v++) (r.nodes[v].x > r.nodes[0].x ? right : left)++;
    EXPECT_GE(right, 1);
    EXPECT_GE(left, 1);
    EXPECT_GT(r.nodes[1].x, r.nodes[0].x);
    EXPECT_LT(r.nodes[3].x, r.nodes[0].x);
    // Branches already on both sides keep their sides.
    g.nodes[1].x = 100;
    r = arrangelayout(ArrangeKind::MindMap, g);
    ASSERT_TRUE(r.ok);
    EXPECT_LT(r.nodes[1].x, r.nodes[0].x);
    EXPECT_GT(r.nodes[2].x, r.nodes[0].x);
    EXPECT_GT(r.nodes[3].x, r.nodes[0].x);
}

TEST(ArrangeLayout, SubtreesTuckInBesideTheirElderSiblings) {
    // r -> a (a leaf), r -> b -> b1, b2, b3: b's children rise beside a, whose
    // box they cannot meet, while b itself stays below a; and the other way
    // round, a leaf after a subtree tucks in under its parent.
    ArrangeGraph g;
    g.nodes = {{100, 1000, 200, 100}, {500, 500, 200, 100},  {500, 900, 200, 100},
               {900, 900, 200, 100},  {900, 1100, 200, 100}, {900, 1300, 200, 100}};
    g.edges = {{0, 1}, {0, 2}, {2, 3}, {2, 4}, {2, 5}};
    ArrangeResult r = arrangelayout(ArrangeKind::Tree, g);
    checkplaced(g, r);
    checkorder(g, r, false);
    const ArrangeBox &a = r.nodes[1], &b = r.nodes[2], &b1 = r.nodes[3];
    EXPECT_GE(b.y, a.y + a.h + g.spacing / 2);
    EXPECT_LT(b1.y, a.y + a.h) << "b's children stacked below a instead of beside it";
    // Mirrored: b before a.
    g.nodes[1].y = 1600;
    r = arrangelayout(ArrangeKind::Tree, g);
    checkplaced(g, r);
    checkorder(g, r, false);
    EXPECT_GE(r.nodes[1].y, r.nodes[2].y + 100 + g.spacing / 2);
    EXPECT_LT(r.nodes[1].y, r.nodes[5].y + 100) << "a stacked below b's children";
}

TEST(ArrangeLayout, CentralNodeIsTheOneReachingMost) {
    // 3 -> 0 -> 1 -> 2: node 3 reaches all; the tree grows from it.
    ArrangeGraph g;
    g.nodes = {{100, 100, 100, 50}, {300, 100, 100, 50}, {500, 100, 100, 50}, {700, 100, 100, 50}};
    g.edges = {{0, 1}, {1, 2}, {3, 0}};
    const ArrangeResult r = arrangelayout(ArrangeKind::Tree, g);
    ASSERT_TRUE(r.ok);
    EXPECT_LT(r.nodes[3].x, r.nodes[0].x);
    EXPECT_LT(r.nodes[0].x, r.nodes[1].x);
    EXPECT_LT(r.nodes[1].x, r.nodes[2].x);
    // A given root wins.
    g.root = 2;
    const ArrangeResult s = arrangelayout(ArrangeKind::Tree, g);
    EXPECT_LT(s.nodes[2].x, s.nodes[1].x);
    EXPECT_EQ(s.nodes[2].x, 500);
}

TEST(ArrangeLayout, AnyGraphArrangesWithoutOverlap) {
    for (unsigned seed = 1; seed <= 8; seed++) {
        const int n = 10 + (int)seed * 12;
        ArrangeGraph g = randomgraph(n, n * 3 / 2, seed);
        std::mt19937 rng(seed);
        for (int v = 0; v < n; v += 7) g.locked[v] = (char)(rng() % 2);
        g.obstacles = {{1000, 1000, 300, 300}, {50, 50, 200, 100}};
        for (ArrangeKind kind : KINDS) {
            SCOPED_TRACE("seed " + std::to_string(seed) + " kind " + std::to_string((int)kind));
            const ArrangeResult r = arrangelayout(kind, g);
            // Small graphs always fit; bigger ones may be refused, saying why.
            if (n > 60 && !r.ok)
                checkrefused(g, r);
            else
                checkplaced(g, r);
        }
    }
}

TEST(ArrangeLayout, FlowchartLayersFollowTheConnectors) {
    // A chain with a loop back: every step lies below the one before.
    ArrangeGraph g;
    for (int v = 0; v < 5; v++) g.nodes.push_back({100 * v, 100, 200, 80});
    g.edges = {{0, 1}, {1, 2}, {2, 3}, {3, 4}, {4, 1}, {2, 2}};
    const ArrangeResult r = arrangelayout(ArrangeKind::Flowchart, g);
    checkplaced(g, r);
    for (int v = 1; v < 5; v++) EXPECT_GT(r.nodes[v].y, r.nodes[v - 1].y + 80);
    // A decision's two ways keep their sides.
    ArrangeGraph d;
    d.nodes = {{500, 100, 100, 100}, {800, 400, 100, 50}, {200, 400, 100, 50}};
    d.edges = {{0, 1}, {0, 2}};
    const ArrangeResult s = arrangelayout(ArrangeKind::Flowchart, d);
    ASSERT_TRUE(s.ok);
    EXPECT_LT(s.nodes[2].x, s.nodes[1].x);
}

TEST(ArrangeLayout, LockedAndObstaclesAreAvoidedAndThePageGrows) {
    // A long chain does not fit an A5 page: the page grows, no more than needed.
    ArrangeGraph g;
    g.pagewidth = 1480;
    g.pageheight = 2100;
    for (int v = 0; v < 12; v++) {
        g.nodes.push_back({10, 10, 300, 100});
        if (v) g.edges.emplace_back(v - 1, v);
    }
    ArrangeResult r = arrangelayout(ArrangeKind::Tree, g);
    checkplaced(g, r);
    EXPECT_EQ(r.pagewidth, 10 + 12 * 300 + 11 * g.spacing + 10);
    EXPECT_EQ(r.pageheight, 2100);

    // Too long for the largest page: refused, saying so.
    for (int v = 0; v < 10; v++) g.nodes.push_back({10, 10, 300, 100});
    for (int v = 12; v < 22; v++) g.edges.emplace_back(v - 1, v);
    r = arrangelayout(ArrangeKind::Tree, g);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.why.find("largest page"), std::string::npos) << r.why;

    // A locked root stays; its children avoid a locked child and an obstacle
    // lying where they would go.
    ArrangeGraph h;
    h.nodes = {{500, 500, 200, 100}, {800, 500, 200, 100}, {800, 300, 200, 100}};
    h.locked = {1, 0, 1};
    h.edges = {{0, 1}, {0, 2}};
    h.obstacles = {{780, 420, 300, 300}};
    checkplaced(h, arrangelayout(ArrangeKind::Tree, h));
}

// ---- Pasted lines and the command line ----
// (The command on the diagram is tested by the scripted sessions arrange-*.)

class Arrange : public Core {};

namespace {

std::string labelof(int i) { return IWO[i].label; }
bool nodetype(int t) { return t != CONNECTORTYPE && t != LINETYPE && t != DEADTYPE; }

// No two shapes overlap, and the connectors' ends lie where their attachments say.
void checkplacedtable() {
    for (int i = 1; i < IWONumber; i++) {
        const IWORecord &c = IWO[i];
        for (int j = 1; j < i; j++) {
            if (!nodetype(c.type) || !nodetype(IWO[j].type)) continue;
            EXPECT_FALSE(boxesoverlap({c.x, c.y, c.width, c.height},
                                      {IWO[j].x, IWO[j].y, IWO[j].width, IWO[j].height}))
                << labelof(j) << " and " << labelof(i);
        }
        if (c.type != CONNECTORTYPE) continue;
        const int s = findIWObyid(c.connectstart), e = findIWObyid(c.connectend);
        ASSERT_TRUE(liveIWO(s) && liveIWO(e)) << "connector " << i;
        EXPECT_EQ(c.x, IWO[s].x + IWO[s].width * c.connectstartx / 100) << "connector " << i;
        EXPECT_EQ(c.y, IWO[s].y + IWO[s].height * c.connectstarty / 100) << "connector " << i;
        EXPECT_EQ(c.x + c.width, IWO[e].x + IWO[e].width * c.connectendx / 100) << i;
        EXPECT_EQ(c.y + c.height, IWO[e].y + IWO[e].height * c.connectendy / 100) << i;
    }
}

// "parent>child" for every connector, by labels.
std::set<std::string> edgesbylabel() {
    std::set<std::string> out;
    for (int i = 1; i < IWONumber; i++)
        if (IWO[i].type == CONNECTORTYPE)
            out.insert(labelof(findIWObyid(IWO[i].connectstart)) + ">" +
                       labelof(findIWObyid(IWO[i].connectend)));
    return out;
}

} // namespace

TEST(ArrangeCli, ArrangesAFileAndRefusesBadArguments) {
    TempDir t;
    const std::string in = fixture("../data/samples/mindmap.iwo"), out = t.path("out.iwo");
    std::string o, e;
    EXPECT_EQ(runcli("arrange " + in + " " + out + " --as tree", &o, &e), 0) << e;
    EXPECT_FALSE(slurp(out).empty());
    EXPECT_NE(slurp(out), slurp(in));
    struct Bad {
        std::string args, says;
        int rc;
    };
    const std::string to = " " + t.path("a.iwo") + " --as";
    const Bad bad[] = {
        {"arrange " + in + " " + t.path("a.iwo"), "needs --as", 1},
        {"arrange " + in + to + " circle", "not circle", 1},
        {"arrange " + in + to, "--as needs a value", 1},
        {"arrange " + in + to + " tree --focus x", "whole number", 1},
        {"arrange " + in + to + " tree --focus 999", "no object", 1},
        {"arrange " + in + " " + in + " --as tree", "must not be", 1},
        {"arrange " + t.path("none.iwo") + to + " tree", "", 2},
        {"arrange " + in + " " + t.path("no/dir/a.iwo") + " --as tree", "", 2},
        // Three shapes that no connector joins.
        {"arrange " + fixture("store/fixtures/three.iwo") + to + " mindmap", "nothing to arrange",
         2},
    };
    for (const Bad &b : bad) {
        e.clear();
        EXPECT_EQ(runcli(b.args, &o, &e), b.rc) << b.args << "\n" << e;
        EXPECT_NE(e.find(b.says), std::string::npos) << b.args << "\n" << e;
    }
    EXPECT_TRUE(slurp(t.path("a.iwo")).empty()) << "nothing written on a refusal";
}

// Several lines pasted make a branch: indentation gives the tree, one undo
// step takes it all away.
TEST_F(Arrange, PastedLinesMakeANewTree) {
    startnewdiagram();
    const std::vector<uint8_t> before = tableimage();
    ASSERT_EQ(pastetext("Party\r\n\tFood\n\t\tCake\n\n    Guests\n  \n"), 1) << lines();
    ASSERT_EQ(IWONumber, 1 + 4 + 3);
    EXPECT_EQ(edgesbylabel(), (std::set<std::string>{"Party>Food", "Food>Cake", "Party>Guests"}));
    checkplacedtable();
    for (int i = 1; i < IWONumber; i++) EXPECT_EQ(IWO[i].selected, 1);
    // The labels fit their shapes.
    EXPECT_GE(IWO[1].width, 200);
    undohistory();
    EXPECT_EQ(tableimage(), before);
    EXPECT_FALSE(canundo());
    redohistory();
    EXPECT_EQ(IWONumber, 8);
    // Lines without indentation hang from the first.
    startnewdiagram();
    ASSERT_EQ(pastetext("a\nb\nc"), 1);
    EXPECT_EQ(edgesbylabel(), (std::set<std::string>{"a>b", "a>c"}));
    // A single line (blank lines around it) stays a Text object.
    startnewdiagram();
    ASSERT_EQ(pastetext("\n  only one  \n\n"), 1);
    ASSERT_EQ(IWONumber, 2);
    EXPECT_EQ(IWO[1].type, TEXTTYPE);
    // More lines than the table has room for: refused, nothing changed.
    std::string many;
    for (int k = 0; k < 501; k++) many += "item " + std::to_string(k) + "\n";
    const std::vector<uint8_t> one = tableimage();
    EXPECT_EQ(pastetext(many), 0);
    EXPECT_NE(lines().find("limit of 1000 objects"), std::string::npos) << lines();
    EXPECT_EQ(tableimage(), one);
}

TEST_F(Arrange, PastedLinesHangFromTheSelectedShape) {
    startnewdiagram();
    const int root = place(105, 300, 1000, 300, 150, false);
    copytext(IWO[root].label, sizeof IWO[root].label, "Root");
    const int old = place(101, 800, 1000, 200, 100, false);
    copytext(IWO[old].label, sizeof IWO[old].label, "Old");
    connect(root, 300, 75, old, 0, 50);
    refreshIWOall();
    selectonly({root});
    const std::vector<uint8_t> before = tableimage();
    ASSERT_EQ(pastetext("One\nTwo\n  Three"), 1) << lines();
    EXPECT_EQ(IWONumber, 4 + 3 + 3);
    EXPECT_EQ(edgesbylabel(),
              (std::set<std::string>{"Root>Old", "Root>One", "Root>Two", "Two>Three"}));
    // The anchor and the shapes already there stay; the new ones are the anchor's type.
    EXPECT_EQ(IWO[root].x, 300);
    EXPECT_EQ(IWO[old].x, 800);
    EXPECT_EQ(IWO[root].locked, 0);
    EXPECT_EQ(IWO[5].type, 105);
    checkplacedtable();
    undohistory();
    EXPECT_EQ(tableimage(), before);
}
