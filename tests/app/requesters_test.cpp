// The requesters: answers, and the rules for requesters that cannot be shown.
#include "app/requesters.h"
#include "testutil.h"

#include <cstring>

using Requesters = Core;

// A confirmation that cannot be shown says no; an error still counts as shown.
TEST_F(Requesters, RequesterThatCannotBeShown) {
    ui.setfailing(true);
    EXPECT_EQ(ConfirmReq("Delete?"), 0);
    EXPECT_EQ(ErrorReq("x"), 1);
}

// TextReq shows nothing for indices that are not live objects.
TEST_F(Requesters, TextReqIgnoresDeadIndices) {
    place(101, 100, 100);
    for (int index : {0, (int)IWONumber, -3, 5000}) EXPECT_EQ(TextReq(index), 1) << index;
    EXPECT_EQ(lines(), "");
}

// TextReq: Okay stores the answer even when empty, and at most 49
// characters fit the 50-byte label.
TEST_F(Requesters, TextReqEditsLabel) {
    int n = place(101, 100, 100);
    std::strcpy(IWO[n].label, "Old");
    ui.queueanswer(1, "");
    EXPECT_EQ(TextReq(n), 1);
    EXPECT_STREQ(IWO[n].label, "");

    ui.queueanswer(1, std::string(80, 'x'));
    EXPECT_EQ(TextReq(n), 1);
    EXPECT_EQ(std::strlen(IWO[n].label), 49u);

    // An empty queue answers Okay and leaves the text as it was.
    EXPECT_EQ(TextReq(n), 1);
    EXPECT_EQ(std::strlen(IWO[n].label), 49u);

    // A requester that cannot be shown: as Okay, text unchanged.
    ui.setfailing(true);
    EXPECT_EQ(TextReq(n), 1);
    EXPECT_EQ(std::strlen(IWO[n].label), 49u);
}

// A label read from a file without its terminator is still edited safely.
TEST_F(Requesters, TextReqUnterminatedLabel) {
    int n = place(101, 100, 100);
    std::memset(IWO[n].label, 'z', sizeof IWO[n].label);
    ui.queueanswer(0);
    EXPECT_EQ(TextReq(n), 0);
    EXPECT_EQ(lines(), "requester: Enter Text... | " + std::string(49, 'z') + " | Okay | Cancel\n");
}
