// session.cpp - new and loaded diagrams taken into the editor.
#include "app/session.h"

#include "app/diagramprops.h"
#include "app/filedialogs.h"
#include "app/menustate.h"
#include "app/requesters.h"
#include "app/tools.h"
#include "edit/interact.h"
#include "model/create.h"
#include "model/diagram.h"
#include "model/iwo.h"
#include "render/drawstate.h"
#include "render/erase.h"
#include "render/view.h"
#include "store/diagramfile.h"

int startnewdiagram() {
    resetIWO(IWONumber);
    IWONumber = 1;
    newIWOdiagram();
    DiagramExists = 1;
    setbitmapsize();
    cleardrawspace(papercolour);
    selectedIWO = -99;
    IWODiagram.saved = 1;
    updateIWOdiagram();
    settempdiagram(1);
    if (diagrampropwindowopen) updateIWOdiagramprop();
    showstates();
    return 1;
}

int startloadeddiagram() {
    updateIWOdiagram();
    DiagramExists = 1;
    setbitmapsize();
    cleardrawspace(papercolour);
    updateIWOall(1, IWONumber);
    selectedIWO = -99;
    IWODiagram.saved = 1;
    selectedtool = (int16_t)choosetool(SELECTTOOL, selectedtool);
    settempdiagram(1);
    if (diagrampropwindowopen) updateIWOdiagramprop();
    updateIWOdiagram();
    showstates();
    return 1;
}

int opendiagramfile(const std::string &path) {
    selectedtool = (int16_t)choosetool(SELECTTOOL, selectedtool);
    removeshadowiwo();
    selectedIWO = -99;
    std::string message, warning;
    if (!readIWOdiagramfile(path, &message, &warning)) {
        ErrorReq(message.c_str());
        updateIWOdiagram();
        return 0;
    }
    startloadeddiagram();
    warnincomplete(warning);
    return 1;
}

void warnincomplete(const std::string &warning) {
    // Shown over the diagram as far as it could be read.
    markincompleteread(!warning.empty());
    if (!warning.empty()) MessageReq(warning.c_str(), "Ideaweave Warning");
}
