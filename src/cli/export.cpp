// export.cpp - the export command: a diagram file to SVG, PNG, PDF or an outline,
// through the same writers as the editor's export commands, without questions.
#include "app/requesters.h"
#include "cli/commands.h"
#include "export/outline.h"
#include "export/svg.h"
#include "model/iwo.h"
#include "model/select.h"
#include "platform/headless/headlessui.h"
#include "store/diagramfile.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/stat.h>

namespace {

int bad(const std::string &why) {
    std::fprintf(stderr, "ideaweave-cli export: %s\n", why.c_str());
    return 1;
}

int refuse(const std::string &message) {
    ErrorReq(message.c_str());
    return 2;
}

bool samefile(const char *a, const char *b) {
    struct stat sa, sb;
    return stat(a, &sa) == 0 && stat(b, &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

} // namespace

int cliexport(int argc, char **argv) {
    const char *in = nullptr, *out = nullptr, *focus = nullptr;
    long dpi = PICTUREDPI;
    bool dpigiven = false;
    for (int a = 0; a < argc; a++) {
        if (!std::strcmp(argv[a], "--dpi")) {
            const std::string range =
                "--dpi takes a whole number from 1 to " + std::to_string(MAXPICTUREDPI);
            if (a + 1 >= argc) return bad(range);
            const char *s = argv[++a];
            char *end = nullptr;
            errno = 0;
            dpi = std::strtol(s, &end, 10);
            if (!*s || *end || errno || dpi < 1 || dpi > MAXPICTUREDPI) return bad(range);
            dpigiven = true;
        } else if (!std::strcmp(argv[a], "--focus")) {
            if (a + 1 >= argc) return bad("--focus takes an object id");
            focus = argv[++a];
        } else if (argv[a][0] == '-' && argv[a][1] == '-') {
            return bad(std::string("unknown option ") + argv[a]);
        } else if (!in) {
            in = argv[a];
        } else if (!out) {
            out = argv[a];
        } else {
            return bad(std::string("unexpected argument ") + argv[a]);
        }
    }
    if (!in || !out) return bad("needs IN and OUT");
    const ExportFormat format = exportformat(out);
    if (format == EXPORT_NONE)
        return bad("OUT must end in .svg, .png, .pdf, .txt, .htm, .html, .md or .opml");
    long id = 0;
    if (focus) {
        char *end = nullptr;
        errno = 0;
        id = std::strtol(focus, &end, 10);
        if (!*focus || *end || errno || id < -32768 || id > 32767)
            return bad("--focus takes an object id (a whole number)");
    }
    if (dpigiven && format != EXPORT_PNG) return bad("--dpi is for PNG only");
    if (samefile(in, out)) return bad("OUT must not be the diagram file IN");

    // Requesters (the error messages) go to standard error, the message
    // window's line to standard output.
    HeadlessUI &ui = clistart(stderr);
    ui.setmessageoutput(stdout);
    std::string message;
    if (!readIWOdiagramfile(in, &message)) return refuse(message);
    selectedIWO = -99;
    if (focus) {
        const int k = findIWObyid((int)id);
        if (k < 0) return bad("no object with id " + std::to_string(id));
        selectedIWO = (int16_t)k;
    }
    const int done = isgraphicformat(format) ? exportgraphicfile(out, format, &message, (int)dpi)
                                             : exportoutlinefile(out, format, &message);
    return done ? 0 : refuse(message);
}
