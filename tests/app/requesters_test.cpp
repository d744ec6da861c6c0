// The requesters: their titles, bodies and buttons, answers, and the rules for
// requesters that cannot be shown.
#include "app/requesters.h"
#include "model/create.h"
#include "model/diagram.h"
#include "model/iwo.h"
#include "testutil.h"

#include <cstring>

using Requesters = Core;

namespace {
int newobject() {
    resetsingleIWO(SHADOWIWO);
    createIWO(SHADOWIWO, 101, 100, 100, 1, 10, 2);
    int n = IWONumber;
    resetsingleIWO(n);
    createIWO(n, 101, 100, 100, 1, 10, 2);
    return n;
}
} // namespace

// 5.1 Each requester's title, body and buttons as printed headless.
TEST_F(Requesters, TitlesBodiesButtons) {
    EXPECT_EQ(MessageReq("Body\nline", "Title"), 1);
    EXPECT_EQ(ErrorReq("Oops"), 1);
    EXPECT_EQ(ConfirmReq("Sure?"), 1);
    EXPECT_EQ(aboutideaweave(), 1);
    EXPECT_EQ(notimplemented(), 1);
    EXPECT_EQ(lines(),
              "requester: Title | Body\\nline | Okay\n"
              "requester: Ideaweave Error | Oops | Okay\n"
              "requester: Ideaweave Warning | Sure? | Okay | Cancel\n"
              "requester: Ideaweave | Ideaweave 0.9 Linux Version | Okay\n"
              "requester: Ideaweave Version 0.9 Release 7a | Sorry. Not available yet in this "
              "version. \\nPlease be patient - we'll get there eventually. | Okay\n");
}

// 5.2 ConfirmReq: Cancel gives 0; a requester that cannot be shown also says no.
TEST_F(Requesters, ConfirmCancelAndFailure) {
    ui.queueanswer(0);
    EXPECT_EQ(ConfirmReq("Delete?"), 0);
    ui.queueanswer(1);
    EXPECT_EQ(ConfirmReq("Delete?"), 1);
    ui.setfailing(true);
    EXPECT_EQ(ConfirmReq("Delete?"), 0);
    EXPECT_EQ(ErrorReq("x"), 1);
}

// 5.3 TextReq shows nothing for indices that are not live objects.
TEST_F(Requesters, TextReqIgnoresDeadIndices) {
    int n = newobject();
    EXPECT_EQ(TextReq(0), 1);
    EXPECT_EQ(TextReq(IWONumber), 1);
    EXPECT_EQ(TextReq(-3), 1);
    EXPECT_EQ(TextReq(5000), 1);
    EXPECT_EQ(lines(), "");
    (void)n;
}

// 5.4 TextReq: Okay stores the answer (even empty), Cancel keeps the old text,
// and at most 49 characters fit the 50-byte label.
TEST_F(Requesters, TextReqEditsLabel) {
    int n = newobject();
    std::strcpy(IWO[n].label, "Old");
    ui.queueanswer(1, "New label");
    EXPECT_EQ(TextReq(n), 1);
    EXPECT_STREQ(IWO[n].label, "New label");
    EXPECT_EQ(lines(), "requester: Enter Text... | Old | Okay | Cancel\n");

    ui.queueanswer(0, "Ignored");
    EXPECT_EQ(TextReq(n), 0);
    EXPECT_STREQ(IWO[n].label, "New label");

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

// 5.5 A label read from a file without its terminator is still edited safely.
TEST_F(Requesters, TextReqUnterminatedLabel) {
    int n = newobject();
    std::memset(IWO[n].label, 'z', sizeof IWO[n].label);
    ui.queueanswer(0);
    EXPECT_EQ(TextReq(n), 0);
    EXPECT_EQ(lines(), "requester: Enter Text... | " + std::string(49, 'z') + " | Okay | Cancel\n");
}
