// The requesters: answers, and the rules for requesters that cannot be shown.
#include "app/requesters.h"
#include "testutil.h"

#include <cstring>

using Requesters = Core;

// TextReq: Okay stores an empty answer too; a requester that cannot be shown
// counts as Okay and leaves the text (the other answers, and indices that are
// no live object, are the session text-requester).
TEST_F(Requesters, EmptyAnswerAndRequestersThatCannotBeShown) {
    int n = place(101, 100, 100);
    std::strcpy(IWO[n].label, "Old");
    ui.queueanswer(1, "");
    EXPECT_EQ(TextReq(n), 1);
    EXPECT_STREQ(IWO[n].label, "");
    std::strcpy(IWO[n].label, "Old");
    ui.setfailing(true);
    EXPECT_EQ(TextReq(n), 1);
    EXPECT_STREQ(IWO[n].label, "Old");
    // A confirmation that cannot be shown says no; an error still counts as shown.
    EXPECT_EQ(ConfirmReq("Delete?"), 0);
    EXPECT_EQ(ErrorReq("x"), 1);
}

// A label read from a file without its terminator is still edited safely.
TEST_F(Requesters, TextReqUnterminatedLabel) {
    int n = place(101, 100, 100);
    std::memset(IWO[n].label, 'z', sizeof IWO[n].label);
    ui.queueanswer(0);
    EXPECT_EQ(TextReq(n), 0);
    EXPECT_EQ(lines(), "requester: Enter Text... | " + std::string(49, 'z') + " | Okay | Cancel\n");
}
