// testutil.cpp - shared test helpers.
#include "testutil.h"

#include "app/startup.h"
#include "platform/files.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <sys/wait.h>

void Core::SetUp() {
    capture = std::tmpfile();
    ui.setoutput(capture);
    setplatformui(&ui);
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

void spit(const std::string &path, const std::vector<uint8_t> &data) {
    std::ofstream f(path, std::ios::binary);
    f.write((const char *)data.data(), (std::streamsize)data.size());
}

std::string fixture(const std::string &name) { return std::string(IW_TEST_DATADIR) + "/" + name; }

int runcli(const std::string &args, std::string *out, std::string *err) {
    TempDir t;
    std::string cmd = std::string(IW_CLI_PATH) + " " + args + " >" + t.path("out") + " 2>" +
                      t.path("err");
    int status = std::system(cmd.c_str());
    auto read = [](const std::string &p) {
        std::ifstream f(p);
        std::stringstream ss;
        ss << f.rdbuf();
        return ss.str();
    };
    if (out) *out = read(t.path("out"));
    if (err) *err = read(t.path("err"));
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
