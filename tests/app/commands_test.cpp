// The command table: every command once, and what is offered in each state.
#include "app/commands.h"
#include "app/menustate.h"
#include "model/iwo.h"
#include "platform/buttons.h"
#include "testutil.h"

#include <cctype>
#include <cstring>
#include <set>
#include <string>

// Each command has one row and one name of lower-case letters; each menu
// item's number and button half leads back to it (where the items and
// buttons have always been is the session command-table).
TEST(Commands, EveryCommandOnceAndWhereItWas) {
    std::set<std::string> names;
    int rows = 0;
    for (const CommandRow *r = commandtable(); r->kind != ROW_END; r++) {
        if (r->kind != ROW_ITEM && r->kind != ROW_NOMENU) continue;
        rows++;
        ASSERT_TRUE(r->name && r->run) << rows;
        EXPECT_TRUE(names.insert(r->name).second) << r->name;
        for (const char *c = r->name; *c; c++) EXPECT_TRUE(std::islower(*c)) << r->name;
        EXPECT_EQ(&commandrow(r->id), r) << r->name;
        EXPECT_EQ(commandnamed(r->name), r);
        const int num = menunumber(r->id);
        EXPECT_EQ(num == MENUNULL, r->kind == ROW_NOMENU) << r->name;
        EXPECT_TRUE(num == MENUNULL || menurow(num) == r) << r->name;
        EXPECT_TRUE(!r->button || buttonrow(r->button, r->half != HALF_LOWER) == r) << r->name;
    }
    EXPECT_EQ(rows, CMDCOUNT);
    EXPECT_EQ(commandnamed("nosuchcommand"), nullptr);
    // Bars count as items but are no commands; past a menu's end is nothing.
    EXPECT_EQ(menurow(FULLMENUNUM(0, 3))->kind, ROW_BAR);
    for (int num : {FULLMENUNUM(0, 14), FULLMENUNUM(5, 0), FULLMENUNUM(0, 0, 2), MENUNULL})
        EXPECT_EQ(menurow(num), nullptr) << num;
    // Buttons without a command.
    EXPECT_EQ(buttonrow(38, true), nullptr);
    EXPECT_EQ(buttonrow(0, true), nullptr);
}

namespace {

ProgramState state(bool diagram, int objects, int selected) {
    ProgramState s;
    s.diagram = diagram;
    s.objects = objects;
    s.selected = selected;
    return s;
}

// The commands offered, in table order, as a string of 0 and 1.
std::string offered(const ProgramState &s, std::initializer_list<Cmd> ids) {
    const UiStates u = computestates(s);
    std::string out;
    for (Cmd id : ids) out += u.menus.at(menunumber(id)) ? '1' : '0';
    return out;
}

} // namespace

// What the menus offer in each state: with no diagram only what needs none;
// objects, a selection, a connector in focus, the history and the clipboard
// each add their items, and only with a diagram.
TEST(Commands, OfferedByState) {
    const std::initializer_list<Cmd> ids = {
        CMD_NEW,       CMD_CLOSE,        CMD_SAVE,   CMD_ABOUT, CMD_CUT,        CMD_PASTE,
        CMD_SELECTALL, CMD_DELETE,       CMD_UNDO,   CMD_REDO,  CMD_PROPERTIES, CMD_NODE,
        CMD_CLEARUSER, CMD_LOADUSERBANK, CMD_ZOOMIN, CMD_CROP,  CMD_SETTINGS,   CMD_LOADSETTINGS};
    ProgramState none = state(false, 3, 2);
    none.canundo = none.canredo = none.clipboard = none.focusconnector = true;
    ProgramState connector = state(true, 2, 1), history = state(true, 0, 0);
    connector.focusconnector = true;
    history.canundo = history.clipboard = true;
    ProgramState redo = history;
    redo.canundo = false;
    redo.canredo = true;
    ProgramState unselected = connector;
    unselected.selected = 0;
    const struct {
        const char *what;
        ProgramState s;
        const char *expect;
    } cases[] = {
        {"no diagram", none, "100100000000110011"},
        {"empty diagram", state(true, 0, 0), "111100000000111011"},
        {"objects", state(true, 1, 0), "111100100000111111"},
        {"selection", state(true, 1, 1), "111110110010111111"},
        {"connector", connector, "111110110011111111"},
        {"connector unselected", unselected, "111100100000111111"},
        {"history and clipboard", history, "111101001000111011"},
        {"redo only", redo, "111101000100111011"},
    };
    for (const auto &c : cases) EXPECT_EQ(offered(c.s, ids), c.expect) << c.what;
}

// The buttons: New, Open and Quit always; the rest with a diagram; the
// two-way buttons by their upper half's command; a user tool with its object.
TEST(Commands, ButtonsByState) {
    ProgramState s = state(false, 0, 0);
    s.usedslots = 1u << 3;
    UiStates u = computestates(s);
    for (int id : {BUTTON_NEW, BUTTON_OPEN, BUTTON_QUIT}) EXPECT_TRUE(u.buttons.at(id)) << id;
    for (int id : {BUTTON_SAVE, BUTTON_CLOSE, BUTTON_SELECT, BUTTON_ZOOM, 101, 134})
        EXPECT_FALSE(u.buttons.at(id)) << id;
    s = state(true, 2, 0);
    s.usedslots = 1u << 3;
    s.canredo = true;
    u = computestates(s);
    for (int id : {BUTTON_SAVE, BUTTON_PROPERTIES, BUTTON_SELECT, BUTTON_ZOOM, BUTTON_TEXT, 101,
                   131, FIRSTUSERTYPE + 2})
        EXPECT_TRUE(u.buttons.at(id)) << id;
    for (int id : {BUTTON_FRONTBACK, BUTTON_DUPLICATE, BUTTON_DELETE, BUTTON_UNDOREDO,
                   FIRSTUSERTYPE, FIRSTUSERTYPE + 3})
        EXPECT_FALSE(u.buttons.at(id)) << id;
    s.selected = 1;
    s.canundo = true;
    u = computestates(s);
    for (int id : {BUTTON_FRONTBACK, BUTTON_DUPLICATE, BUTTON_DELETE, BUTTON_UNDOREDO})
        EXPECT_TRUE(u.buttons.at(id)) << id;
    // Check marks: Show Grid and Snap To Grid, whatever else.
    s.showgrid = true;
    u = computestates(s);
    EXPECT_EQ(u.checks.size(), 2u);
    EXPECT_TRUE(u.checks.at(menunumber(CMD_SHOWGRID)));
    EXPECT_FALSE(u.checks.at(menunumber(CMD_SNAPTOGRID)));
}
