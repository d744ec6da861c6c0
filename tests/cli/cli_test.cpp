// ideaweave-cli: usage, exit codes, info's JSON and convert.
#include "model/bytes.h"
#include "platform/files.h"
#include "testutil.h"

#include <cstring>
#include <sstream>

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
        put2byte(f.data() + 257 + 1258, release);
        spit(t.path(name), f);
        return t.path(name);
    };
    const std::string newer = withrelease("new.iwo", 98), zero = withrelease("zero.iwo", 0);
    // A picture renamed: whatever its bytes, not a diagram file.
    std::vector<uint8_t> png(9000, 0x61);
    std::memcpy(png.data(), "\x89PNG\r\n\x1a\n", 8);
    spit(t.path("picture.iwo"), png);
    const std::string picture = t.path("picture.iwo");
    // A diagram cut short: 5 records counted, 2 whole and a piece.
    auto whole = slurp(r97);
    spit(t.path("cut.iwo"),
         std::vector<uint8_t>(whole.begin(), whole.begin() + 2569 + 2 * 1442 + 99));
    const std::string cut = t.path("cut.iwo");
    const std::string INCOMPLETE = cut + " is incomplete: 2 of 5 objects could be read.";
    const std::string NOFILE = "\\nNo such file or directory";
    const std::string E = "requester: Ideaweave Error | Sorry. ",
                      NOTVALID = "Not a valid Ideaweave file.";
    const struct {
        std::string args, message;
    } refused[] = {
        {"info " + newer, "Can't open file. Upgrade to a newer version of Ideaweave now!"},
        {"info " + zero, NOTVALID},
        {"info " + picture, NOTVALID},
        {"info " + t.path("missing.iwo"),
         "Could not open file : " + t.path("missing.iwo") + NOFILE},
        {"info /dev/zero", "Could not open file : /dev/zero\\nInvalid argument"},
        {"info " + t.dir, "Could not open file : " + t.dir + "\\nIs a directory"},
        {"convert " + zero + " " + t.path("o.iwo"), NOTVALID},
        {"convert " + picture + " " + t.path("o.iwo"), NOTVALID},
        {"convert " + cut + " " + t.path("o.iwo"), INCOMPLETE},
        {"convert " + r97 + " " + t.path("no/such.iwo"),
         "Could not save file : " + t.path("no/such.iwo") + NOFILE},
        {"render " + t.path("missing.iwo") + " " + t.path("o.png"),
         "Could not open file : " + t.path("missing.iwo") + NOFILE},
        {"render " + zero + " " + t.path("o.png"), NOTVALID},
        {"render " + cut + " " + t.path("o.png"), INCOMPLETE},
        {"render " + r97 + " " + t.path("no/dir/o.png"),
         "Could not save file : " + t.path("no/dir/o.png") + NOFILE},
        {"render " + r97 + " " + t.dir, "Could not save file : " + t.dir + "\\nIs a directory"},
        {"export " + cut + " " + t.path("o.svg"), INCOMPLETE},
        {"export " + cut + " " + t.path("o.txt"), INCOMPLETE},
        {"export " + picture + " " + t.path("o.svg"), NOTVALID},
        {"export " + r97 + " " + t.path("no/dir/o.svg"),
         "Could not save file : " + t.path("no/dir/o.svg") + NOFILE},
    };
    std::string out, err;
    for (const auto &c : refused) {
        EXPECT_EQ(runcli(c.args, &out, &err), 2) << c.args;
        EXPECT_EQ(err, E + c.message + " | Okay\n") << c.args;
        EXPECT_EQ(out, "") << c.args;
    }
    EXPECT_TRUE(slurp(t.path("o.iwo")).empty() && slurp(t.path("o.png")).empty());
    EXPECT_TRUE(slurp(t.path("o.svg")).empty() && slurp(t.path("o.txt")).empty());
    // info shows what could be read, and still says the file is incomplete.
    EXPECT_EQ(runcli("info " + cut, &out, &err), 2);
    EXPECT_EQ(err, E + INCOMPLETE + " | Okay\n");
    EXPECT_NE(out.find("\"IWONumber\": 3"), std::string::npos) << out;

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
        {picture, "Sorry. Not a valid Ideaweave file."},
        {t.path("missing.iwo"), "Sorry. Could not open file : " + t.path("missing.iwo") + NOFILE},
        {t.dir, "Sorry. Could not open file : " + t.dir + "\\nIs a directory"},
    };
    for (const auto &c : inputs) {
        EXPECT_EQ(runcli(script + c.in, &out, &err), 2) << c.in;
        EXPECT_EQ(out.rfind("requester: Ideaweave Error | " + c.message, 0), 0u) << out;
        EXPECT_EQ(out.find('\n'), out.size() - 1) << out;
    }
    EXPECT_EQ(runcli("run " + t.path("noscript"), &out, &err), 2);
}

// Window and command lines of a session that can't be carried out (one a line
// in badlines.txt) stop it with the line named; nothing is typed, queued or
// changed by them.
TEST(Cli, RunRefusesBadWindowLines) {
    std::istringstream bad(text(fixture("cli/badlines.txt")));
    int n = 0;
    for (std::string line; std::getline(bad, line); n++) {
        TempDir t;
        std::string script = std::string("gadget 101\nmove 200 200\npress 200 200\n"
                                         "release 200 200\nmenu 2 0\n") +
                             line + "\n";
        spit(t.path("s"), std::vector<uint8_t>(script.begin(), script.end()));
        std::string out, err;
        EXPECT_EQ(runcli("run " + t.path("s"), &out, &err), 1) << line;
        EXPECT_NE(err.find(std::string(":6: bad line: ") + line), std::string::npos) << err;
    }
    EXPECT_EQ(n, 21);
}

// Onto a full disk (a small file system of its own, filled up): every writer
// says "No space left on device" and leaves the file that was there whole,
// with no temporary file beside it. Skipped where no file system can be made.
TEST(Cli, FullDiskLeavesFilesWhole) {
    TempDir t;
    const std::string r97 = fixture("store/fixtures/r97.iwo"), d = t.path("full");
    const std::string cli = IW_CLI_PATH;
    std::string sh = "set -u; mkdir " + d + " && mount -t tmpfs -o size=64k tmpfs " + d +
                     " 2>/dev/null || exit 77\n"
                     "for f in a.svg a.txt a.iwo a.png; do printf old >" +
                     d +
                     "/$f; done\n"
                     "dd if=/dev/zero of=" +
                     d + "/fill bs=4096 2>/dev/null\n";
    for (const char *job :
         {"export R a.svg", "export R a.txt", "convert R a.iwo", "render R a.png"}) {
        std::string line = job;
        line.replace(line.find(" R "), 3, " " + r97 + " " + d + "/");
        sh += cli + " " + line + " >/dev/null 2>>" + t.path("err") + "; echo $? >>" +
              t.path("codes") + "\n";
    }
    sh += "cat " + d + "/a.svg " + d + "/a.txt " + d + "/a.iwo " + d + "/a.png >" + t.path("kept") +
          "\nls -A " + d + " >" + t.path("left") + "\numount " + d + "\n";
    spit(t.path("sh"), std::vector<uint8_t>(sh.begin(), sh.end()));
    const int status = std::system(("unshare -m sh " + t.path("sh") + " 2>/dev/null").c_str());
    if (!WIFEXITED(status) || WEXITSTATUS(status) == 77 || !fileexists(t.path("codes")))
        GTEST_SKIP() << "no file system of its own can be made here";
    EXPECT_EQ(text(t.path("codes")), "2\n2\n2\n2\n");
    const std::string err = text(t.path("err"));
    for (const char *f : {"a.svg", "a.txt", "a.iwo", "a.png"})
        EXPECT_NE(
            err.find("Sorry. Could not save file : " + d + "/" + f + "\\nNo space left on device"),
            std::string::npos)
            << f << "\n"
            << err;
    EXPECT_EQ(text(t.path("kept")), "oldoldoldold");
    EXPECT_EQ(text(t.path("left")), "a.iwo\na.png\na.svg\na.txt\nfill\n");
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
