// No outline is left on the page by a command: with any tool chosen and its
// outline following the pointer, every menu command and every key leaves the
// window as a full redraw of the diagram would paint it.
#include "app/commands.h"
#include "app/mainloop.h"
#include "app/menus.h"
#include "app/menustate.h"
#include "app/session.h"
#include "model/settings.h"
#include "platform/buttons.h"
#include "platform/raster.h"
#include "platform/window.h"
#include "render/erase.h"
#include "render/view.h"
#include "store/userobjects.h"
#include "testutil.h"

#include <functional>
#include <string>
#include <vector>

namespace {

class Ghosts : public Core {
  protected:
    void SetUp() override {
        Core::SetUp();
        opendrawspacewindow(800, 600);
        setupinterface();
        resetinterface();
        startnewdiagram();
    }
    void TearDown() override {
        closedrawspacewindow();
        Core::TearDown();
    }

    // Two shapes joined by a connector, a user object in slot 1, the tool
    // chosen and the pointer resting on the page.
    void arm(int tool) {
        startnewdiagram();
        place(RECTANGLETYPE, 400, 400, 310, 210, false);
        place(ELLIPSETYPE, 1200, 900, 310, 210, false);
        connect(1, 155, 105, 2, 155, 105);
        IWORecord &t = userIWO[1];
        t = IWO[1];
        t.type = 132;
        showstates(); // the user tool is offered with its object
        refreshIWOall();
        if (tool == SELECTTOOL || tool == TEXTTOOL)
            iwevent(IDEAWEAVEWINDOW, IW_GADGETUP | tool, 0);
        else
            iwevent(SHAPEWINDOW, IW_GADGETUP | tool, 0);
        movepointer(300, 250);
    }
    void movepointer(int x, int y) {
        setpointerposition(x, y);
        iwevent(DRAWSPACEWINDOW, IW_MOUSEMOVE, 0);
    }
    // A press at (x, y), the pointer moved through the points, and a release.
    void drag(int x, int y, const std::vector<std::pair<int, int>> &path) {
        movepointer(x, y);
        iwevent(DRAWSPACEWINDOW, IW_MOUSEBUTTONS, IW_SELECTDOWN);
        for (const auto &[px, py] : path) movepointer(px, py);
        iwevent(DRAWSPACEWINDOW, IW_MOUSEBUTTONS, IW_SELECTUP);
    }
    // The window without the outline that follows the pointer, and the same
    // window painted afresh.
    void expectclean(const std::string &what) {
        movepointer(320, 270);
        removeshadowiwo();
        const std::vector<uint8_t> shown = drawspacerp->Pixels;
        cleardrawspace(papercolour);
        refreshIWOall();
        EXPECT_TRUE(shown == drawspacerp->Pixels) << what << " with tool " << selectedtool;
    }
};

} // namespace

// Every menu command, every key (alone and with Alt) and every toolbar button.
TEST_F(Ghosts, NoOutlineOutlivesAMenuCommandAKeyOrAButton) {
    std::vector<std::pair<std::string, std::function<void()>>> events;
    for (const CommandRow *e = commandtable(); e->kind != ROW_END; e++) {
        // Quit and Close leave no page to compare.
        if (e->kind != ROW_ITEM || e->id == CMD_QUIT || e->id == CMD_CLOSE) continue;
        const int num = menunumber(e->id);
        events.push_back({std::string("menu ") + e->name,
                          [num] { iwevent(DRAWSPACEWINDOW, IW_MENUPICK | num, num); }});
    }
    for (int alt = 0; alt <= 1; alt++)
        for (int key : {KEY_F, KEY_INSERT, KEY_DEL, KEY_TAB, KEY_UP, KEY_DOWN, KEY_LEFT, KEY_RIGHT,
                        KEY_LALT, KEY_LSHIFT})
            events.push_back({"key " + std::to_string(key) + (alt ? " with Alt" : ""), [=] {
                                  if (alt) iwevent(DRAWSPACEWINDOW, IW_RAWKEY, KEY_LALT);
                                  iwevent(DRAWSPACEWINDOW, IW_RAWKEY, key);
                                  iwevent(DRAWSPACEWINDOW, IW_RAWKEY, key | KEY_UPFLAG);
                                  if (alt)
                                      iwevent(DRAWSPACEWINDOW, IW_RAWKEY, KEY_LALT | KEY_UPFLAG);
                              }});
    for (int id = FIRSTTOOLBARBUTTON; id <= LASTTOOLBARBUTTON; id++)
        if (id != BUTTON_CLOSE && id != BUTTON_QUIT)
            events.push_back({"button " + std::to_string(id),
                              [id] { iwevent(IDEAWEAVEWINDOW, IW_GADGETUP | id, 0); }});
    for (int tool : {SELECTTOOL, TEXTTOOL, RECTANGLETYPE, 132, LINETYPE, CONNECTORTYPE})
        for (const auto &[what, send] : events) {
            arm(tool);
            send();
            expectclean(what);
        }
}

// An object dragged along the page's edge, its handles reaching into the grey
// margin: erasing them paints back the margin and the page's shadow, never
// paper or grid dots outside the page. Grid dots beside an object, within its
// handles' reach, come back when its handles are erased: dragging one object
// after another among many leaves the grid as a full redraw paints it.
TEST_F(Ghosts, NothingIsLeftInTheMarginNorLostFromTheGridAfterDrags) {
    ShowGrid = 1;
    for (const auto &[cx, cy] : {std::pair{8, 8}, {2100 - 9 - 310, 2970 - 8 - 210}}) {
        startnewdiagram();
        const int n = place(RECTANGLETYPE, cx, cy, 310, 210, true);
        refreshIWOall();
        const int x = getdrawx(cx + 155), y = getdrawy(cy + 105);
        drag(x, y, {{x - 40, y - 40}, {x + 30, y + 20}, {x + 40, y + 40}, {x, y}});
        EXPECT_EQ(IWO[n].selected, 1);
        expectclean("drag at " + std::to_string(cx) + " " + std::to_string(cy));
    }
    startnewdiagram();
    IWODiagram.paperwidth = 5940;
    IWODiagram.paperheight = 4200;
    for (int k = 0; k < 200; k++)
        place(RECTANGLETYPE + k % 3, 30 + (k % 20) * 145, 30 + (k / 20) * 165, 100, 110, false);
    cleardrawspace(papercolour);
    refreshIWOall();
    for (int c : {0, 12, 47, 21}) {
        const int x = getdrawx(30 + (c % 20) * 145 + 50), y = getdrawy(30 + (c / 20) * 165 + 20);
        std::vector<std::pair<int, int>> path;
        for (int i = 0; i < 16; i++) path.push_back({x + i * 3 - 20, y + i * 3 / 2 - 20});
        drag(x, y, path);
        expectclean("drag of object " + std::to_string(c));
    }
    ShowGrid = 0;
}
