// testutil.h - shared test helpers.
//
//   Core                  fixture base: a freshly set-up core with a headless
//                         platform whose requester lines are captured
//   Core::lines()         the requester lines printed so far
//   Core::ui              the headless platform (queue answers here)
//   TempDir               a fresh directory, removed afterwards
//   slurp(path)           a file's bytes
//   fixture(name)         path of a file under tests/
//   runcli(args, out, err) run ideaweave-cli, returning its exit code
//   place(type, x, y, w, h, selected)  an object made as the pointer makes
//                         it: the tool's outline in the shadow record, then the
//                         object at the next index; with w and h its box is
//                         (x, y, w, h) (lines: start point and signed offsets);
//                         left selected and the focus as creation leaves it, or
//                         with nothing selected; returns its index
//   connect(a, ax, ay, b, bx, by)  a connector from offset (ax, ay) in object a
//                         to offset (bx, by) in b, left unselected
//   selectonly({i...})    make exactly these objects the selection, the last
//                         one the focus
//   outline(f, dx, dy, dw, dh)  the shadow as a drag of f would leave it
//   ids()                 the ids of the objects in table order
//   seg(k)                start and end point of a line or connector
//   field({i...}, &IWORecord::f)  one field of the given objects
//   recorded(n)           record the creation of object n (as made by place()
//                         or connect()); returns n
//   tableimage()          the objects' byte images in table order (selection
//                         left out), for exact comparison
//   canundo()             whether anything is left to undo
//   undocount()           undo until nothing is left; the steps taken
//   goldenmatch(rp, path) compare rp's pens with the palette PNG tests/PATH
//                         (tolerance 0); with IW_UPDATE_GOLDEN=1 write it instead
//   samebytes(bytes, path) compare bytes (or a text) with the stored file
//                         tests/PATH; with IW_UPDATE_GOLDEN=1 write it instead
//   text(path)            a file's bytes as a string
//   recordbytes(r)        an object record as the file holds it
#pragma once
#include "edit/history.h"
#include "edit/interact.h"
#include "model/create.h"
#include "model/diagram.h"
#include "model/iwo.h"
#include "model/select.h"
#include "platform/headless/headlessui.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

class Core : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
    std::string lines();

    HeadlessUI ui{nullptr};
    FILE *capture = nullptr;
};

struct TempDir {
    TempDir();
    ~TempDir();
    std::string path(const std::string &name) const { return dir + "/" + name; }
    std::string dir;
};

std::vector<uint8_t> slurp(const std::string &path);
std::string text(const std::string &path);
void spit(const std::string &path, const std::vector<uint8_t> &data);
std::string fixture(const std::string &name);
int runcli(const std::string &args, std::string *out = nullptr, std::string *err = nullptr);

constexpr int DEFAULTSIZE = -32768;
int place(int type, int x, int y, int w = DEFAULTSIZE, int h = DEFAULTSIZE, bool selected = true);
int connect(int a, int ax, int ay, int b, int bx, int by);
void selectonly(std::initializer_list<int> indices);
void outline(int f, int dx, int dy, int dw, int dh);
std::vector<int> ids();
std::vector<int> seg(int k);
std::vector<int> field(std::vector<int> objs, int16_t IWORecord::*f);
int recorded(int n);
std::vector<uint8_t> tableimage();
bool canundo();
int undocount();

struct Raster;
std::vector<uint8_t> recordbytes(const IWORecord &r);
::testing::AssertionResult goldenmatch(const Raster *rp, const std::string &path);
::testing::AssertionResult samebytes(const std::vector<uint8_t> &bytes, const std::string &path);
inline ::testing::AssertionResult samebytes(const std::string &got, const std::string &path) {
    return samebytes(std::vector<uint8_t>(got.begin(), got.end()), path);
}
