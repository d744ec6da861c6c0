// Selection: select all and deselect all, and groups and drags that change
// nothing (rubber bands, groups and drags of the selection are the sessions
// rubber-band, rubber-band-hidden and selection-drags).
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

// Without a focus object Group/Ungroup does nothing, and a drag of a focus
// that isn't in the table moves nothing; a drag of a leftward connector that
// didn't move keeps it as it was. What groups and drags of the focus do
// to the selection is the session selection-drags.
TEST_F(Selection, NothingChangesWithoutAFocusOrAMove) {
    place(101, 100, 100, 100, 100, false);
    place(101, 300, 100, 100, 100, false);
    IWO[1].group = IWO[2].group = 1;
    groupnum = 1;
    IWO[1].selected = 1;
    creategroup();
    groupselect(1);
    EXPECT_EQ(V({IWO[1].group, IWO[2].selected, groupnum}), V({1, 0, 1}));
    outline(1, 100, 100, 0, 0);
    movegroup(-99);
    movegroup(IWONumber);
    EXPECT_EQ(IWO[1].x, 100);
    // A connector drawn leftward and upward, its own outline unmoved: it isn't
    // resized to the 20-unit minimum and torn from its attachments.
    const int c = connect(2, 50, 90, 1, 50, 10); // (350,190) -> (150,110)
    selectonly({c});
    outline(c, 0, 0, 0, 0);
    movegroup(c);
    EXPECT_EQ(V({IWO[c].connectstartx, IWO[c].connectendx, IWO[c].width, IWO[c].height}),
              V({50, 50, -200, -80}));
}
