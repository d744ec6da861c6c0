// main.cpp - ideaweave-cli: the editor's core without a screen.
//
//   ideaweave-cli info FILE        print a diagram file as JSON
//   ideaweave-cli convert IN OUT   load IN (any release) and save it as the current release
//   ideaweave-cli render IN OUT.png [options]   draw IN as the drawing window shows it
//   ideaweave-cli run SCRIPT [IN]  a headless editing session driven by a script
//   ideaweave-cli export IN OUT [--focus ID]   SVG, PNG, PDF or outline of IN
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
    "  convert IN OUT     load IN (any release) and save it to OUT as the current release\n"
    "  render IN OUT.png [--size WxH] [--zoom Z] [--scroll X,Y] [--grid] [--highlight]\n"
    "         [--select ID,ID,...]\n"
    "                     draw IN as a drawing window of WxH pixels (800x600) shows it at\n"
    "                     zoom Z (0.3) scrolled to X,Y (0,0), with the grid, with selection\n"
    "                     highlights, with the listed objects selected; write the window's\n"
    "                     pens to OUT.png as a palette PNG\n"
    "  run SCRIPT [IN]    run an editing session from SCRIPT, on a new diagram or on IN\n"
    "  export IN OUT [--focus ID]\n"
    "                     write IN to OUT in the format of OUT's extension: .svg, .png,\n"
    "                     .pdf (through svg2png and svg2pdf), or the outline of the labels\n"
    "                     as .txt, .htm, .html, .md or .opml, following the connectors\n"
    "                     from the object ID; OUT is overwritten\n";

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
    if (!std::strcmp(cmd, "render")) {
        int rc = clirender(argc - 2, argv + 2);
        if (rc == 1) std::fputs(USAGE, stderr);
        return rc;
    }
    if (!std::strcmp(cmd, "export")) {
        int rc = cliexport(argc - 2, argv + 2);
        if (rc == 1) std::fputs(USAGE, stderr);
        return rc;
    }
    if (!std::strcmp(cmd, "run") && (argc == 3 || argc == 4))
        return clirun(argv[2], argc == 4 ? argv[3] : nullptr);
    return usage();
}
