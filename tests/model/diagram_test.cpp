// The diagram record: the window title rules, the saved flag and the pens.
#include "model/diagram.h"
#include "testutil.h"

#include <cstring>

using Diagram = Core;
using V = std::vector<int>;

// Only the first change puts the "*" in the title; later ones leave it be.
TEST_F(Diagram, FirstEditMarksTitleOnce) {
    DiagramExists = 1;
    markIWOdiagrammodified();
    EXPECT_EQ(ui.title(), "*No Title Given Saved as : ");
    ui.setwindowtitle("untouched");
    markIWOdiagrammodified();
    EXPECT_EQ(ui.title(), "untouched");
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

// The pens follow the record, each with its working copy.
TEST_F(Diagram, PensFollowTheRecord) {
    IWODiagram.papercolour = 6;
    IWODiagram.linecolour = 7;
    IWODiagram.lineweight = 20;
    IWODiagram.labelcolour = 8;
    updateIWOdiagram();
    EXPECT_EQ(V({papercolour, temppapercolour, linecolour, lineweight, templabelcolour}),
              V({6, 6, 7, 20, 8}));
}

// Restore brings back the record as kept, the saved flag included.
TEST_F(Diagram, RestoreBringsBackTheKeptRecord) {
    const int width = IWODiagram.paperwidth;
    IWODiagram.saved = 1;
    settempdiagram(1);
    IWODiagram.paperwidth = 5800, IWODiagram.saved = 0;
    settempdiagram(0);
    EXPECT_EQ(V({IWODiagram.paperwidth, IWODiagram.saved}), V({width, 1}));
}
