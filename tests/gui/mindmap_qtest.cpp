// A mind map typed in the editor: after the central object, every node comes
// from the keyboard (Ctrl+Return, Shift+Return, Ctrl+Left), its label typed
// into the requester that the command opens.
#include "guifixture.h"

#include "model/iwo.h"

#include <QApplication>
#include <QTest>

#include <map>
#include <string>
#include <vector>

using MindMapKeys = Editor;

TEST_F(MindMapKeys, TypesAThreeLevelMap) {
    newdiagram();
    place(101, QRect(2000, 1300, 310, 210));
    const std::vector<std::pair<std::string, std::vector<std::string>>> plan = {
        {"Plan", {"Goals", "Scope", "Risks", "Dates"}},
        {"Build", {"Core", "Editor", "Files", "Docs"}},
        {"Test", {"Unit", "Fuzz", "Bench", "Beta"}},
        {"Ship", {"Pack", "Notes", "Launch"}},
    };
    std::map<std::string, std::string> parentof;
    // A key for the menus' shortcuts: they belong to the active main window,
    // which the requester that just closed may not have handed back yet.
    auto press = [&](int k, Qt::KeyboardModifiers mods) {
        if (QApplication::activeWindow() != ui->mainwindow) {
            ui->mainwindow->activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(ui->mainwindow));
        }
        key(k, mods);
    };
    bool first = true;
    for (const auto &[branch, leaves] : plan) {
        answer("Okay", QString::fromStdString(branch));
        press(Qt::Key_Return, first ? Qt::ControlModifier : Qt::ShiftModifier);
        parentof[branch] = "";
        first = false;
        for (size_t k = 0; k < leaves.size(); k++) {
            answer("Okay", QString::fromStdString(leaves[k]));
            press(Qt::Key_Return, k == 0 ? Qt::ControlModifier : Qt::ShiftModifier);
            parentof[leaves[k]] = branch;
        }
        press(Qt::Key_Left, Qt::ControlModifier); // back to the branch
        ASSERT_EQ(IWO[selectedIWO].label, branch) << [] {
            std::string s;
            for (int i = 1; i < IWONumber; i++) s += std::string(IWO[i].label) + ",";
            return s;
        }();
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
    EXPECT_EQ(nodes, 20);
    EXPECT_EQ(connectors, 19);
}
