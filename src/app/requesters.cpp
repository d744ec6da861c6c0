// requesters.cpp - the six modal requesters.
#include "app/requesters.h"

#include "app/shell.h"
#include "model/bytes.h"
#include "model/diagram.h"
#include "model/iwo.h"
#include "platform/platform.h"

#include <cstring>

namespace {

int information(const char *title, const char *body, int image, const char *buttons) {
    RequestSpec spec;
    spec.title = title;
    spec.body = body;
    spec.image = image;
    spec.buttons = buttons;
    return platformui().request(spec);
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

int ConfirmReq(const char *body) {
    int answer = information("Ideaweave Warning", body, 2, "Okay | Cancel");
    updateIWOdiagram();
    // A question that could not be asked guards something destructive: no.
    if (answer < 0) return 0;
    return answer == 1 ? 1 : 0;
}

int TextReq(int n) {
    if (!liveIWO(n)) return 1;
    char buffer[sizeof IWO[n].label];
    copyfield(buffer, sizeof buffer, IWO[n].label, sizeof IWO[n].label);
    RequestSpec spec;
    spec.textentry = true;
    spec.title = "Enter Text...";
    spec.image = 2;
    spec.buttons = "Okay | Cancel";
    spec.buffer = buffer;
    spec.buffersize = (int)sizeof buffer;
    spec.maxchars = (int)sizeof buffer - 1; // the label keeps its terminating NUL
    int answer = platformui().request(spec);
    if (answer < 0) return 1; // not shown: as the first button, text unchanged
    if (answer == 1) copytext(IWO[n].label, sizeof IWO[n].label, buffer);
    return answer == 1 ? 1 : 0;
}

int aboutideaweave() {
    information("Ideaweave", "Ideaweave 0.9 Linux Version", 1, "Okay");
    updateIWOdiagram();
    return 1;
}

int notimplemented() {
    information(IWVersionString,
                "Sorry. Not available yet in this version. \nPlease be patient - we'll get "
                "there eventually.",
                1, "Okay");
    updateIWOdiagram();
    return 1;
}
