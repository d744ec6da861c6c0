// Selection: select all and deselect all, rubber bands, groups, locks, and
// applying a drag of the focus object to the whole selection.
#include "edit/selection.h"

#include "app/commands.h"
#include "app/menustate.h"
#include "app/tools.h"
#include "render/view.h"
#include "testutil.h"

using V = std::vector<int>;

namespace {

class Selection : public Core {
  protected:
    void SetUp() override {
        Core::SetUp();
        SnapToGrid = 0;
        IWODiagram.saved = 1;
        DiagramExists = 1;
    }
};

// The menu items that need a selection.
const Cmd SELECTIONITEMS[] = {CMD_CUT,          CMD_COPY,     CMD_DELETE,  CMD_PROPERTIES,
                              CMD_DUPLICATE,    CMD_TOBACK,   CMD_TOFRONT, CMD_LOCK,
                              CMD_CHANGETEXT,   CMD_HALFSIZE, CMD_GROUP,   CMD_CREATEUSER,
                              CMD_DELETEOBJECTS};

// Whether each of them is offered, as shown after the event.
std::vector<int> selectionitems(const HeadlessUI &ui) {
    showstates();
    std::vector<int> v;
    for (Cmd id : SELECTIONITEMS) v.push_back(ui.menuenabled(menunumber(id)));
    return v;
}

} // namespace

// Select all takes hidden and locked objects too and focuses the topmost;
// deselect all, also of an empty table, leaves no focus, takes away the menu
// items that need a selection and resets the drag state.
TEST_F(Selection, SelectAllAndDeselectAll) {
    selectall(0);
    EXPECT_EQ(selectedIWO, -99);

    place(101, 100, 100, 100, 100, false);
    IWO[place(101, 300, 100, 100, 100, false)].locked = 1;
    IWO[place(101, 500, 100, 100, 100, false)].visible = 0;
    selectedtool = 101;
    selectall(1);
    EXPECT_EQ(field({1, 2, 3}, &IWORecord::selected), V({1, 1, 1}));
    EXPECT_EQ(V({selectedIWO, numIWOselected, selectedtool}), V({3, 3, 32}));
    EXPECT_EQ(IWODiagram.saved, 1);

    EXPECT_EQ(selectionitems(ui), V(std::size(SELECTIONITEMS), 1));
    insideIWOx = 7, selectedIWOhandle = 8, connectstartIWO = 2, connectstartoffsetx = 5;
    IWO[SHADOWIWO].type = 101;
    selectall(0);
    EXPECT_EQ(field({1, 2, 3}, &IWORecord::selected), V({0, 0, 0}));
    EXPECT_EQ(V({selectedIWO, numIWOselected, IWOselected}), V({-99, 0, 0}));
    EXPECT_EQ(selectionitems(ui), V(std::size(SELECTIONITEMS), 0));
    EXPECT_EQ(V({insideIWOx, selectedIWOhandle, connectstartIWO, connectstartoffsetx}),
              V({0, 0, -5, -99}));
    EXPECT_EQ(IWO[SHADOWIWO].type, DEADTYPE);
}

// A rubber band selects only objects strictly inside it, whichever way it was
// drawn, never hidden ones, and counts each object once; the last one in
// table order becomes the focus.
TEST_F(Selection, RubberBandIsStrictInBothDirections) {
    place(101, 100, 100, 100, 100, false); // spans 100..200
    int b = place(101, 150, 150, 20, 20, false);
    int h = place(101, 120, 120, 20, 20, false);
    int far = place(101, 1000, 1000, 100, 100, false);
    IWO[h].visible = 0;
    auto band = [](int x1, int y1, int x2, int y2) {
        selectall(0);
        DragSelectx = (int16_t)x1, DragSelecty = (int16_t)y1;
        DragSelectwidth = (int16_t)x2, DragSelectheight = (int16_t)y2;
        CheckDragSelect();
        return field({1, 2, 3, 4}, &IWORecord::selected);
    };
    EXPECT_EQ(band(100, 99, 201, 201), V({0, 1, 0, 0})); // touches a's left edge
    EXPECT_EQ(band(99, 99, 200, 201), V({0, 1, 0, 0}));  // and its right edge
    for (auto c : {V{99, 99, 201, 201}, V{201, 201, 99, 99}, V{201, 99, 99, 201}}) {
        EXPECT_EQ(band(c[0], c[1], c[2], c[3]), V({1, 1, 0, 0}));
        EXPECT_EQ(V({numIWOselected, selectedIWO, DragSelectx, DragSelectheight}),
                  V({2, b, 99, 201}));
    }
    DragSelectx = 0, DragSelecty = 0, DragSelectwidth = 2000, DragSelectheight = 2000;
    CheckDragSelect();
    EXPECT_EQ(V({numIWOselected, selectedIWO}), V({3, far}));
}

// Group/Ungroup on a member of group 2 of 1..3: its members leave, group 3
// becomes 2, groupnum stays 3 and the next group is 4. groupselect reaches a
// whole group. Without a focus object nothing happens.
TEST_F(Selection, GroupsNumberingAndSelection) {
    for (int i = 0; i < 5; i++) place(101, 100 + 200 * i, 100, 100, 100, false);
    IWO[1].group = IWO[2].group = 1;
    IWO[3].group = 2;
    IWO[4].group = 3;
    groupnum = 3;
    selectonly({2});
    groupselect(1);
    EXPECT_EQ(field({1, 2, 3}, &IWORecord::selected), V({1, 1, 0}));
    groupselect(0);
    EXPECT_EQ(field({1, 2, 3}, &IWORecord::selected), V({0, 0, 0}));

    selectonly({3});
    creategroup();
    EXPECT_EQ(field({1, 2, 3, 4, 5}, &IWORecord::group), V({1, 1, -99, 2, 0}));
    EXPECT_EQ(groupnum, 3);
    EXPECT_EQ(IWODiagram.saved, 0);
    selectall(0);
    selectonly({3, 5});
    creategroup();
    EXPECT_EQ(field({1, 2, 3, 4, 5}, &IWORecord::group), V({1, 1, 4, 2, 4}));

    selectall(0);
    IWO[1].selected = 1;
    creategroup();
    groupselect(1);
    EXPECT_EQ(V({IWO[1].group, IWO[2].selected, groupnum}), V({1, 0, 4}));
}

// A resize of the focus changes every selected, unlocked object alike, with
// the 20-unit minimum for shapes; lines may get any width, even negative.
TEST_F(Selection, MoveGroupResizesWithMinimumSizes) {
    int narrow = place(101, 100, 100, 30, 100, false);
    int wide = place(101, 300, 100, 100, 100, false);
    int l1 = place(107, 100, 1000, 30, 40, false);
    int l2 = place(107, 300, 1000, 10, 40, false);
    int fixed = place(101, 600, 100, 30, 30, false);
    int other = place(101, 900, 100, 30, 30, false);
    IWO[fixed].locked = 1;
    selectonly({narrow, l1, l2, fixed, wide});
    outline(wide, 0, 0, -20, -90);
    movegroup(wide);
    EXPECT_EQ(field({narrow, wide, l1, l2, fixed, other}, &IWORecord::width),
              V({20, 80, 10, -10, 30, 30}));
    EXPECT_EQ(field({narrow, wide, l2}, &IWORecord::height), V({20, 20, -50}));
    EXPECT_EQ(IWODiagram.saved, 0);
}

// A move takes every selected, unlocked object along while a locked one
// stays; connectors follow the moved objects; one undo puts all back.
TEST_F(Selection, MoveGroupMovesSelectionAndConnectorsFollow) {
    resethistory();
    int a = place(101, 100, 100, 200, 200, false);
    int b = place(101, 600, 100, 200, 200, false);
    int fixed = place(101, 1100, 100, 200, 200, false);
    int stay = place(101, 100, 1000, 200, 200, false);
    int ab = connect(a, 100, 100, b, 100, 100);
    int as = connect(a, 100, 100, stay, 0, 0);
    IWO[fixed].locked = 1;
    selectonly({a, ab, fixed, b});
    outline(b, 100, 50, 0, 0);
    movegroup(b);
    EXPECT_EQ(field({a, b, fixed, stay}, &IWORecord::x), V({200, 700, 1100, 100}));
    EXPECT_EQ(seg(ab), V({300, 250, 800, 250}));
    EXPECT_EQ(IWO[ab].connectstartx, 50);
    EXPECT_EQ(seg(as), V({300, 250, 100, 1000}));
    undohistory();
    EXPECT_EQ(field({a, b, ab, as}, &IWORecord::x), V({100, 600, 200, 200}));
}

// A connector drawn leftward and upward has a negative width and height; a
// click on it must not resize it to the 20-unit minimum (which would tear it
// from its attachment). Nothing changed, so nothing is marked modified; an
// invalid focus index moves nothing.
TEST_F(Selection, MoveGroupLeavesLeftwardConnectorAlone) {
    int a = place(101, 100, 100, 200, 200, false);
    int b = place(101, 800, 800, 200, 200, false);
    int c = connect(b, 100, 100, a, 100, 100); // (900,900) -> (200,200)
    selectonly({c});
    outline(c, 0, 0, 0, 0);
    movegroup(c);
    EXPECT_EQ(seg(c), V({900, 900, 200, 200}));
    EXPECT_EQ(V({IWO[c].connectstartx, IWO[c].connectendx}), V({50, 50}));
    EXPECT_EQ(IWODiagram.saved, 1);
    outline(c, 100, 100, 0, 0);
    movegroup(-99);
    movegroup(IWONumber);
    EXPECT_EQ(IWO[c].x, 900);
}
