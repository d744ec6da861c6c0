// import.cpp - the import command: an outline file (Markdown, OPML, indented
// text) as a new diagram file, through the same reading and building as the
// editor's Import Outline, without questions.
#include "app/requesters.h"
#include "cli/commands.h"
#include "import/import.h"
#include "model/diagram.h"
#include "platform/files.h"
#include "store/diagramfile.h"

#include <cstdio>
#include <string>

namespace {

int refuse(const std::string &message) {
    ErrorReq(message.c_str());
    return 2;
}

} // namespace

int cliimport(const char *in, const char *out) {
    const std::string target(out);
    if (target.size() < 4 || target.compare(target.size() - 4, 4, ".iwo") != 0) {
        std::fprintf(stderr, "ideaweave-cli import: OUT must end in .iwo\n");
        return 1;
    }
    if (!isoutlinefile(in)) {
        std::fprintf(stderr,
                     "ideaweave-cli import: IN must end in .md, .markdown, .opml or .txt\n");
        return 1;
    }
    clistart(stderr);
    if (target.size() >= (size_t)MAXFILENAMESIZE)
        return refuse("Sorry. The file name is too long.");
    std::string why, note;
    if (!loadoutlinefile(in, why, note)) return refuse(why);
    copytext(IWODiagram.filename, sizeof IWODiagram.filename, target.c_str());
    IWODiagram.saved = 1;
    std::string message;
    if (!writeIWOdiagramfile(target, &message)) return refuse(message);
    // What the import changed or left out, as the editor says it afterwards.
    if (!note.empty()) std::printf("%s\n", note.c_str());
    return 0;
}
