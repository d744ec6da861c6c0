// The diagram record: the window title rules, the saved flag and the cancel
// copy.
#include "model/diagram.h"
#include "testutil.h"

#include <cstring>

using Diagram = Core;

// Only the first change puts the "*" in the title.
TEST_F(Diagram, FirstEditMarksTitleOnce) {
    struct CountingUI : HeadlessUI {
        CountingUI() : HeadlessUI(nullptr) {}
        void setwindowtitle(const char *t) override {
            HeadlessUI::setwindowtitle(t);
            calls++;
        }
        int calls = 0;
    } counting;
    setplatformui(&counting);
    DiagramExists = 1;
    markIWOdiagrammodified();
    EXPECT_EQ(counting.title(), "*No Title Given Saved as : ");
    EXPECT_EQ(counting.calls, 1);
    markIWOdiagrammodified();
    markIWOdiagrammodified();
    EXPECT_EQ(counting.calls, 1);
    EXPECT_EQ(IWODiagram.saved, 0);
}

// Long titles are cut to 99 characters; no diagram shows the prompt.
TEST_F(Diagram, TitleIsCutAndNoDiagramShowsPrompt) {
    DiagramExists = 1;
    std::string longname(300, 'f');
    std::strcpy(IWODiagram.filename, longname.c_str());
    updateIWOdiagram();
    EXPECT_EQ(ui.title().size(), 99u);
    EXPECT_EQ(std::string(drawspacewindowtitle).size(), 99u);
    EXPECT_EQ(ui.title().substr(0, 26), "No Title Given Saved as : ");

    // An ISO-8859-1 title and a UTF-8 file name make one UTF-8 text; a byte
    // of the name that is no UTF-8 is read as ISO-8859-1.
    std::strcpy(IWODiagram.title, "Caf\xe9");
    std::strcpy(IWODiagram.filename, "/home/j\xc3\xb6rg/\xe2\x82\xac \xe9.iwo");
    updateIWOdiagram();
    EXPECT_EQ(ui.title(), "Caf\xc3\xa9 Saved as : /home/j\xc3\xb6rg/\xe2\x82\xac \xc3\xa9.iwo");
    // The cut keeps 99 whole characters: 17 before the name and 82 of it.
    std::string umlauts;
    for (int i = 0; i < 120; i++) umlauts += "\xc3\xa4";
    std::strcpy(IWODiagram.filename, ("/" + umlauts).c_str());
    updateIWOdiagram();
    EXPECT_EQ(ui.title(), "Caf\xc3\xa9 Saved as : /" + umlauts.substr(0, 2 * 82));
    EXPECT_STREQ(drawspacewindowtitle, ui.title().c_str());

    DiagramExists = 0;
    updateIWOdiagram();
    EXPECT_EQ(ui.title(), "Create or Load diagram to continue...");
}

// Keep and cancel restore every byte, the saved flag included.
TEST_F(Diagram, CancelRestoresEveryByte) {
    std::vector<uint8_t> before(DIAGRAMRECORDSIZE), after(DIAGRAMRECORDSIZE);
    IWODiagram.saved = 1;
    writeIWOdiagramrecord(IWODiagram, before.data());
    settempdiagram(1);
    std::strcpy(IWODiagram.title, "Changed");
    IWODiagram.paperwidth = 5800;
    IWODiagram.saved = 0;
    settempdiagram(0);
    writeIWOdiagramrecord(IWODiagram, after.data());
    EXPECT_EQ(before, after);
}

// The pens follow the record, each with its working copy.
TEST_F(Diagram, PensFollowTheRecord) {
    IWODiagram.papercolour = 6;
    IWODiagram.linecolour = 7;
    IWODiagram.lineweight = 20;
    IWODiagram.labelcolour = 8;
    updateIWOdiagram();
    EXPECT_EQ(
        std::vector<int>({papercolour, temppapercolour, linecolour, lineweight, templabelcolour}),
        std::vector<int>({6, 6, 7, 20, 8}));
}
