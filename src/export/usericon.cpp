// usericon.cpp - the tool-button picture of a user object.
#include "export/usericon.h"

#include "ui/ui.h"
#include "model/create.h"
#include "model/diagram.h"
#include "model/settings.h"
#include "render/drawstate.h"
#include "store/diagramfile.h"
#include "store/prefs.h"
#include "edit/interact.h"
#include "export/convert.h"
#include "export/svg.h"
#include "model/create.h"
#include "model/diagram.h"
#include "model/iwo.h"
#include "platform/files.h"
#include "platform/platform.h"
#include "store/userobjects.h"

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace {

const char *BUSY = "Creating UserIWO Icon. Please be patient...";
const char *NOSVG = "Sorry. Couldn't create the icon for the user IWO.";
const char *FAILURE = "Sorry. Couldn't create user IWO icon.\n"
                      "Please check svgtools is correctly installed.\n"
                      " An error log can be found in ";

// A fresh, empty file for the picture; "" when none can be made.
std::string newiconfile() {
    std::string path = tempdirectory() + "useriwo-XXXXXX.png";
    int fd = ::mkstemps(path.data(), 4);
    if (fd < 0) return "";
    ::close(fd);
    return path;
}

} // namespace

std::string usericonsvg(int k) {
    const IWORecord &t = userIWO[k];
    char svgtag[200];
    std::snprintf(svgtag, sizeof svgtag,
                  "<svg width=\"%dmm\" height=\"%dmm\"  viewBox=\"0 0 %d %d \" version=\"1.1\" "
                  "xmlns=\"http://www.w3.org/2000/svg\">\n",
                  t.width / 10, t.height / 10, t.width, t.height);
    std::string svg = svgheader();
    svg += "\n";
    svg += svgtag;
    svg += "\n";
    // The outline three times as heavy for the shrinking, then as it was.
    IWORecord &s = IWO[SHADOWIWO];
    const int16_t weight = s.lineweight;
    s.lineweight = (int16_t)(weight * 3);
    iwotosvg(SHADOWIWO);
    s.lineweight = weight;
    svg += svgline;
    svg += "\n</svg>\n\n";
    return svg;
}

int createUserIWOicon(int k) {
    if (k < 1 || k > MAXUSERIWO || userIWO[k].type != 131 + k) return 1;
    const IWORecord &t = userIWO[k];
    const int tool = t.type;
    resetsingleIWO(SHADOWIWO);
    createIWO(SHADOWIWO, tool, 0, 0, linecolour, lineweight, fillcolour);
    selectedgadget = (int16_t)tool;
    selectedtool = (int16_t)choosetool(tool, selectedtool);

    std::string picture;
    if (t.drawnum == 0) {
        // Nothing that could be drawn: no picture, but the tool still works.
        ErrorReq(NOSVG);
    } else {
        picture = newiconfile();
        ConverterRun job;
        job.name = "svg2png";
        const char *size = IconSet == 0 ? "40" : "24";
        job.options = {"-w", size, "-h", size, "-t"};
        job.svgname = "IdeaweaveTemp.svg";
        job.busy = BUSY;
        job.failure = FAILURE;
        std::string message;
        if (picture.empty()) {
            message = std::string(FAILURE) + tempdirectory();
        } else if (!runconverter(job, usericonsvg(k), picture, &message)) {
            ::unlink(picture.c_str());
            picture.clear();
        } else {
            message.clear();
        }
        if (picture.empty()) ErrorReq(message.c_str());
    }
    PlatformUI &ui = platformui();
    ui.setgadgetimage(tool, "");
    IWObuttonTab = 2;
    ui.setpalettetab(2);
    if (!picture.empty()) ui.setgadgetimage(tool, picture);
    return 1;
}
