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
#pragma once
#include "platform/headless/headlessui.h"

#include <gtest/gtest.h>

#include <cstdint>
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
