// main.cpp - ideaweave-cli: the editor's core without a screen.
//
//   ideaweave-cli info FILE        print a diagram file as JSON
//   ideaweave-cli convert IN OUT   load IN (any release) and save it as the current release
//
// Exit codes: 0 success, 1 bad usage, 2 a file refused, unreadable or unwritable
// (the requester's message goes to standard error).
#include "cli/commands.h"

#include <cstdio>
#include <cstring>

namespace {

const char *USAGE =
    "usage: ideaweave-cli COMMAND ARGS\n"
    "  info FILE          print the diagram in FILE as JSON\n"
    "  convert IN OUT     load IN (any release) and save it to OUT as the current release\n";

int usage() {
    std::fputs(USAGE, stderr);
    return 1;
}

} // namespace

int main(int argc, char **argv) {
    if (argc < 2) return usage();
    const char *cmd = argv[1];
    if (!std::strcmp(cmd, "--help") || !std::strcmp(cmd, "-h")) {
        std::fputs(USAGE, stdout);
        return 0;
    }
    if (!std::strcmp(cmd, "info") && argc == 3) return cliinfo(argv[2]);
    if (!std::strcmp(cmd, "convert") && argc == 4) return cliconvert(argv[2], argv[3]);
    return usage();
}
