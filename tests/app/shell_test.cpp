// The menu numbers' dispatch, the check marks, the history's state and the
// event dispatch's quit rules (the palette's tabs are the session palette-tabs).
#include "app/mainloop.h"
#include "app/menus.h"
#include "app/menustate.h"
#include "app/toolbar.h"
#include "edit/history.h"
#include "app/tools.h"
#include "model/settings.h"
#include "platform/window.h"
#include "render/view.h"
#include "testutil.h"

#include <cstring>
#include <string>

namespace {

// With the drawing window open, as the program runs.
class Shell : public Core {
  protected:
    void SetUp() override {
        Core::SetUp();
        opendrawspacewindow(400, 300);
    }
    void TearDown() override {
        closedrawspacewindow();
        Core::TearDown();
    }
};

} // namespace

// The check marks show ShowGrid and SnapToGrid, also after the menu toggled
// them.
TEST_F(Shell, CheckMarksFollowTheGrid) {
    DiagramExists = 1;
    ShowGrid = 1;
    SnapToGrid = 0;
    const int grid = menunumber(CMD_SHOWGRID), snap = menunumber(CMD_SNAPTOGRID);
    auto checks = [&] { return std::vector<int>({ui.menuchecked(grid), ui.menuchecked(snap)}); };
    iwevent(DRAWSPACEWINDOW, IW_MOUSEMOVE, 0);
    EXPECT_EQ(checks(), std::vector<int>({1, 0}));
    iwevent(DRAWSPACEWINDOW, IW_MENUPICK | grid, grid);
    iwevent(DRAWSPACEWINDOW, IW_MENUPICK | snap, snap);
    EXPECT_EQ(std::vector<int>({ShowGrid, SnapToGrid}), std::vector<int>({0, 1}));
    EXPECT_EQ(checks(), std::vector<int>({0, 1}));
}

// A break request quits after the event being handled, whatever the handler
// said, and is spent by it. A menu number that matches no item does nothing
// and never quits.
TEST_F(Shell, BreakQuitsAfterTheCurrentEvent) {
    for (int number : {MENUNULL, FULLMENUNUM(0, 3), FULLMENUNUM(0, 40), FULLMENUNUM(7, 0)})
        EXPECT_EQ(processMenus(number), 0) << number;
    EXPECT_EQ(lines(), "");
    EXPECT_EQ(iwevent(DRAWSPACEWINDOW, IW_MOUSEMOVE, 0), 0);
    requestbreak();
    EXPECT_EQ(iwevent(SHAPEWINDOW, IW_GADGETHELP | 22, 0), 1);
    EXPECT_EQ(iwevent(DRAWSPACEWINDOW, IW_MOUSEMOVE, 0), 0);
    // The handlers' own quit comes through.
    ui.queueanswer(1);
    EXPECT_EQ(iwevent(IDEAWEAVEWINDOW, IW_CLOSEWINDOW, 0), 1);
    ui.queueanswer(0);
    EXPECT_EQ(iwevent(IDEAWEAVEWINDOW, IW_GADGETUP | 30, 0), 0);
}

// Undo stays available when the ring has wrapped round to position 0 with
// steps behind it, and Redo when the history was undone to its start.
TEST_F(Shell, UndoItemsFollowTheRing) {
    auto undoredo = [] {
        const ProgramState s = currentstate();
        return std::vector<bool>({s.canundo, s.canredo});
    };
    resethistory();
    history[MAXHISTORY].kind = HISTORY_MODIFY;
    historynum = 0;
    EXPECT_EQ(undoredo(), std::vector<bool>({true, false}));
    resethistory();
    history[0].kind = HISTORY_MODIFY;
    historynum = 0;
    EXPECT_EQ(undoredo(), std::vector<bool>({false, true}));
    historynum = MAXHISTORY + 7; // out of the ring: read as 0, and left alone
    EXPECT_EQ(undoredo(), std::vector<bool>({false, true}));
    EXPECT_EQ(historynum, MAXHISTORY + 7);
    resethistory();
    EXPECT_EQ(undoredo(), std::vector<bool>({false, false}));
}

// Node checks the focus index before use; Change Text with nothing selected
// asks nothing. Neither marks the diagram modified when nothing changed.
TEST_F(Shell, NodeAndChangeTextNeedTheirObjects) {
    DiagramExists = 1;
    IWODiagram.saved = 1;
    for (int focus : {-99, 0, 1, 999, 1009, 32000}) {
        selectedIWO = (int16_t)focus;
        EXPECT_EQ(nodecommand(), 1);
    }
    EXPECT_EQ(changetext(), 1);
    EXPECT_EQ(lines(), "");
    EXPECT_EQ(IWODiagram.saved, 1);
}
