// dropped.cpp - files dropped on the editor (see dropped.h).
#include "app/dropped.h"

#include "app/menus.h"
#include "import/import.h"
#include "model/diagram.h"
#include "platform/files.h"
#include "ui/ui.h"

#include <cctype>

namespace {

constexpr int MAXLISTED = 8;

std::string lowerextension(const std::string &path) {
    const std::string name = FilePart(path);
    const size_t dot = name.rfind('.');
    if (dot == std::string::npos || dot == 0) return "";
    std::string ext = name.substr(dot);
    for (char &c : ext) c = (char)std::tolower((unsigned char)c);
    return ext;
}

} // namespace

DroppedKind droppedkind(const std::string &path) {
    const std::string ext = lowerextension(path);
    if (ext == ".iwo") return DROP_DIAGRAM;
    if (ext == ".md" || ext == ".markdown" || ext == ".opml" || ext == ".txt") return DROP_OUTLINE;
    return DROP_OTHER;
}

int importoutlinefile(const std::string &path) { return importoutline(path); }

int opendroppedfiles(const std::vector<std::string> &paths) {
    std::string refused;
    bool acted = false;
    int opened = 0, listed = 0, more = 0;
    // The message names the first few; a long list ends with how many more.
    auto refuse = [&](const std::string &path, const char *why) {
        if (listed++ < MAXLISTED)
            refused += "\n" + FilePart(path) + ": " + why;
        else
            more++;
    };
    for (const std::string &path : paths) {
        const DroppedKind kind = droppedkind(path);
        if (kind == DROP_OTHER) {
            refuse(path, "not a diagram (.iwo) or an outline (.md, .opml, .txt)");
        } else if (acted) {
            refuse(path, "one diagram is open at a time");
        } else {
            acted = true;
            opened += kind == DROP_DIAGRAM ? opendiagramfrom(path) : importoutlinefile(path);
        }
    }
    if (more > 0) refused += "\nand " + std::to_string(more) + " more";
    if (!refused.empty()) {
        ErrorReq(("Not opened:" + refused).c_str());
        updateIWOdiagram();
    }
    return opened;
}
