// A mind map typed in the editor: after the central object, every node comes
// from the keyboard (Ctrl+Return, Shift+Return, Ctrl+Left), its label typed
// into the requester that the command opens. (The commands themselves, with
// their undo steps, are the scripted session mindmap-keyboard.)
#include "guifixture.h"

#include <map>

using MindMapKeys = Editor;

TEST_F(MindMapKeys, TypesAThreeLevelMap) {
    newdiagram();
    place(101, QRect(2000, 1300, 310, 210));
    const std::vector<std::pair<std::string, std::vector<std::string>>> plan = {
        {"Plan", {"Goals", "Scope", "Risks"}},
        {"Build", {"Core", "Editor"}},
        {"Test", {"Unit"}},
    };
    std::map<std::string, std::string> parentof;
    bool first = true;
    for (const auto &[branch, leaves] : plan) {
        answer("Okay", QString::fromStdString(branch));
        shortcut(Qt::Key_Return, first ? Qt::ControlModifier : Qt::ShiftModifier);
        parentof[branch] = "";
        first = false;
        for (size_t k = 0; k < leaves.size(); k++) {
            answer("Okay", QString::fromStdString(leaves[k]));
            shortcut(Qt::Key_Return, k == 0 ? Qt::ControlModifier : Qt::ShiftModifier);
            parentof[leaves[k]] = branch;
        }
        shortcut(Qt::Key_Left); // back to the branch
        ASSERT_EQ(IWO[selectedIWO].label, branch);
    }
    int nodes = 0, connectors = 0;
    for (int i = 1; i < IWONumber; i++) {
        if (IWO[i].type != CONNECTORTYPE) {
            nodes++;
            continue;
        }
        connectors++;
        const int s = findIWObyid(IWO[i].connectstart), e = findIWObyid(IWO[i].connectend);
        ASSERT_TRUE(liveIWO(s) && liveIWO(e));
        EXPECT_EQ(parentof[IWO[e].label], IWO[s].label) << IWO[e].label;
    }
    EXPECT_EQ(nodes, 10);
    EXPECT_EQ(connectors, 9);
}
