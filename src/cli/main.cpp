// main.cpp - ideaweave-cli: the editor's core without a screen.
//
//   ideaweave-cli info FILE        print a diagram file as JSON
//   ideaweave-cli convert IN OUT   load IN (any release) and save it as the current release
//   ideaweave-cli render IN OUT.png [options]   draw IN as the drawing window shows it
//   ideaweave-cli run SCRIPT [IN]  a headless editing session driven by a script
//   ideaweave-cli export IN OUT [--focus ID]   SVG, PNG, PDF or outline of IN
//   ideaweave-cli arrange IN OUT --as KIND [--focus ID]   arrange IN automatically
//   ideaweave-cli import IN OUT.iwo   an outline (.md, .markdown, .opml, .txt) as a diagram
//   ideaweave-cli help [COMMAND], --help, --version
//
// Exit codes: 0 success, 1 bad usage, 2 a file refused, unreadable or unwritable
// (the requester's message goes to standard error).
#include "cli/commands.h"
#include "cli/help.h"

#include <cstdio>
#include <cstring>

namespace {

int usage() {
    cliusage(stderr);
    return 1;
}

bool is(const char *a, const char *b) { return !std::strcmp(a, b); }

} // namespace

int main(int argc, char **argv) {
    if (argc < 2) return usage();
    const char *cmd = argv[1];
    if (is(cmd, "--help") || is(cmd, "-h")) {
        if (argc != 2) return usage();
        clihelp(stdout);
        return 0;
    }
    if (is(cmd, "--version")) {
        if (argc != 2) return usage();
        std::fputs(cliversion(), stdout);
        return 0;
    }
    if (is(cmd, "help")) {
        if (argc == 2) {
            clihelp(stdout);
            return 0;
        }
        if (argc == 3 && clicommandhelp(argv[2])) {
            clicommandhelpprint(stdout, argv[2]);
            return 0;
        }
        if (argc == 3) std::fprintf(stderr, "ideaweave-cli: no command %s\n", argv[2]);
        return usage();
    }
    // COMMAND --help explains the command.
    if (argc == 3 && (is(argv[2], "--help") || is(argv[2], "-h")) && clicommandhelp(cmd)) {
        clicommandhelpprint(stdout, cmd);
        return 0;
    }
    if (is(cmd, "info") && argc == 3) return cliinfo(argv[2]);
    if (is(cmd, "convert") && argc == 4) return cliconvert(argv[2], argv[3]);
    if (is(cmd, "render")) {
        int rc = clirender(argc - 2, argv + 2);
        if (rc == 1) cliusage(stderr);
        return rc;
    }
    if (is(cmd, "export")) {
        int rc = cliexport(argc - 2, argv + 2);
        if (rc == 1) cliusage(stderr);
        return rc;
    }
    if (is(cmd, "arrange")) {
        int rc = cliarrange(argc - 2, argv + 2);
        if (rc == 1) cliusage(stderr);
        return rc;
    }
    if (is(cmd, "import") && argc == 4) {
        int rc = cliimport(argv[2], argv[3]);
        if (rc == 1) cliusage(stderr);
        return rc;
    }
    if (is(cmd, "run") && (argc == 3 || argc == 4))
        return clirun(argv[2], argc == 4 ? argv[3] : nullptr);
    if (!clicommandhelp(cmd)) std::fprintf(stderr, "ideaweave-cli: no command %s\n", cmd);
    return usage();
}
