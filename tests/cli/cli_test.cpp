// ideaweave-cli: usage, exit codes, info's JSON and convert.
#include "model/bytes.h"
#include "testutil.h"

#include <cstring>

// Bad usage prints the short usage on standard error and exits 1; --help,
// help COMMAND and COMMAND --help answer on standard output (as stored in
// golden/NAME.txt) and exit 0.
TEST(Cli, UsageAndHelp) {
    std::string out, err;
    for (const char *bad : {"", "frobnicate x", "info", "convert a", "help frobnicate",
                            "--help extra", "--version x", "run", "import a.md"}) {
        out.clear();
        err.clear();
        EXPECT_EQ(runcli(bad, &out, &err), 1) << bad;
        EXPECT_NE(err.find("usage: ideaweave-cli"), std::string::npos) << bad;
        EXPECT_TRUE(out.empty()) << bad;
    }
    const std::pair<const char *, std::string> helps[] = {{"--help", "help"},
                                                          {"help export", "export"},
                                                          {"run --help", "run"},
                                                          {"import --help", "import"}};
    for (const auto &[args, name] : helps) {
        EXPECT_EQ(runcli(args, &out, &err), 0) << args;
        EXPECT_TRUE(samebytes(out, "cli/golden/" + name + ".txt"));
    }
}

// info reports the file's fields as stored, decoded from ISO-8859-1, with the
// conversions applied and counts clamped (drawnum 25 and highlightnum 9 in the
// release-97 file: the arrays stop at the table sizes).
TEST(Cli, InfoReportsFields) {
    std::string out, err;
    ASSERT_EQ(runcli(fixture("store/fixtures/r97.iwo"), &out, &err), 1);
    for (std::string name : {"r97", "r50"}) {
        ASSERT_EQ(runcli("info " + fixture("store/fixtures/" + name + ".iwo"), &out, &err), 0)
            << err;
        EXPECT_TRUE(samebytes(out, "cli/golden/" + name + ".json"));
    }
}

// Refused, unreadable and unwritable files exit 2 with the requester on stderr.
TEST(Cli, RefusedFilesExit2) {
    TempDir t;
    const std::string r97 = fixture("store/fixtures/r97.iwo");
    auto withrelease = [&](const char *name, int release) {
        auto f = slurp(r97);
        put2byte(f.data() + 255, release);
        spit(t.path(name), f);
        return t.path(name);
    };
    const std::string newer = withrelease("new.iwo", 98), zero = withrelease("zero.iwo", 0);
    const std::string E = "requester: Ideaweave Error | Sorry. ",
                      NOTVALID = "Not a valid Ideaweave file.";
    const struct {
        std::string args, message;
    } refused[] = {
        {"info " + newer, "Can't open file. Upgrade to a newer version of Ideaweave now!"},
        {"info " + zero, NOTVALID},
        {"info " + t.path("missing.iwo"), "Could not open file : " + t.path("missing.iwo")},
        {"info /dev/zero", "Could not open file : /dev/zero"},
        {"convert " + zero + " " + t.path("o.iwo"), NOTVALID},
        {"convert " + r97 + " " + t.path("no/such.iwo"),
         "Could not save file : " + t.path("no/such.iwo")},
        {"render " + t.path("missing.iwo") + " " + t.path("o.png"),
         "Could not open file : " + t.path("missing.iwo")},
        {"render " + zero + " " + t.path("o.png"), NOTVALID},
        {"render " + r97 + " " + t.path("no/dir/o.png"),
         "Could not save file : " + t.path("no/dir/o.png")},
    };
    std::string out, err;
    for (const auto &c : refused) {
        EXPECT_EQ(runcli(c.args, &out, &err), 2) << c.args;
        EXPECT_EQ(err, E + c.message + " | Okay\n") << c.args;
        EXPECT_EQ(out, "") << c.args;
    }
    EXPECT_TRUE(slurp(t.path("o.iwo")).empty() && slurp(t.path("o.png")).empty());

    // run refuses its input the same way: exit 2, the requester in the
    // session's output and not one line of the script run.
    const std::string print = "print\n";
    spit(t.path("script"), {print.begin(), print.end()});
    const std::string script = "run " + t.path("script") + " ";
    const struct {
        std::string in, message;
    } inputs[] = {
        {zero, "Sorry. Not a valid Ideaweave file."},
        {newer, "Sorry. Can't open file. Upgrade"},
        {t.path("missing.iwo"), "Sorry. Could not open file : " + t.path("missing.iwo")},
        {t.dir, "Sorry. Could not open file : " + t.dir},
    };
    for (const auto &c : inputs) {
        EXPECT_EQ(runcli(script + c.in, &out, &err), 2) << c.in;
        EXPECT_EQ(out.rfind("requester: Ideaweave Error | " + c.message, 0), 0u) << out;
        EXPECT_EQ(out.find('\n'), out.size() - 1) << out;
    }
    EXPECT_EQ(runcli("run " + t.path("noscript"), &out, &err), 2);
}

// Window and command lines of a session that can't be carried out stop it
// with the line named; nothing is typed, queued or changed by them.
TEST(Cli, RunRefusesBadWindowLines) {
    const char *bad[] = {"set 212 abc",       "set 999 1",         "set 224 1x",
                         "palette 256",       "palette -1",        "style x",
                         "font Foo.font 0",   "font Foo.font 121", "font 16",
                         "gadget 220 middle", "window nowhere",    "close nowhere",
                         "record 99",         "arrange",           "arrange circle",
                         "arrange Tree",      "arrange tree down", "import"};
    for (const char *line : bad) {
        TempDir t;
        std::string text = std::string("gadget 101\nmove 200 200\npress 200 200\n"
                                       "release 200 200\nmenu 2 0\n") +
                           line + "\n";
        spit(t.path("s"), std::vector<uint8_t>(text.begin(), text.end()));
        std::string out, err;
        EXPECT_EQ(runcli("run " + t.path("s"), &out, &err), 1) << line;
        EXPECT_NE(err.find(std::string(":6: bad line: ") + line), std::string::npos) << err;
    }
}

// One rule for file names everywhere: info prints a diagram's file name as
// the window title shows it, UTF-8 as it stands and a byte that is no UTF-8
// as its ISO-8859-1 character.
class CliNames : public Core {};
TEST_F(CliNames, InfoShowsFileNamesAsTheTitleDoes) {
    TempDir t;
    const std::string path = t.path("\xc3\xa9t\xc3\xa9 \xe9.iwo");
    ASSERT_EQ(runcli("convert " + fixture("store/fixtures/r97.iwo") + " '" + path + "'"), 0);
    std::string out;
    ASSERT_EQ(runcli("info '" + path + "'", &out), 0);
    const std::string shown = t.dir + "/\xc3\xa9t\xc3\xa9 \xc3\xa9.iwo";
    EXPECT_NE(out.find("\"filename\": \"" + shown + "\""), std::string::npos) << out;
    DiagramExists = 1;
    std::strcpy(IWODiagram.filename, path.c_str());
    updateIWOdiagram();
    EXPECT_EQ(ui.title().substr(ui.title().find(" Saved as : ") + 12), shown);
}
