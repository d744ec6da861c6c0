// User objects: a template draws like the selection it came from (wide
// selections keep their shape: the session user-object-wide), the bank's byte
// layout, banks refused whole, a failed save or conversion that harms nothing,
// and the icon pictures.
#include "app/menustate.h"
#include "../render/drawfixture.h"

#include "store/diagramfile.h"
#include "export/usericon.h"
#include "model/bytes.h"
#include "platform/files.h"
#include "store/userobjects.h"
#include "testutil.h"

namespace {

class UserObjects : public Small {
  protected:
    void SetUp() override {
        // Pictures, logs and banks go to this test's own directories.
        setenv("TMPDIR", tmp.dir.c_str(), 1);
        setenv("XDG_DATA_HOME", tmp.path("data").c_str(), 1);
        Small::SetUp();
    }
    void TearDown() override {
        Small::TearDown();
        unsetenv("TMPDIR");
        unsetenv("XDG_DATA_HOME");
    }
    TempDir tmp;
};

// The width and height of a PNG file (from its header).
std::pair<int, int> pngsize(const std::string &path) {
    std::vector<uint8_t> b = slurp(path);
    if (b.size() < 24) return {0, 0};
    auto be32 = [&](size_t i) { return b[i] << 24 | b[i + 1] << 16 | b[i + 2] << 8 | b[i + 3]; };
    return {be32(16), be32(20)};
}

} // namespace

// A 98 x 48 rectangle and an ellipse inside it make a 100 x 50 template whose
// percentages are exact: the user object placed over the box draws the same
// pens as the two objects did.
TEST_F(UserObjects, PlacedObjectDrawsLikeItsSelection) {
    int a = place(101, 200, 300, 98, 48);
    int b = place(105, 220, 310, 49, 24);
    clear();
    IWO[a].selected = IWO[b].selected = 0; // drawn without handles
    drawIWO(a);
    drawIWO(b);
    std::vector<uint8_t> original = snapshot();
    selectonly({a, b});
    ASSERT_EQ(createUserIWO(), 1);
    const IWORecord &t = userIWO[1];
    EXPECT_EQ(std::vector<int>({t.type, t.x, t.width, t.height, t.drawnum}),
              std::vector<int>({132, 200, 100, 50, 2}));
    IWONumber = 1;
    int u = place(132, 200, 300, t.width, t.height);
    IWO[u].selected = 0;
    clear();
    drawIWO(u);
    EXPECT_TRUE(samepens(original, snapshot(), 160));
}

// The bank: 255 bytes of version text, the release, slots 0 to 12 whole, as
// stored; read back it gives the same bytes. Anything that is not such a bank is
// refused before a slot changes.
TEST_F(UserObjects, BankLayoutAndRefusals) {
    int a = place(101, 100, 100, 100, 100);
    selectonly({a});
    ASSERT_EQ(createUserIWO(), 1);
    copytext(IWODiagram.version, sizeof IWODiagram.version, IWVersionString);
    IWODiagram.release = IWRelease;
    const std::vector<uint8_t> bank = userIWObankbytes();
    EXPECT_TRUE(samebytes(bank, "store/fixtures/bank.uiwo"));
    std::string why;
    ASSERT_EQ(readUserIWObankbytes(bank.data(), bank.size(), &why), 1);
    EXPECT_EQ(userIWObankbytes(), bank);

    // Release 0, a newer release and a short bank are the user-objects session's.
    const char *NOTVALID = "Sorry. Not a valid Ideaweave UserIWOBank.";
    struct Case {
        const char *what;
        size_t offset;
        int value; // 16-bit value put at offset (-1: byte 200 at offset)
        size_t size;
        const char *message;
    } cases[] = {
        {"header only", 255, 97, 257, NOTVALID},
        {"long", 255, 97, 19004, NOTVALID},
        {"slot 3 of type 132", 257 + 3 * 1442 + 2, 132, 19003, NOTVALID},
        {"too many parts", 257 + 1442 + 370, -1, 19003, NOTVALID},
        {"unknown part kind", 257 + 1442 + 372, -43, 19003, NOTVALID},
    };
    for (const Case &c : cases) {
        std::vector<uint8_t> bad = bank;
        bad.resize(c.size);
        if (c.value == -1)
            bad[c.offset] = 200;
        else if (c.value < 0)
            bad[c.offset] = (uint8_t)-c.value;
        else
            put2byte(bad.data() + c.offset, c.value);
        why.clear();
        EXPECT_EQ(readUserIWObankbytes(bad.data(), bad.size(), &why), 0) << c.what;
        EXPECT_EQ(why, c.message) << c.what;
        EXPECT_EQ(userIWObankbytes(), bank) << c.what;
    }
}

// A bank save that fails says so (the previous file is kept by the same
// atomic write as a diagram's).
TEST_F(UserObjects, FailedSaveIsReported) {
    selectonly({place(101, 100, 100, 100, 100)});
    ASSERT_EQ(createUserIWO(), 1);
    ui.queueanswer(1, tmp.path("shapes"));
    setfilefault(FAULT_RENAME, 1);
    EXPECT_EQ(saveUserIWOBank(), 0);
    EXPECT_NE(lines().find("Sorry. Could not save file : " + tmp.path("shapes.uiwo")),
              std::string::npos);
}

// Icons: 40 pixels with the large icon set, 24 with the others, the aspect
// ratio kept; every icon a file of its own, so remaking one replaces no
// picture still shown.
TEST_F(UserObjects, IconSizeBySetAndOwnFiles) {
    int a = place(101, 100, 100, 200, 100);
    std::vector<std::string> made;
    for (int set : {0, 1, 2}) {
        IconSet = (int16_t)set;
        selectonly({a});
        ASSERT_EQ(createUserIWO(), 1);
        const int tool = 131 + (int)made.size() + 1;
        made.push_back(ui.gadgetimage(tool));
        ASSERT_FALSE(made.back().empty()) << lines();
        EXPECT_EQ(ui.palettetab(), 2);
        EXPECT_EQ(selectedtool, tool);
    }
    IconSet = 2;
    EXPECT_EQ(pngsize(made[0]), std::make_pair(40, 20));
    EXPECT_EQ(pngsize(made[1]), std::make_pair(24, 12));
    EXPECT_EQ(pngsize(made[2]), std::make_pair(24, 12));
    EXPECT_NE(made[1], made[2]);
    // Remaking slot 1's picture (as a bank load does) leaves the old file.
    createUserIWOicon(1);
    EXPECT_NE(ui.gadgetimage(132), made[0]);
    EXPECT_EQ(pngsize(made[0]), std::make_pair(40, 20));
}

// A picture that can't be written is reported with its file and the cause;
// no file is left behind and the tool is still usable, without a picture.
TEST_F(UserObjects, FailedIconLeavesAUsableTool) {
    int a = place(101, 100, 100, 100, 100);
    selectonly({a});
    setfilefault(FAULT_WRITE, 1);
    const int made = createUserIWO();
    setfilefault(FAULT_NONE, 0);
    ASSERT_EQ(made, 1);
    EXPECT_EQ(ui.gadgetimage(132), "");
    const std::string l = lines();
    const std::string m = "Sorry. Couldn't create user IWO icon in " + tempdirectory() + "useriwo-";
    const size_t at = l.find(m);
    ASSERT_NE(at, std::string::npos) << l;
    const size_t p0 = at + m.size() - tempdirectory().size() - 8;
    const std::string file = l.substr(p0, l.find(".png", p0) + 4 - p0);
    EXPECT_FALSE(fileexists(file)) << file;
    EXPECT_NE(l.find(": ", at + m.size()), std::string::npos) << l;
    DiagramExists = 1;
    showstates();
    EXPECT_EQ(ui.gadgetenabled(132), 1);
    EXPECT_EQ(ui.palettetab(), 2);
}
