// Diagram files: the byte layout written, the release rules, both old-record
// conversions, and loads and saves that fail without harming anything.
#include "model/bytes.h"
#include "platform/files.h"
#include "app/filedialogs.h"
#include "store/diagramfile.h"
#include "testutil.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The whole table (records 0..IWONumber) and the diagram record as bytes.
std::vector<uint8_t> state() {
    std::vector<uint8_t> s(DIAGRAMRECORDSIZE + (size_t)(IWONumber + 1) * IWORECORDSIZE + 2);
    writeIWOdiagramrecord(IWODiagram, s.data());
    put2byte(s.data() + DIAGRAMRECORDSIZE, IWONumber);
    for (int i = 0; i <= IWONumber; i++)
        writeIWOrecord(IWO[i], s.data() + DIAGRAMRECORDSIZE + 2 + (size_t)i * IWORECORDSIZE);
    return s;
}

// The release in the header and in the diagram record, as a writer of that
// release leaves them (or in the header alone).
std::vector<uint8_t> withrelease(std::vector<uint8_t> file, int release, bool record = true) {
    put2byte(file.data() + 255, release);
    if (record) put2byte(file.data() + 257 + 1258, release);
    return file;
}

} // namespace

class DiagramFile : public Core {
  protected:
    TempDir tmp;
};

// Three objects make the stored file (the scratch record, then the objects,
// after the diagram record); it loads back as four records.
TEST_F(DiagramFile, ThreeObjectsLayoutAndReload) {
    place(101, 100, 100);
    place(105, 500, 100);
    place(104, 900, 100);
    std::string path = tmp.path("three.iwo");
    ASSERT_EQ(writeIWOdiagramfile(path), 1);
    EXPECT_TRUE(samebytes(slurp(path), "store/fixtures/three.iwo"));

    newIWOdiagram();
    IWONumber = 1;
    ASSERT_EQ(readIWOdiagramfile(path), 1);
    EXPECT_EQ(IWONumber, 4);
    EXPECT_EQ(IWO[4].type, DEADTYPE);
    EXPECT_STREQ(IWODiagram.filename, path.c_str());
}

// The release rules; a refused file leaves table and record as they were.
TEST_F(DiagramFile, ReleaseRulesAndUntouchedStateOnRefusal) {
    place(101, 100, 100);
    std::string path = tmp.path("good.iwo");
    ASSERT_EQ(writeIWOdiagramfile(path), 1);
    auto good = slurp(path);
    place(105, 300, 300);
    std::strcpy(IWODiagram.title, "Open one");
    auto before = state();

    const std::string NOTVALID = "Sorry. Not a valid Ideaweave file.";
    struct Case {
        std::vector<uint8_t> data;
        std::string message;
    };
    std::vector<Case> cases = {
        {withrelease(good, 0), NOTVALID},
        {withrelease(good, -1), NOTVALID},
        {withrelease(good, -32768), NOTVALID},
        {withrelease(good, 98),
         "Sorry. Can't open file. Upgrade to a newer version of Ideaweave now!"},
        {std::vector<uint8_t>(good.begin(), good.begin() + 256), NOTVALID},
        {std::vector<uint8_t>(), NOTVALID},
        {std::vector<uint8_t>(good.begin(), good.begin() + 2568), NOTVALID},
    };
    // Files of other kinds, whatever their bytes at the release's place: a
    // picture renamed, a header release the diagram record doesn't repeat;
    // text, or one byte over and over (both places agree, on no release).
    std::vector<uint8_t> picture(good.size(), 0x5A);
    std::memcpy(picture.data(), "\x89PNG\r\n\x1a\n", 8);
    for (int r : {98, 300, 97, 1}) {
        cases.push_back({withrelease(picture, r, false), NOTVALID});
        cases.push_back({withrelease(good, r == 97 ? 96 : r, false), NOTVALID});
    }
    for (int fill : {0x20, 0x61, 0x7F})
        cases.push_back({std::vector<uint8_t>(good.size(), (uint8_t)fill), NOTVALID});
    for (auto &c : cases) {
        std::string m;
        EXPECT_EQ(readIWOdiagrambytes(c.data.data(), c.data.size(), &m), 0);
        EXPECT_EQ(m, c.message);
        EXPECT_EQ(state(), before) << c.message << " size " << c.data.size();
    }
    // The version text can be anything: only the release is judged.
    auto odd = good;
    std::memset(odd.data(), 0xFF, 255);
    EXPECT_EQ(readIWOdiagrambytes(odd.data(), odd.size()), 1);
    EXPECT_EQ(IWONumber, 2);
}

// Odd lengths: a file that ends right after the diagram record is an empty
// diagram; a short last record is taken as far as it goes, the rest being the
// reset slot; more records than the table holds stop at its end (the record
// count is not trusted either).
TEST_F(DiagramFile, OddLengths) {
    place(101, 123, 456);
    std::string path = tmp.path("one.iwo");
    ASSERT_EQ(writeIWOdiagramfile(path), 1);
    auto bytes = slurp(path);
    std::vector<uint8_t> header(bytes.begin(), bytes.begin() + 2569);
    ASSERT_EQ(readIWOdiagrambytes(header.data(), header.size()), 1);
    EXPECT_EQ(IWONumber, 1);
    EXPECT_EQ(IWO[1].type, DEADTYPE);
    // id, type, name, x, y, width of record 1
    std::vector<uint8_t> partial(bytes.begin(), bytes.end() - IWORECORDSIZE + 40);
    ASSERT_EQ(readIWOdiagrambytes(partial.data(), partial.size()), 1);
    EXPECT_EQ(IWONumber, 2);
    EXPECT_EQ(IWO[1].type, 101);
    EXPECT_EQ(IWO[1].x, 123);
    EXPECT_EQ(IWO[1].label[0], 0);

    std::vector<uint8_t> rec(bytes.end() - IWORECORDSIZE, bytes.end());
    for (int i = 0; i < 1100; i++) bytes.insert(bytes.end(), rec.begin(), rec.end());
    put2byte(bytes.data() + 257 + 2310, 30000);
    ASSERT_EQ(readIWOdiagrambytes(bytes.data(), bytes.size()), 1);
    EXPECT_EQ(IWONumber, MAXIWO + 1);
    EXPECT_EQ(IWO[MAXIWO + 1].type, DEADTYPE);
    EXPECT_EQ(IWO[SHADOWIWO].id, -99);
}

// A file that ends too soon loads as far as it goes and says how far: a
// record cut short (any release), fewer whole records than the current
// release's count, more than the table takes. Older releases' counts are not
// trusted; a whole file says nothing.
TEST_F(DiagramFile, IncompleteFilesLoadWhatTheyHoldAndSaySo) {
    for (int i = 0; i < 9; i++) place(101, 100 + 150 * i, 100);
    std::string path = tmp.path("ten.iwo");
    ASSERT_EQ(writeIWOdiagramfile(path), 1);
    const auto whole = slurp(path);
    ASSERT_EQ(whole.size(), 16989u);
    auto cut = [&](size_t n) { return std::vector<uint8_t>(whole.begin(), whole.begin() + n); };
    auto old = [](std::vector<uint8_t> f, int objects) {
        f = withrelease(std::move(f), 95);
        put2byte(f.data() + 257 + 2310, objects);
        return f;
    };
    const struct {
        std::vector<uint8_t> data;
        int records;         // IWONumber after the load
        std::string warning; // "" none
    } cases[] = {
        {whole, 10, ""},
        {cut(5000), 2, "Sorry. NAME is incomplete: 1 of 10 objects could be read."},
        {cut(2569 + 4 * 1442), 4, "Sorry. NAME is incomplete: 4 of 10 objects could be read."},
        {cut(2569), 1, "Sorry. NAME is incomplete: 0 of 10 objects could be read."},
        {cut(whole.size() - 1), 10, "Sorry. NAME is incomplete: 9 of 10 objects could be read."},
        {withrelease(cut(2569 + 4 * 1442), 96), 4, ""},
        {old(cut(2569 + 688 * 5), 30), 5, ""},
        {old(cut(2569 + 688 * 5 + 100), 0), 6,
         "Sorry. NAME is incomplete: 5 of 6 objects could be read."},
    };
    for (const auto &c : cases) {
        std::string m, w = "left over";
        ASSERT_EQ(readIWOdiagrambytes(c.data.data(), c.data.size(), &m, &w, "NAME"), 1)
            << c.data.size() << " " << m;
        EXPECT_EQ(IWONumber, c.records) << c.data.size();
        EXPECT_EQ(w, c.warning) << c.data.size();
    }
    // Through the file reader the name is the path; the CLI's load says the same.
    spit(tmp.path("cut.iwo"), cut(5000));
    std::string m, w;
    ASSERT_EQ(readIWOdiagramfile(tmp.path("cut.iwo"), &m, &w), 1);
    EXPECT_EQ(w,
              "Sorry. " + tmp.path("cut.iwo") + " is incomplete: 1 of 10 objects could be read.");
    EXPECT_STREQ(IWODiagram.filename, tmp.path("cut.iwo").c_str());

    // More records than the table takes: the count says how many there were.
    auto big = whole;
    std::vector<uint8_t> rec(whole.end() - IWORECORDSIZE, whole.end());
    for (int i = 0; i < 1000; i++) big.insert(big.end(), rec.begin(), rec.end());
    put2byte(big.data() + 257 + 2310, 1010);
    spit(tmp.path("big.iwo"), big);
    ASSERT_EQ(readIWOdiagramfile(tmp.path("big.iwo"), &m, &w), 1);
    EXPECT_EQ(w, "Sorry. " + tmp.path("big.iwo") +
                     " is incomplete: 1001 of 1010 objects could be read.");
}

// A load starts from a clean table, continues ids above the loaded ones
// and the group numbers above the largest group.
TEST_F(DiagramFile, LoadStartsCleanAndContinuesCounters) {
    ASSERT_EQ(readIWOdiagramfile(fixture("store/fixtures/r97.iwo")), 1);
    EXPECT_EQ(IWONumber, 5);
    EXPECT_EQ(groupnum, 3);
    EXPECT_GE(IWOid, 7);
    // Fill the table with stale labels, then load a smaller file.
    for (int i = 0; i < 20; i++) std::strcpy(IWO[i].label, "stale");
    ASSERT_EQ(readIWOdiagramfile(fixture("store/fixtures/r96.iwo")), 1);
    EXPECT_EQ(IWONumber, 3);
    for (int i = 3; i < 20; i++) EXPECT_STREQ(IWO[i].label, "") << i;
    int n = place(101, 0, 0);
    for (int i = 1; i < n; i++) EXPECT_NE(IWO[i].id, IWO[n].id);
}

// Old releases convert record for record as stored in fixtures/NAME.records
// (the records a save then writes; IW_UPDATE_GOLDEN=1 writes them anew):
// release 92's Diamond repaired as a diamond polygon in the record's pens with
// one highlight outline and a rectangular erase area, release 95's parts kept.
TEST_F(DiagramFile, OldReleasesConvertAsStored) {
    // A current diagram open first: nothing of it may reach the converted records.
    ASSERT_EQ(readIWOdiagramfile(fixture("store/fixtures/r97.iwo")), 1);
    for (std::string name : {"r50", "r92", "r95"}) {
        ASSERT_EQ(readIWOdiagramfile(fixture("store/fixtures/" + name + ".iwo")), 1);
        ASSERT_EQ(writeIWOdiagramfile(tmp.path("out.iwo")), 1);
        auto written = slurp(tmp.path("out.iwo"));
        std::vector<uint8_t> records(written.begin() + 2569, written.end());
        EXPECT_TRUE(samebytes(records, "store/fixtures/" + name + ".records"));
    }
}

// Save goes to Save As while the diagram has no file of its own.
TEST_F(DiagramFile, SaveAsksForNameWhenFilenameIsADrawer) {
    for (const std::string &name :
         std::vector<std::string>{"", "x", tmp.dir + "/", "ram:", tmp.dir}) {
        std::strcpy(IWODiagram.filename, name.c_str());
        ui.queueanswer(0); // cancel the file requester
        EXPECT_EQ(saveIWOdiagram(), 0) << name;
        EXPECT_NE(lines().find("filerequester: Save As..."), std::string::npos) << name;
    }
}

// A failed write is reported and the previous file survives whole, at
// every step of the write.
TEST_F(DiagramFile, FailedSaveKeepsPreviousFile) {
    place(101, 100, 100);
    std::string path = tmp.path("safe.iwo");
    std::strcpy(IWODiagram.filename, path.c_str());
    ASSERT_EQ(saveIWOdiagram(), 1);
    auto good = slurp(path);
    place(105, 400, 100);
    for (FileFault f : {FAULT_OPEN, FAULT_WRITE, FAULT_SYNC, FAULT_RENAME}) {
        setfilefault(f, 1);
        EXPECT_EQ(saveIWOdiagram(), 0) << f;
        EXPECT_EQ(slurp(path), good) << f;
    }
    EXPECT_NE(lines().find("requester: Ideaweave Error | Sorry. Could not save file : " + path),
              std::string::npos);
    // No temporary files are left behind.
    EXPECT_EQ(std::system(("test $(ls -A '" + tmp.dir + "' | wc -l) -eq 1").c_str()), 0);
    // A directory that cannot be written to; a directory in the file's place.
    std::string m;
    EXPECT_EQ(writeIWOdiagramfile(tmp.path("missing/dir.iwo"), &m), 0);
    EXPECT_EQ(m, "Sorry. Could not save file : " + tmp.path("missing/dir.iwo") +
                     "\nNo such file or directory");
    EXPECT_EQ(writeIWOdiagramfile(tmp.dir, &m), 0);
    EXPECT_EQ(m, "Sorry. Could not save file : " + tmp.dir + "\nIs a directory");
    setfilefault(FAULT_WRITE, 1);
    EXPECT_EQ(writeIWOdiagramfile(path, &m), 0);
    EXPECT_EQ(m, "Sorry. Could not save file : " + path + "\nInput/output error");
}

// A save keeps the permissions of the file it replaces (the temporary file it
// is written as starts private), also through a symbolic link, which stays a
// link; a new file gets 0666 less the umask; a read-only file is refused
// untouched.
TEST_F(DiagramFile, SaveKeepsLinksModesAndReadOnlyFiles) {
    place(101, 100, 100);
    auto mode = [](const std::string &p) {
        struct stat st;
        return ::lstat(p.c_str(), &st) == 0 ? (int)st.st_mode : -1;
    };
    struct Umask {
        mode_t old = ::umask(0);
        ~Umask() { ::umask(old); }
    } restore;
    for (int mask : {027, 0}) {
        ::umask((mode_t)mask);
        const std::string p = tmp.path(std::to_string(mask) + ".iwo");
        EXPECT_EQ(writeIWOdiagramfile(p), 1);
        EXPECT_EQ(mode(p) & 07777, 0666 & ~mask);
    }
    ::umask(022);
    std::string real = tmp.path("real.iwo"), link = tmp.path("sub/link.iwo");
    ASSERT_EQ(mkdir(tmp.path("sub").c_str(), 0700), 0);
    spit(real, {1, 2, 3});
    ASSERT_EQ(symlink("../real.iwo", link.c_str()), 0);
    std::strcpy(IWODiagram.filename, link.c_str());
    for (int kept : {0640, 0604, 0600}) {
        ASSERT_EQ(::chmod(real.c_str(), (mode_t)kept), 0);
        ASSERT_EQ(saveIWOdiagram(), 1);
        EXPECT_TRUE(S_ISLNK(mode(link)));
        EXPECT_EQ(mode(real) & 07777, kept);
    }
    auto good = slurp(real);
    EXPECT_EQ(good.size(), 2569u + 2 * 1442);

    ASSERT_EQ(chmod(real.c_str(), 0444), 0);
    place(105, 400, 100);
    EXPECT_EQ(saveIWOdiagram(), 0);
    EXPECT_NE(lines().find("requester: Ideaweave Error | Sorry. Could not save file : " + link),
              std::string::npos);
    EXPECT_EQ(slurp(real), good);
    EXPECT_EQ(mode(real) & 07777, 0444);
}

// Loading never creates a file, and a failed read changes nothing.
TEST_F(DiagramFile, LoadNeverCreatesAndFailedReadChangesNothing) {
    place(101, 100, 100);
    auto before = state();
    std::string m;
    EXPECT_EQ(readIWOdiagramfile(tmp.path("nothing.iwo"), &m), 0);
    EXPECT_FALSE(fileexists(tmp.path("nothing.iwo")));
    // The message gives the system's reason.
    EXPECT_EQ(m, "Sorry. Could not open file : " + tmp.path("nothing.iwo") +
                     "\nNo such file or directory");
    EXPECT_EQ(readIWOdiagramfile(tmp.dir, &m), 0);
    EXPECT_EQ(m, "Sorry. Could not open file : " + tmp.dir + "\nIs a directory");
    // Only regular files are read: a pipe would wait for ever, a device never end.
    ASSERT_EQ(mkfifo(tmp.path("pipe.iwo").c_str(), 0600), 0);
    for (const std::string &p : {tmp.path("pipe.iwo"), std::string("/dev/zero")}) {
        EXPECT_EQ(readIWOdiagramfile(p, &m), 0);
        EXPECT_EQ(m, "Sorry. Could not open file : " + p + "\nInvalid argument");
    }
    setfilefault(FAULT_READ, 1);
    EXPECT_EQ(readIWOdiagramfile(fixture("store/fixtures/r97.iwo"), &m), 0);
    EXPECT_EQ(state(), before);
}

// Only the program's own drawer names end in ':'; anywhere else a ':'
// belongs to the name (the desktop's file chooser gives drawers without "/").
TEST_F(DiagramFile, ColonIsOrdinaryOutsideOwnDrawers) {
    struct Case {
        const char *drawer, *file, *path, *drawerpart;
    } cases[] = {
        {"/home/u/plans/a:", "x.iwo", "/home/u/plans/a:/x.iwo", "/home/u/plans/a:/"},
        {"/home/u/plans", "plan:v2.iwo", "/home/u/plans/plan:v2.iwo", "/home/u/plans/"},
        {"", "plan:v2.iwo", "plan:v2.iwo", ""},
        {"work:", "x.iwo", "work:/x.iwo", "work:/"},
        {"T:", "IdeaweaveLog.txt", "T:IdeaweaveLog.txt", "T:"},
        {"ram:", "ideaweavetemp.svg", "ram:ideaweavetemp.svg", "ram:"},
        {"progdir:", "default.prefs", "progdir:default.prefs", "progdir:"},
    };
    for (const Case &c : cases) {
        std::string path = AddPart(c.drawer, c.file);
        EXPECT_EQ(path, c.path);
        EXPECT_EQ(FilePart(path), c.file) << path;
        EXPECT_EQ(PathPart(path), c.drawerpart) << path;
    }
    EXPECT_EQ(hostpath("T:x.svg"), tempdirectory() + "x.svg");
    EXPECT_EQ(hostpath("plan:v2.iwo"), "plan:v2.iwo");
}

// Garbage counts and unterminated texts load without harm.
TEST_F(DiagramFile, GarbageCountsAndTexts) {
    place(101, 100, 100);
    std::string path = tmp.path("g.iwo");
    ASSERT_EQ(writeIWOdiagramfile(path), 1);
    auto bytes = slurp(path);
    uint8_t *rec = bytes.data() + 2569 + IWORECORDSIZE;
    rec[370] = 255;
    rec[371] = 200;
    std::memset(rec + 4, 'N', 26);
    std::memset(rec + 316, 'L', 50);
    std::memset(bytes.data() + 257 + 1260, 'T', 255);
    ASSERT_EQ(readIWOdiagrambytes(bytes.data(), bytes.size()), 1);
    EXPECT_EQ(IWO[1].drawnum, 255); // kept as read; users clamp
    DiagramExists = 1;
    updateIWOdiagram();
    EXPECT_EQ(ui.title().size(), 99u);
}
