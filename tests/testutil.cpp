// testutil.cpp - shared test helpers.
#include "testutil.h"

#include "app/startup.h"
#include "edit/interact.h"
#include "model/create.h"
#include "model/diagram.h"
#include "model/iwo.h"
#include "model/select.h"
#include "platform/files.h"
#include "platform/pngwrite.h"
#include "platform/raster.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sys/wait.h>

// The program's settings are kept in the build tree, never in the user's
// configuration, whatever the test runs (the command-line tool included).
static const bool configdirectoryset = setenv("XDG_CONFIG_HOME", IW_TEST_CONFIGDIR, 1) == 0;

void Core::SetUp() {
    capture = std::tmpfile();
    ui.setoutput(capture);
    setplatformui(&ui);
    // Each test starts as the program does, with the diagram record of no
    // diagram yet: the empty user-object slots take their font from it.
    IWODiagram = DiagramRecord{};
    setupcore();
    std::rewind(capture);
    // Forget what the set-up printed (nothing, normally).
    std::fclose(capture);
    capture = std::tmpfile();
    ui.setoutput(capture);
}

void Core::TearDown() {
    setplatformui(nullptr);
    setfilefault(FAULT_NONE, 0);
    if (capture) std::fclose(capture);
}

std::string Core::lines() {
    std::fflush(capture);
    std::rewind(capture);
    std::string s;
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, capture)) > 0) s.append(buf, n);
    return s;
}

TempDir::TempDir() {
    char tmpl[] = "/tmp/iwtest-XXXXXX";
    dir = ::mkdtemp(tmpl);
}

TempDir::~TempDir() {
    std::string cmd = "rm -rf '" + dir + "'";
    if (std::system(cmd.c_str()) != 0) std::fprintf(stderr, "could not remove %s\n", dir.c_str());
}

std::vector<uint8_t> slurp(const std::string &path) {
    std::ifstream f(path, std::ios::binary);
    return std::vector<uint8_t>((std::istreambuf_iterator<char>(f)), {});
}

std::string text(const std::string &path) {
    std::vector<uint8_t> b = slurp(path);
    return std::string(b.begin(), b.end());
}

void spit(const std::string &path, const std::vector<uint8_t> &data) {
    std::ofstream f(path, std::ios::binary);
    f.write((const char *)data.data(), (std::streamsize)data.size());
}

std::string fixture(const std::string &name) { return std::string(IW_TEST_DATADIR) + "/" + name; }

int runcli(const std::string &args, std::string *out, std::string *err) {
    TempDir t;
    std::string cmd =
        std::string(IW_CLI_PATH) + " " + args + " >" + t.path("out") + " 2>" + t.path("err");
    int status = std::system(cmd.c_str());
    if (out) *out = text(t.path("out"));
    if (err) *err = text(t.path("err"));
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

int place(int type, int x, int y, int w, int h, bool selected) {
    resetsingleIWO(SHADOWIWO);
    createIWO(SHADOWIWO, type, x, y, linecolour, lineweight, fillcolour);
    IWORecord &s = IWO[SHADOWIWO];
    if (w != DEFAULTSIZE) s.width = (int16_t)w, s.height = (int16_t)h;
    int n = IWONumber;
    resetsingleIWO(n);
    createIWO(n, type, x, y, linecolour, lineweight, fillcolour);
    IWORecord &r = IWO[n];
    if (w != DEFAULTSIZE)
        r.x = (int16_t)x, r.y = (int16_t)y, r.width = (int16_t)w, r.height = (int16_t)h;
    if (!selected) {
        r.selected = 0;
        selectedIWO = -99;
        numIWOselected = 0;
    }
    return n;
}

int connect(int a, int ax, int ay, int b, int bx, int by) {
    connectstartIWO = (int16_t)a, connectendIWO = (int16_t)b;
    connectstartoffsetx = (int16_t)ax, connectstartoffsety = (int16_t)ay;
    connectendoffsetx = (int16_t)bx, connectendoffsety = (int16_t)by;
    int x = IWO[a].x + ax, y = IWO[a].y + ay, ex = IWO[b].x + bx, ey = IWO[b].y + by;
    // The outline runs from the press to the release point, as the pointer left it.
    IWORecord &s = IWO[SHADOWIWO];
    s.x = (int16_t)x, s.y = (int16_t)y, s.width = (int16_t)(ex - x), s.height = (int16_t)(ey - y);
    int n = IWONumber;
    resetsingleIWO(n);
    createIWO(n, 108, ex, ey, linecolour, lineweight, fillcolour);
    IWO[n].selected = 0;
    connectstartIWO = connectendIWO = -5;
    return n;
}

std::vector<uint8_t> recordbytes(const IWORecord &r) {
    std::vector<uint8_t> out(IWORECORDSIZE);
    writeIWOrecord(r, out.data());
    return out;
}

void selectonly(std::initializer_list<int> indices) {
    for (int i = 1; i < IWONumber; i++) IWO[i].selected = 0;
    int n = 0;
    for (int i : indices) {
        IWO[i].selected = 1;
        selectedIWO = (int16_t)i;
        n++;
    }
    numIWOselected = (int16_t)n;
}

void outline(int f, int dx, int dy, int dw, int dh) {
    IWORecord &s = IWO[SHADOWIWO];
    s = IWO[f];
    s.x += (int16_t)dx, s.y += (int16_t)dy, s.width += (int16_t)dw, s.height += (int16_t)dh;
}

std::vector<int> ids() {
    std::vector<int> v;
    for (int k = 1; k < IWONumber; k++) v.push_back(IWO[k].id);
    return v;
}

std::vector<int> seg(int k) {
    const IWORecord &r = IWO[k];
    return {r.x, r.y, r.x + r.width, r.y + r.height};
}

std::vector<int> field(std::vector<int> objs, int16_t IWORecord::*f) {
    std::vector<int> v;
    for (int k : objs) v.push_back(IWO[k].*f);
    return v;
}

int recorded(int n) {
    savehistorypre(n);
    savehistorypost(n, HISTORY_CREATE);
    return n;
}

// Every object record in table order, serialised, with `selected` cleared
// (undo leaves restored records unselected; the selection is not content).
std::vector<uint8_t> tableimage() {
    std::vector<uint8_t> out;
    for (int i = 1; i < IWONumber; i++) {
        IWORecord r = IWO[i];
        r.selected = 0;
        const std::vector<uint8_t> b = recordbytes(r);
        out.insert(out.end(), b.begin(), b.end());
    }
    return out;
}

bool canundo() {
    return history[historynum == 0 ? MAXHISTORY : historynum - 1].kind != HISTORY_EMPTY;
}

int undocount() {
    int steps = 0;
    while (canundo() && steps < 1000) {
        undohistory();
        steps++;
    }
    return steps;
}

::testing::AssertionResult goldenmatch(const Raster *rp, const std::string &name) {
    std::string path = fixture(name);
    if (std::getenv("IW_UPDATE_GOLDEN") && !writepenpng(path.c_str(), rp))
        return ::testing::AssertionFailure() << "cannot write " << path;
    int w = 0, h = 0;
    std::vector<uint8_t> pens;
    if (!readpenpng(path.c_str(), &w, &h, &pens, nullptr))
        return ::testing::AssertionFailure() << "cannot read " << path;
    if (w != rp->Width || h != rp->Height)
        return ::testing::AssertionFailure() << name << " is " << w << "x" << h;
    for (size_t i = 0; i < pens.size(); i++)
        if (pens[i] != rp->Pixels[i])
            return ::testing::AssertionFailure()
                   << name << " differs first at (" << i % w << "," << i / w
                   << "): " << (int)rp->Pixels[i] << " instead of " << (int)pens[i];
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult samebytes(const std::vector<uint8_t> &bytes, const std::string &name) {
    const std::string path = fixture(name);
    if (std::getenv("IW_UPDATE_GOLDEN")) spit(path, bytes);
    const std::vector<uint8_t> stored = slurp(path);
    size_t k = 0;
    while (k < bytes.size() && k < stored.size() && bytes[k] == stored[k]) k++;
    if (k == bytes.size() && k == stored.size()) return ::testing::AssertionSuccess();
    const std::string got(bytes.begin() + (long)(k > 40 ? k - 40 : 0),
                          bytes.begin() + (long)std::min(bytes.size(), k + 80));
    return ::testing::AssertionFailure()
           << name << " (" << stored.size() << " bytes stored, " << bytes.size()
           << " made) differs first at byte " << k << ": ..." << got;
}
