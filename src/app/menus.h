// menus.h - the menu strip: its table, the dispatch of a menu pick to its
// command, the file commands, and the rules that enable menu items and
// buttons as the program's state changes.
//
//   processMenus(num)      run the command of a menu number; 1 = quit (declared
//                          in ui/ui.h: menu picks arrive in the drawing window)
//   quitiw()               ask the quit question; 1 = quit
//   newdiagram(), opendiagram(), closediagram(), savediagram(), saveasdiagram()
//                          the file commands with their questions
//   changetext()           Object > Change Text: ask for every selected object's label
//   nodecommand()          Object > Node: fold or unfold the branch at the focus connector
//   menuitem(num)          the table entry of a menu number, or nullptr
//   setcheckmenus()        show ShowGrid and SnapToGrid as the check marks
//   FULLMENUNUM(m, i)      the menu number of item i of menu m (no sub-item)
//
// Menu numbers: bits 0-4 the menu (0-4), bits 5-10 the item (separator bars
// count as items), bits 11-15 the sub-item (31: none). 0xFFFF is no item.
#pragma once
#include "ui/ui.h"

#include <cstdint>

// Entry types of the menu table.
enum { NM_END = 0, NM_TITLE = 1, NM_ITEM = 2 };
// Item flags.
constexpr uint16_t CHECKIT = 1;    // a check-mark item
constexpr uint16_t MENUTOGGLE = 8; // each choice flips the check mark
constexpr uint16_t CHECKED = 256;  // shown checked
constexpr int NOSUB = 31;
constexpr int MENUNULL = 0xFFFF;

struct NewMenu {
    uint8_t nm_Type;        // NM_TITLE, NM_ITEM or NM_END
    const char *nm_Label;   // title or item text; nullptr for a separator bar
    const char *nm_CommKey; // one-character shortcut (with the menu qualifier), or nullptr
    uint16_t nm_Flags;      // CHECKIT, MENUTOGGLE, CHECKED
};

constexpr int MENUTABLESIZE = 65;
extern NewMenu ideaweavemenu[MENUTABLESIZE]; // the menu strip, in table order

constexpr int FULLMENUNUM(int menu, int item, int sub = NOSUB) {
    return (menu & 0x1F) | ((item & 0x3F) << 5) | ((sub & 0x1F) << 11);
}
constexpr int MENUNUM(int num) { return num & 0x1F; }
constexpr int ITEMNUM(int num) { return (num >> 5) & 0x3F; }

int quitiw();
int newdiagram();
int opendiagram();
int closediagram();
int savediagram();
int saveasdiagram();
int changetext();
int setcheckmenus();
int nodecommand();
const NewMenu *menuitem(int num);
