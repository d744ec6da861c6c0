// commands.h - the command table: every menu item and toolbar command of the
// editor, one row each, and what the program offers in each state.
//
// A row names its command once: its id (`Cmd`) and its table name, which
// scripts use (`menu save`, `call save`). Beside them: its menu label and
// keys, the toolbar button (and the half of it) that runs it, its handler,
// and the test that says whether it is available. Menu titles and separator
// bars are rows too, so that a menu item's number follows from its place in
// the table (menu numbers: bits 0-4 the menu, bits 5-10 the item, bars
// counting as items, bits 11-15 the sub-item, always NOSUB). The menus, the
// toolbar, processMenus, the state with no diagram, `ideaweave-cli run` and
// the random-session generator all read this table; nothing else names a
// menu number.
//
// Adding a command:
//   1. add its id to `Cmd`, anywhere before CMDCOUNT;
//   2. add its row to ideaweavemenu (commands.cpp) where it is to appear in its
//      menu (or at the end, among the rows with no menu item, for a toolbar
//      or script command), with a table name of lower-case letters that no
//      other row uses;
//   3. give it a handler, `int f()` returning 1 (a captureless lambda will do
//      when the command calls a function with arguments), and, unless it is
//      always available, an enabled test `bool f(const ProgramState &)` that
//      reads only the state it is given (usually one of the tests already in
//      commands.cpp: `havediagram`, `haveselection`, ...). A test that needs
//      a fact the state does not hold yet gets a field in ProgramState,
//      filled in by currentstate() (menustate.cpp);
//   4. items after it in the same menu move down by one: scripts that name
//      them by number (`menu 3 10`) follow them, or better name them.
//
//   commandtable()             the rows, in menu order; the last row has kind ROW_END
//   commandrow(id)             the row of a command
//   commandnamed(name)         the row with that table name, or nullptr
//   menurow(num)               the item or bar row of a menu number, or nullptr
//   menunumber(id)             the menu number of a command, or MENUNULL when it has none
//   buttonrow(button, upper)   the command of a toolbar button (and its half), or nullptr
//   runcommand(row)            run a row's handler; 1 when the program is to end
//   processMenus(num)          run the command of a menu number; 1 = quit (declared
//                              in ui/ui.h: menu picks arrive in the drawing window)
#pragma once
#include "ui/ui.h"

#include <cstdint>

struct ProgramState;

// Item flags.
constexpr uint16_t CHECKIT = 1;    // a check-mark item
constexpr uint16_t MENUTOGGLE = 8; // each choice flips the check mark
constexpr uint16_t CHECKED = 256;  // shown checked
constexpr int NOSUB = 31;
constexpr int MENUNULL = 0xFFFF; // no item
constexpr int MENUCOUNT = 5;     // menus on the strip

constexpr int FULLMENUNUM(int menu, int item, int sub = NOSUB) {
    return (menu & 0x1F) | ((item & 0x3F) << 5) | ((sub & 0x1F) << 11);
}
constexpr int MENUNUM(int num) { return num & 0x1F; }
constexpr int ITEMNUM(int num) { return (num >> 5) & 0x3F; }

enum Cmd : int16_t {
    CMD_NONE = -1, // titles and bars
    // Project
    CMD_NEW,
    CMD_OPEN,
    CMD_CLOSE,
    CMD_SAVE,
    CMD_SAVEAS,
    CMD_EXPORTGRAPHIC,
    CMD_EXPORTTEXT,
    CMD_IMPORTOUTLINE,
    CMD_ABOUT,
    CMD_QUIT,
    // Edit
    CMD_CUT,
    CMD_COPY,
    CMD_PASTE,
    CMD_SELECTALL,
    CMD_DELETE,
    CMD_UNDO,
    CMD_REDO,
    // Object
    CMD_PROPERTIES,
    CMD_DUPLICATE,
    CMD_TOBACK,
    CMD_TOFRONT,
    CMD_LOCK,
    CMD_NODE,
    CMD_CHANGETEXT,
    CMD_HALFSIZE,
    CMD_GROUP,
    CMD_CREATEUSER,
    CMD_CLEARUSER,
    CMD_CLEARALLUSERS,
    CMD_SAVEUSERBANK,
    CMD_LOADUSERBANK,
    CMD_DELETEOBJECTS,
    CMD_ADDCHILD,
    CMD_ADDSIBLING,
    CMD_DELETENODE,
    CMD_FOLDBRANCH,
    CMD_GOPARENT,
    CMD_GOCHILD,
    CMD_GOPREVIOUS,
    CMD_GONEXT,
    CMD_EDITLABEL,
    // Diagram
    CMD_DIAGRAMPROPERTIES,
    CMD_ZOOMIN,
    CMD_ZOOMOUT,
    CMD_SHOWGRID,
    CMD_SNAPTOGRID,
    CMD_GROWGRID,
    CMD_SHRINKGRID,
    CMD_CROP,
    CMD_REDRAW,
    CMD_ARRANGEMINDMAP,
    CMD_ARRANGETREE,
    CMD_ARRANGEFLOWCHART,
    // Preferences
    CMD_SETTINGS,
    CMD_SAVESETTINGS,
    CMD_LOADSETTINGS,
    // The toolbar's own
    CMD_INSPECT,
    CMD_SELECTTOOL,
    CMD_TEXTTOOL,
    CMDCOUNT
};

enum RowKind : uint8_t {
    ROW_END,   // ends the table
    ROW_TITLE, // a menu title
    ROW_ITEM,  // a menu item
    ROW_BAR,   // a separator bar (counts as an item)
    ROW_NOMENU // a command with no menu item (toolbar button, script)
};

// Which part of a toolbar button runs the command.
enum ButtonHalf : uint8_t { HALF_WHOLE, HALF_UPPER, HALF_LOWER };

struct CommandRow {
    RowKind kind;
    Cmd id;
    const char *name;     // table name (scripts); nullptr for titles and bars
    const char *label;    // menu title or item text
    const char *key;      // one-character menu key (with the menu qualifier), or nullptr
    const char *morekeys; // the desktop's further keys, comma separated ("Ctrl+Y"), or nullptr
    uint16_t flags;       // CHECKIT, MENUTOGGLE
    int16_t button;       // toolbar button that runs it, 0 none
    ButtonHalf half;      // ... and its part
    int (*run)();         // the handler
    bool (*enabled)(const ProgramState &); // nullptr: always available
    bool (*checked)(const ProgramState &); // check-mark items: shown checked
};

const CommandRow *commandtable();
const CommandRow &commandrow(Cmd id);
const CommandRow *commandnamed(const char *name);
const CommandRow *menurow(int num);
int menunumber(Cmd id);
const CommandRow *buttonrow(int button, bool upper);
int runcommand(const CommandRow &row);
