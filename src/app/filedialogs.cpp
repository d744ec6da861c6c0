// filedialogs.cpp - asking for the files of the diagram and settings commands.
#include "app/filedialogs.h"

#include "model/bytes.h"
#include "model/diagram.h"
#include "model/iwo.h"
#include "platform/files.h"
#include "platform/platform.h"
#include "store/diagramfile.h"
#include "store/prefs.h"
#include "ui/ui.h"

#include <string>

namespace {

// Refuses a path that does not fit the filename field: a shortened path
// would name a different file.
bool pathfits(const std::string &path) {
    if (path.size() < (size_t)MAXFILENAMESIZE) return true;
    ErrorReq("Sorry. The file name is too long.");
    return false;
}

std::string filenameof(const DiagramRecord &d) {
    return std::string(d.filename, textlen(d.filename, MAXFILENAMESIZE));
}

// Save As is needed when the diagram has no file of its own yet: a new
// diagram's file name is only the default drawer.
bool needsname(const std::string &name) {
    if (name.size() < 2) return true;
    if (FilePart(name).empty()) return true;
    return isdirectory(name) != 0;
}

// Asks for a file; false when cancelled.
bool ask(const FileRequestSpec &req, std::string &path) {
    std::string drawer, file;
    if (!platformui().filerequest(req, drawer, file)) return false;
    path = AddPart(drawer, file);
    return true;
}

// Adds the extension when the name lacks it.
void withextension(std::string &path, const char *ext) {
    if (path.find(ext) == std::string::npos) path += ext;
}

// Asks before a file is overwritten, naming it as shown; true to go on.
bool mayoverwrite(const std::string &path, const std::string &shown) {
    if (!fileexists(path)) return true;
    std::string q = "Are you sure you want to overwrite file : " + shown;
    return ConfirmReq(q.c_str()) == 1;
}

} // namespace

int loadIWOdiagram(std::string *warning) {
    FileRequestSpec req;
    req.title = "Load Ideaweave Diagram";
    req.drawer = PathPart(filenameof(IWODiagram));
    req.pattern = "#?.iwo";
    std::string path;
    if (!ask(req, path) || !pathfits(path)) return 0;
    std::string message;
    if (!readIWOdiagramfile(path, &message, warning)) {
        ErrorReq(message.c_str());
        return 0;
    }
    return 1;
}

namespace {
// The diagram shown was read from a file cut short: its name is kept, but
// Save asks for one, so the rest of that file isn't lost without a word.
bool readincomplete = false;
} // namespace

void markincompleteread(bool incomplete) { readincomplete = incomplete; }

int saveIWOdiagram() {
    IWODiagram.objects = IWONumber;
    updateIWOdiagram();
    const std::string name = filenameof(IWODiagram);
    if (needsname(name) || readincomplete) return saveasIWOdiagram();
    std::string message;
    if (!writeIWOdiagramfile(name, &message)) {
        ErrorReq(message.c_str());
        return 0;
    }
    return 1;
}

int saveasIWOdiagram() {
    IWODiagram.objects = IWONumber;
    FileRequestSpec req;
    req.title = "Save As...";
    req.drawer = PathPart(filenameof(IWODiagram));
    req.file = FilePart(filenameof(IWODiagram));
    req.pattern = "#?.iwo";
    req.save = true;
    std::string path;
    if (!ask(req, path)) return 0;
    withextension(path, ".iwo");
    if (!pathfits(path) || !mayoverwrite(path, path)) return 0;
    // A saved diagram gets no icon file beside it: desktop file managers pick
    // the icon from the file's type, so there is nothing to copy.
    if (!saveIWOdiagramas(path)) return 0;
    readincomplete = false;
    return 1;
}

int loadaspreferences() {
    FileRequestSpec req;
    req.title = "Load Preferences From...";
    req.drawer = "progdir:";
    req.pattern = "#?.prefs";
    std::string path;
    if (!ask(req, path) || !pathfits(path)) return 0;
    return loadpreferences(path);
}

int saveaspreferences() {
    FileRequestSpec req;
    req.title = "Save Preferences As...";
    req.drawer = "progdir:";
    req.pattern = "#?.prefs";
    req.save = true;
    std::string path;
    if (!ask(req, path)) return 0;
    withextension(path, ".prefs");
    // The settings drawer is named by the directory it stands for.
    if (!pathfits(path) || !mayoverwrite(path, hostpath(path))) return 0;
    return savepreferences(path);
}
