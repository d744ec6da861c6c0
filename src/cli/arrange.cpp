// arrange.cpp - the arrange command: a diagram file arranged by the same
// command as the editor's Diagram > Arrange items, and saved.
#include "app/mainloop.h"
#include "app/requesters.h"
#include "app/session.h"
#include "arrange/arrange.h"
#include "cli/commands.h"
#include "model/bytes.h"
#include "model/diagram.h"
#include "model/iwo.h"
#include "model/select.h"
#include "platform/headless/headlessui.h"
#include "platform/window.h"
#include "store/diagramfile.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/stat.h>

namespace {

int bad(const std::string &why) {
    std::fprintf(stderr, "ideaweave-cli arrange: %s\n", why.c_str());
    return 1;
}

bool samefile(const char *a, const char *b) {
    struct stat sa, sb;
    return stat(a, &sa) == 0 && stat(b, &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

} // namespace

int cliarrange(int argc, char **argv) {
    const char *in = nullptr, *out = nullptr, *focus = nullptr, *as = nullptr;
    for (int a = 0; a < argc; a++) {
        if (!std::strcmp(argv[a], "--focus") || !std::strcmp(argv[a], "--as")) {
            if (a + 1 >= argc) return bad(std::string(argv[a]) + " needs a value");
            (argv[a][2] == 'f' ? focus : as) = argv[a + 1];
            a++;
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
    ArrangeKind kind;
    if (!as) return bad("needs --as mindmap, tree, orgchart or flowchart");
    if (!arrangekindnamed(as, kind))
        return bad(std::string("--as takes mindmap, tree, orgchart or flowchart, not ") + as);
    long id = 0;
    if (focus) {
        char *end = nullptr;
        errno = 0;
        id = std::strtol(focus, &end, 10);
        if (!*focus || *end || errno || id < -32768 || id > 32767)
            return bad("--focus takes an object id (a whole number)");
    }
    if (samefile(in, out)) return bad("OUT must not be the diagram file IN");

    // Started as the editor is (the settings give the grid size), with the
    // requesters on standard error.
    clistart(stderr);
    opendrawspacewindow(800, 600);
    setupinterface();
    resetinterface();
    if (!opendiagramfile(in)) return 2;
    std::string message;
    selectedIWO = -99;
    for (int i = 1; i < IWONumber; i++) IWO[i].selected = 0;
    if (focus) {
        const int k = findIWObyid((int)id);
        if (k < 0) return bad("no object with id " + std::to_string(id));
        selectedIWO = (int16_t)k;
        IWO[k].selected = 1;
    }
    // The requester that refuses an arrangement goes to standard error.
    if (!arrangediagram(kind)) return 2;
    for (int i = 1; i < IWONumber; i++) IWO[i].selected = 0;
    std::string target(out);
    if (target.size() >= (size_t)MAXFILENAMESIZE) {
        ErrorReq("Sorry. The file name is too long.");
        return 2;
    }
    copytext(IWODiagram.filename, sizeof IWODiagram.filename, target.c_str());
    if (!writeIWOdiagramfile(target, &message)) {
        ErrorReq(message.c_str());
        return 2;
    }
    return 0;
}
