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
//   place(type, x, y, w, h) an object made as the pointer makes it: the tool's
//                         outline in the shadow record (w x h when given), then
//                         the object at the next index, left selected and
//                         focused as creation leaves it; returns its index
//   connect(a, ax, ay, b, bx, by)  a connector from offset (ax, ay) in object a
//                         to offset (bx, by) in b, left unselected
//   selectonly({i...})    make exactly these objects the selection, the last
//                         one the focus
#pragma once
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
void spit(const std::string &path, const std::vector<uint8_t> &data);
std::string fixture(const std::string &name);
int runcli(const std::string &args, std::string *out = nullptr, std::string *err = nullptr);

int place(int type, int x, int y, int w = -1, int h = -1);
int connect(int a, int ax, int ay, int b, int bx, int by);
void selectonly(std::initializer_list<int> indices);
