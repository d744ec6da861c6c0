// requesters.cpp - the six modal requesters.
#include "app/requesters.h"

#include "model/bytes.h"
#include "model/diagram.h"
#include "model/iwo.h"
#include "platform/platform.h"
#include "store/diagramfile.h"

#include <cstring>

namespace {

int information(const char *title, const char *body, int image, const char *buttons,
                int defaultbutton = 0) {
    RequestSpec req;
    req.title = title;
    req.body = body;
    req.image = image;
    req.buttons = buttons;
    req.defaultbutton = defaultbutton;
    return platformui().request(req);
}

} // namespace

int MessageReq(const char *body, const char *title) {
    information(title, body, 1, "Okay");
    updateIWOdiagram();
    return 1;
}

int ErrorReq(const char *body) {
    information("Ideaweave Error", body, 1, "Okay");
    updateIWOdiagram();
    return 1;
}

int ConfirmReq(const char *body, bool canceldefault) {
    int answer = information("Ideaweave Warning", body, 2, "Okay | Cancel", canceldefault ? 2 : 0);
    updateIWOdiagram();
    // A question that could not be asked guards something destructive: no.
    if (answer < 0) return 0;
    return answer == 1 ? 1 : 0;
}

int TextReq(int n) {
    if (!liveIWO(n)) return 1;
    char buffer[sizeof IWO[n].label];
    copyfield(buffer, sizeof buffer, IWO[n].label, sizeof IWO[n].label);
    RequestSpec req;
    req.textentry = true;
    req.title = "Enter Text...";
    req.image = 2;
    req.buttons = "Okay | Cancel";
    req.buffer = buffer;
    req.buffersize = (int)sizeof buffer;
    req.maxchars = (int)sizeof buffer - 1; // the label keeps its terminating NUL
    int answer = platformui().request(req);
    if (answer < 0) return 1; // not shown: as the first button, text unchanged
    if (answer == 1) copytext(IWO[n].label, sizeof IWO[n].label, buffer);
    return answer == 1 ? 1 : 0;
}

int aboutideaweave() {
    information("Ideaweave", "Ideaweave 0.9 Linux Version", 1, "Okay");
    updateIWOdiagram();
    return 1;
}
