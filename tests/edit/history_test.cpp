// The undo/redo ring: recording rules, whole-group steps, the ends of the
// ring, and entries whose records are gone (what Undo and Redo offer after
// each step is the session undo-redo-states).
#include "app/menustate.h"
#include "edit/history.h"

#include "testutil.h"

#include <cstring>
#include <functional>

using History = Core;
using V = std::vector<int>;

namespace {

// One entry of kind `kind` for object i, recorded around `change`.
void record(int i, int kind, const std::function<void(IWORecord &)> &change = {}) {
    savehistorypre(i);
    if (change) change(IWO[i]);
    savehistorypost(i, kind);
}

// A group of entries opened and closed on object i around `body`.
void group(int i, const std::function<void()> &body) {
    record(i, HISTORY_GROUPBEGIN);
    body();
    record(i, HISTORY_GROUPEND);
}

// A drag of object i by (dx, dy) as the drawing window records it.
void drag(int i, int dx, int dy) {
    group(i, [&] {
        record(i, HISTORY_MODIFY, [&](IWORecord &r) {
            r.x = (int16_t)(r.x + dx);
            r.y = (int16_t)(r.y + dy);
        });
    });
}

} // namespace

TEST_F(History, ModifyUndoRedoFindsRecordById) {
    recorded(place(101, 200, 200));
    recorded(place(105, 600, 200));
    recorded(place(106, 900, 200));
    drag(2, 100, 50);
    // Reorder outside the history: the entry still finds its record by id.
    swapIWO(1, 2);
    auto after = tableimage();
    undohistory();
    // Restored, focused, not selected.
    EXPECT_EQ(V({IWO[1].type, IWO[1].x, selectedIWO, IWO[1].selected}), V({105, 600, 1, 0}));
    redohistory();
    EXPECT_EQ(tableimage(), after);
}

// A change of the selection alone writes no entry, so redo still brings back
// what was undone; a change of any other field (the font here, mirrored parts
// or a label's height elsewhere) is an undo step of its own.
TEST_F(History, EveryChangeButTheSelectionIsRecorded) {
    recorded(place(101, 200, 200));
    drag(1, 10, 0);
    undohistory();
    const long writes = historywritecount();
    record(1, HISTORY_MODIFY, [](IWORecord &r) { r.selected = 1; });
    EXPECT_EQ(historywritecount(), writes);
    redohistory();
    EXPECT_EQ(IWO[1].x, 210);

    auto before = tableimage();
    record(1, HISTORY_MODIFY, [](IWORecord &r) { strcpy(r.fontname, "Other.font"); });
    undohistory();
    EXPECT_EQ(tableimage(), before);
    EXPECT_EQ(IWO[1].x, 210); // the drag stays
}

TEST_F(History, NestedGroupsAreOneStep) {
    recorded(place(101, 200, 200));
    recorded(place(101, 600, 200));
    auto before = tableimage();
    group(1, [] {
        drag(1, 30, 0);
        drag(2, 0, 40);
    });
    auto after = tableimage();
    undohistory();
    EXPECT_EQ(tableimage(), before);
    EXPECT_EQ(undocount(), 2); // the two creations, nothing else
    for (int i = 0; i < 3; i++) redohistory();
    EXPECT_EQ(tableimage(), after);
    EXPECT_FALSE(currentstate().canredo); // nothing left to redo
}

TEST_F(History, EntriesWhoseRecordIsGoneAreSkipped) {
    recorded(place(101, 200, 200));
    recorded(place(105, 600, 200));
    recorded(place(106, 900, 200));
    drag(2, 50, 50);
    group(1, [] { // modify 1 and 3
        record(1, HISTORY_MODIFY, [](IWORecord &r) { r.x = 300; });
        record(3, HISTORY_MODIFY, [](IWORecord &r) { r.x = 1000; });
    });

    // Object 1 is removed outside the history. Undo, step by step: the group
    // (object 1's entry skipped, object 3 back), the drag of object 2, the
    // creations of 3 and 2, and that of 1, already gone (nothing happens).
    downjigIWO(1);
    V steps;
    for (int i = 0; i < 5; i++) {
        undohistory();
        steps.insert(steps.end(), {IWONumber, IWO[1].x, IWO[2].x});
    }
    EXPECT_EQ(steps, V({3, 650, 900, 3, 600, 900, 2, 600, -99, 1, -99, -99, 1, -99, -99}));
    EXPECT_EQ(IWO[1].type, DEADTYPE);
    EXPECT_FALSE(canundo());
}

TEST_F(History, CommandLargerThanRingEmptiesHistory) {
    for (int i = 0; i < 5; i++) recorded(place(101, 100 + 10 * i, 100));
    // One group of 250 modifications (more entries than the ring holds).
    group(1, [] {
        for (int n = 0; n < 250; n++)
            record(1 + n % 5, HISTORY_MODIFY, [](IWORecord &r) { r.y++; });
    });
    auto now = tableimage();
    EXPECT_FALSE(canundo());
    EXPECT_FALSE(currentstate().canundo || currentstate().canredo);
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
    group(1, [] {
        for (int i = 1; i <= 2; i++) record(i, HISTORY_MODIFY, [](IWORecord &r) { r.x += 100; });
    });
    // 193 more creations: the ring's 195 entries are 4 group entries + 191.
    for (int i = 0; i < 193; i++) recorded(place(105, 100 + i, 900));
    // The two creations and the group's begin were overwritten; the rest of
    // the group must not be undone.
    EXPECT_EQ(undocount(), 193);
    EXPECT_EQ(V({IWONumber, IWO[1].x, IWO[2].x}), V({3, 300, 700}));
}
