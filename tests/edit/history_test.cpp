// The undo/redo ring: recording rules, whole-group steps, the ends of the
// ring, and entries whose records are gone.
#include "edit/history.h"

#include "historyutil.h"
#include "model/diagram.h"
#include "testutil.h"

#include <cstring>

using History = Core;

namespace {

// A drag of object i by (dx, dy) as the drawing window records it.
void drag(int i, int dx, int dy) {
    savehistorypre(i);
    savehistorypost(i, HISTORY_GROUPBEGIN);
    savehistorypre(i);
    IWO[i].x = (int16_t)(IWO[i].x + dx);
    IWO[i].y = (int16_t)(IWO[i].y + dy);
    savehistorypost(i, HISTORY_MODIFY);
    savehistorypre(i);
    savehistorypost(i, HISTORY_GROUPEND);
}

std::vector<uint8_t> kinds() {
    std::vector<uint8_t> k;
    for (const auto &e : history) k.push_back(e.kind);
    return k;
}

} // namespace

TEST_F(History, CreationUndoRedoAndMenus) {
    recorded(place(101, 200, 200));
    auto one = tableimage();
    recorded(place(104, 600, 200));
    auto two = tableimage();
    EXPECT_EQ(ui.menuenabled(MENU_UNDO), 1);
    EXPECT_EQ(ui.menuenabled(MENU_REDO), 0);
    EXPECT_EQ(ui.gadgetenabled(BUTTON_UNDOREDO), 1);

    undohistory();
    EXPECT_EQ(IWONumber, 2);
    EXPECT_EQ(tableimage(), one);
    EXPECT_EQ(ui.menuenabled(MENU_REDO), 1);
    EXPECT_EQ(ui.menuenabled(MENU_UNDO), 1);

    undohistory();
    EXPECT_EQ(IWONumber, 1);
    EXPECT_EQ(ui.menuenabled(MENU_UNDO), 0);
    EXPECT_EQ(ui.gadgetenabled(BUTTON_UNDOREDO), 0);
    EXPECT_EQ(ui.gadgetenabled(34), 0); // Duplicate and Delete need objects
    EXPECT_EQ(ui.gadgetenabled(39), 0);

    redohistory();
    EXPECT_EQ(tableimage(), one);
    EXPECT_EQ(IWO[1].selected, 1);
    EXPECT_EQ(selectedIWO, 1);
    EXPECT_EQ(ui.menuenabled(MENU_UNDO), 1);
    redohistory();
    EXPECT_EQ(tableimage(), two);
    EXPECT_EQ(ui.menuenabled(MENU_REDO), 0);
    redohistory(); // nothing more to redo
    EXPECT_EQ(tableimage(), two);
}

TEST_F(History, ModifyUndoRedoFindsRecordById) {
    recorded(place(101, 200, 200));
    recorded(place(105, 600, 200));
    recorded(place(106, 900, 200));
    auto before = tableimage();
    drag(2, 100, 50);
    auto after = tableimage();
    // Reorder outside the history: the entry still finds its record by id.
    swapIWO(1, 2);
    auto swappedafter = tableimage();
    undohistory();
    EXPECT_EQ(IWO[1].type, 105);
    EXPECT_EQ(IWO[1].x, 600);
    EXPECT_EQ(selectedIWO, 1);
    EXPECT_EQ(IWO[1].selected, 0); // restored, focused, not selected
    redohistory();
    EXPECT_EQ(tableimage(), swappedafter);
    swapIWO(1, 2);
    EXPECT_EQ(tableimage(), after);
    undohistory();
    EXPECT_EQ(tableimage(), before);
}

// A change of the selection alone writes no entry, so redo still brings back
// what was undone; a change of any other field (the font here, mirrored parts
// or a label's height elsewhere) is an undo step of its own.
TEST_F(History, EveryChangeButTheSelectionIsRecorded) {
    recorded(place(101, 200, 200));
    drag(1, 10, 0);
    undohistory();
    auto k = kinds();
    savehistorypre(1);
    IWO[1].selected = 1;
    savehistorypost(1, HISTORY_MODIFY);
    EXPECT_EQ(kinds(), k);
    redohistory();
    EXPECT_EQ(IWO[1].x, 210);

    auto before = tableimage();
    savehistorypre(1);
    strcpy(IWO[1].fontname, "Other.font");
    savehistorypost(1, HISTORY_MODIFY);
    undohistory();
    EXPECT_EQ(tableimage(), before);
    EXPECT_EQ(IWO[1].x, 210); // the drag stays
}

TEST_F(History, NestedGroupsAreOneStep) {
    recorded(place(101, 200, 200));
    recorded(place(101, 600, 200));
    auto before = tableimage();
    savehistorypre(1);
    savehistorypost(1, HISTORY_GROUPBEGIN);
    drag(1, 30, 0);
    drag(2, 0, 40);
    savehistorypre(1);
    savehistorypost(1, HISTORY_GROUPEND);
    auto after = tableimage();
    undohistory();
    EXPECT_EQ(tableimage(), before);
    EXPECT_EQ(undocount(), 2); // the two creations, nothing else
    for (int i = 0; i < 2; i++) redohistory();
    redohistory();
    EXPECT_EQ(tableimage(), after);
    EXPECT_EQ(ui.menuenabled(MENU_REDO), 0);
}

TEST_F(History, EntriesWhoseRecordIsGoneAreSkipped) {
    recorded(place(101, 200, 200));
    recorded(place(105, 600, 200));
    recorded(place(106, 900, 200));
    drag(2, 50, 50);
    // Group: modify 1 and 3.
    savehistorypre(1);
    savehistorypost(1, HISTORY_GROUPBEGIN);
    savehistorypre(1);
    IWO[1].x = 300;
    savehistorypost(1, HISTORY_MODIFY);
    savehistorypre(3);
    IWO[3].x = 1000;
    savehistorypost(3, HISTORY_MODIFY);
    savehistorypre(1);
    savehistorypost(1, HISTORY_GROUPEND);

    // Object 1 is removed outside the history.
    downjigIWO(1);
    auto objects = IWONumber;
    undohistory(); // the group: object 1's entry is skipped, object 3 goes back
    EXPECT_EQ(IWONumber, objects);
    EXPECT_EQ(IWO[2].x, 900);
    EXPECT_EQ(IWO[1].x, 650);
    undohistory(); // the drag of object 2
    EXPECT_EQ(IWO[1].x, 600);
    undohistory(); // creation of 3
    EXPECT_EQ(IWONumber, 2);
    undohistory(); // creation of 2
    EXPECT_EQ(IWONumber, 1);
    undohistory(); // creation of 1: already gone, nothing happens
    EXPECT_EQ(IWONumber, 1);
    EXPECT_EQ(IWO[1].type, DEADTYPE);
    EXPECT_FALSE(canundo());
}

TEST_F(History, CommandLargerThanRingEmptiesHistory) {
    for (int i = 0; i < 5; i++) recorded(place(101, 100 + 10 * i, 100));
    // One group of 250 modifications (more entries than the ring holds).
    savehistorypre(1);
    savehistorypost(1, HISTORY_GROUPBEGIN);
    for (int n = 0; n < 250; n++) {
        int i = 1 + n % 5;
        savehistorypre(i);
        IWO[i].y = (int16_t)(IWO[i].y + 1);
        savehistorypost(i, HISTORY_MODIFY);
    }
    savehistorypre(1);
    savehistorypost(1, HISTORY_GROUPEND);
    auto now = tableimage();
    EXPECT_FALSE(canundo());
    EXPECT_EQ(ui.menuenabled(MENU_UNDO), 0);
    EXPECT_EQ(ui.gadgetenabled(BUTTON_UNDOREDO), 0);
    undohistory();
    EXPECT_EQ(tableimage(), now);
    for (const auto &e : history) EXPECT_EQ(e.kind, 0);

    // Recording goes on normally afterwards.
    drag(2, 5, 5);
    undohistory();
    EXPECT_EQ(tableimage(), now);
}

TEST_F(History, OverwrittenGroupIsCutWhole) {
    recorded(place(101, 200, 200));
    recorded(place(101, 600, 200));
    // The oldest step: a group moving both objects.
    IWO[1].selected = 1;
    savehistorypre(1);
    savehistorypost(1, HISTORY_GROUPBEGIN);
    for (int i = 1; i <= 2; i++) {
        savehistorypre(i);
        IWO[i].x = (int16_t)(IWO[i].x + 100);
        savehistorypost(i, HISTORY_MODIFY);
    }
    savehistorypre(1);
    savehistorypost(1, HISTORY_GROUPEND);
    // 193 more creations: the ring's 195 entries are 4 group entries + 191.
    for (int i = 0; i < 193; i++) recorded(place(105, 100 + i, 900));
    // The two creations and the group's begin were overwritten; the rest of
    // the group must not be undone.
    EXPECT_EQ(undocount(), 193);
    EXPECT_EQ(IWONumber, 3);
    EXPECT_EQ(IWO[1].x, 300);
    EXPECT_EQ(IWO[2].x, 700);
}
