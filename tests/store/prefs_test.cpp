// Settings file: the built-in file made at first start and its byte layout,
// a full round trip, files of other releases, and damaged files and failed
// saves that leave the settings and the file as they were.
#include "render/drawstate.h"
#include "app/filedialogs.h"
#include "store/diagramfile.h"
#include "store/prefs.h"
#include "model/bytes.h"
#include "platform/files.h"
#include "testutil.h"

namespace {

// A settings file in the configuration directory of a fresh temporary home.
class Prefs : public Core {
  protected:
    void SetUp() override {
        Core::SetUp();
        setenv("XDG_CONFIG_HOME", tmp.dir.c_str(), 1);
    }
    void TearDown() override {
        setenv("XDG_CONFIG_HOME", IW_TEST_CONFIGDIR, 1);
        Core::TearDown();
    }
    std::string defaultfile() const { return tmp.path("ideaweave/default.prefs"); }
    TempDir tmp;
};

constexpr int D = 257;  // the default diagram record in the file
constexpr int L = 2569; // the settings list

} // namespace

TEST_F(Prefs, FirstStartWritesTheBuiltInFileAndStartsFromIt) {
    ASSERT_EQ(initpreferences(), 1);
    auto f = slurp(defaultfile());
    ASSERT_EQ(f.size(), 2857u);
    EXPECT_STREQ((const char *)f.data(), IWVersionString);
    // The layout is pinned byte for byte by the prefs-file session's saved file.
    EXPECT_EQ(f[D], 0); // no default drawer

    newIWOdiagram();
    EXPECT_FLOAT_EQ(zoom, 0.3f);
    // Icon set 0: no desktop icon theme here.
    EXPECT_EQ(std::vector<int>({GridSize, ShowGrid, scrollsizex, highlightcolour,
                                IWODiagram.paperwidth, IWODiagram.paperheight, IconSet}),
              std::vector<int>({100, 0, 50, 3, 2100, 2970, 0}));
    EXPECT_EQ(lines(), "");

    // A file that holds icon set 2 brings it back all the same.
    put2byte(f.data() + L + 282, 2);
    spit(defaultfile(), f);
    IconSet = 2;
    initpreferences();
    EXPECT_EQ(IconSet, 2);
}

// Settings that differ from the defaults in every field (drawer, texts, font,
// pens, paper, zoom, grid, scroll steps, highlight, icon set) are read and
// written back as stored, and a save brings them back whole.
TEST_F(Prefs, SavedSettingsComeBackAndOtherReleasesAreRead) {
    ASSERT_EQ(loadpreferences(fixture("store/fixtures/changed.prefs")), 1);
    const auto saved = writepreferencesbytes();
    EXPECT_TRUE(samebytes(saved, "store/fixtures/changed.prefs"));
    ASSERT_EQ(savepreferences(tmp.path("mine.prefs")), 1);
    EXPECT_EQ(slurp(tmp.path("mine.prefs")), saved);
    EXPECT_EQ(HighlightOn, 1);

    // Another release's version and release are read over and replaced.
    auto other = saved;
    std::memcpy(other.data(), "Old Version 0.5", 16);
    put2byte(other.data() + 255, 92);
    std::memcpy(other.data() + D + 1000, "Old Version 0.5", 16);
    put2byte(other.data() + D + 1258, 92);
    other.resize(3000, 0xEE); // trailing bytes are no part of the layout
    spit(tmp.path("old.prefs"), other);
    setdefaultpreferences();
    ASSERT_EQ(loadpreferences(tmp.path("old.prefs")), 1);
    EXPECT_EQ(writepreferencesbytes(), saved);
    EXPECT_STREQ(defaultIWODiagram.version, IWVersionString);
    EXPECT_EQ(defaultIWODiagram.release, 97);
    EXPECT_EQ(lines(), "");
}

TEST_F(Prefs, DamagedFilesAreRefusedWithTheSettingsUnchanged) {
    const auto good = writepreferencesbytes();
    struct Case {
        const char *what;
        void (*damage)(std::vector<uint8_t> &);
    };
    // The zoom is a float: NaN, 0, infinity and 40 by their bits.
    const Case cases[] = {
        {"too short", [](std::vector<uint8_t> &f) { f.resize(2856); }},
        {"too short", [](std::vector<uint8_t> &f) { f.clear(); }},
        {"zoom", [](std::vector<uint8_t> &f) { put4byte(f.data() + L + 276, 0x7FC00000); }},
        {"zoom", [](std::vector<uint8_t> &f) { put4byte(f.data() + L + 276, 0); }},
        {"zoom", [](std::vector<uint8_t> &f) { put4byte(f.data() + L + 276, 0x7F800000); }},
        {"zoom", [](std::vector<uint8_t> &f) { put4byte(f.data() + L + 276, 0x42200000); }},
        {"grid", [](std::vector<uint8_t> &f) { put2byte(f.data() + L + 274, 0); }},
        {"scroll", [](std::vector<uint8_t> &f) { put2byte(f.data() + L + 268, 0); }},
        {"icon", [](std::vector<uint8_t> &f) { put2byte(f.data() + L + 282, 3); }},
        {"paper", [](std::vector<uint8_t> &f) { put2byte(f.data() + D + 2296, 299); }},
        {"paper", [](std::vector<uint8_t> &f) { put2byte(f.data() + D + 2298, 32000); }},
        {"pen", [](std::vector<uint8_t> &f) { put2byte(f.data() + D + 2300, 256); }},
        {"pen", [](std::vector<uint8_t> &f) { put2byte(f.data() + L + 8, -1); }},
        {"line weight", [](std::vector<uint8_t> &f) { put2byte(f.data() + D + 2308, 5000); }},
        {"font size", [](std::vector<uint8_t> &f) { put2byte(f.data() + L + 4, 0); }},
    };
    for (const Case &c : cases) {
        auto f = good;
        c.damage(f);
        spit(tmp.path("bad.prefs"), f);
        EXPECT_EQ(loadpreferences(tmp.path("bad.prefs")), 0) << c.what;
        EXPECT_EQ(writepreferencesbytes(), good) << c.what;
        EXPECT_NE(lines().find("Not a valid Ideaweave settings file : " + tmp.path("bad.prefs")),
                  std::string::npos)
            << c.what;
    }
    // Text fields without a terminator keep one.
    auto f = good;
    std::memset(f.data() + D + 1260, 'A', 255);
    std::memset(f.data() + L + 10, 'B', 256);
    spit(tmp.path("long.prefs"), f);
    ASSERT_EQ(loadpreferences(tmp.path("long.prefs")), 1);
    EXPECT_EQ(std::strlen(defaultIWODiagram.title), 254u);
    EXPECT_EQ(std::strlen(PrefList.fontname), 255u);
}

TEST_F(Prefs, SaveAsNamesAndFailedSaves) {
    // A name holding ".prefs" anywhere keeps it (one without gets it, and
    // overwriting asks: the prefs-file session's).
    ui.queueanswer(1, tmp.path("x.prefs.old"));
    EXPECT_EQ(saveaspreferences(), 1);
    const auto before = slurp(tmp.path("x.prefs.old"));
    EXPECT_EQ(before.size(), 2857u);
    PrefList.GridSize = 300;

    // A write that fails leaves the previous file whole and says so.
    setfilefault(FAULT_WRITE, 1);
    EXPECT_EQ(savepreferences(tmp.path("x.prefs.old")), 0);
    EXPECT_EQ(slurp(tmp.path("x.prefs.old")), before);
    EXPECT_NE(lines().find("Sorry. Could not save file : " + tmp.path("x.prefs.old")),
              std::string::npos);
}
