// info.cpp - the info and convert commands.
#include "app/requesters.h"
#include "app/startup.h"
#include "cli/commands.h"
#include "cli/json.h"
#include "model/bytes.h"
#include "model/diagram.h"
#include "model/iwo.h"
#include "platform/files.h"
#include "platform/headless/headlessui.h"
#include "store/diagramfile.h"

#include <string>
#include <vector>

HeadlessUI &clistart(FILE *out) {
    static HeadlessUI ui(out);
    ui.setoutput(out);
    setplatformui(&ui);
    setupcore();
    return ui;
}

namespace {

void part(JsonWriter &w, const char *key, const DrawPart &d) {
    w.beginobject(key);
    w.number("kind", d.kind);
    w.beginarray("px", true);
    for (int8_t v : d.px) w.number(nullptr, v);
    w.endarray();
    w.beginarray("py", true);
    for (int8_t v : d.py) w.number(nullptr, v);
    w.endarray();
    w.number("linecolour", d.linecolour);
    w.number("fillcolour", d.fillcolour);
    w.number("lineweight", d.lineweight);
    w.endobject();
}

void shorts(JsonWriter &w, const char *key, const int16_t *v, int n) {
    w.beginarray(key, true);
    for (int i = 0; i < n; i++) w.number(nullptr, v[i]);
    w.endarray();
}

#define TEXT(w, rec, f) (w).text(#f, (rec).f, sizeof(rec).f)
#define NUM(w, rec, f) (w).number(#f, (rec).f)

void record(JsonWriter &w, int index, const IWORecord &r) {
    w.beginobject();
    w.number("index", index);
    NUM(w, r, id);
    NUM(w, r, type);
    TEXT(w, r, name);
    NUM(w, r, x);
    NUM(w, r, y);
    NUM(w, r, width);
    NUM(w, r, height);
    NUM(w, r, linecolour);
    NUM(w, r, lineweight);
    NUM(w, r, fillcolour);
    w.number("fontsize", r.font.ta_YSize);
    w.number("fontstyle", r.font.ta_Style);
    w.number("fontflags", r.font.ta_Flags);
    TEXT(w, r, fontname);
    NUM(w, r, labelx);
    NUM(w, r, labely);
    NUM(w, r, labelposition);
    NUM(w, r, fontcolour);
    TEXT(w, r, label);
    NUM(w, r, labelcolour);
    NUM(w, r, labelfilled);
    NUM(w, r, drawnum);
    NUM(w, r, highlightnum);
    // Only the used entries; a count beyond the table is clamped to it.
    int dn = r.drawnum < MAXDRAWNUM ? r.drawnum : MAXDRAWNUM;
    int hn = r.highlightnum < MAXHIGHLIGHTNUM ? r.highlightnum : MAXHIGHLIGHTNUM;
    w.beginarray("draw");
    for (int i = 0; i < dn; i++) part(w, nullptr, r.draw[i]);
    w.endarray();
    w.beginarray("highlight");
    for (int i = 0; i < hn; i++) part(w, nullptr, r.highlight[i]);
    w.endarray();
    part(w, "erase", r.erase);
    NUM(w, r, connectstart);
    NUM(w, r, connectstartx);
    NUM(w, r, connectstarty);
    NUM(w, r, connectstartspare);
    NUM(w, r, connectstartclamp);
    NUM(w, r, connectend);
    NUM(w, r, connectendx);
    NUM(w, r, connectendy);
    NUM(w, r, connectendspare);
    NUM(w, r, connectendclamp);
    shorts(w, "handlex", r.handlex, 12);
    shorts(w, "handley", r.handley, 12);
    w.number("connections", r.handley[0]);
    NUM(w, r, group);
    NUM(w, r, locked);
    NUM(w, r, selected);
    NUM(w, r, nodefold);
    NUM(w, r, fold);
    NUM(w, r, visible);
    w.endobject();
}

int refuse(const std::string &message) {
    ErrorReq(message.c_str());
    return 2;
}

} // namespace

int cliinfo(const char *path) {
    clistart(stderr);
    std::vector<uint8_t> data;
    if (!readwholefile(path, data, nullptr, MAXIWOFILESIZE))
        return refuse(std::string("Sorry. Could not open file : ") + path);
    std::string message;
    if (!readIWOdiagrambytes(data.data(), data.size(), &message)) return refuse(message);

    const DiagramRecord &d = IWODiagram;
    JsonWriter w(stdout);
    w.beginobject();
    w.number("release", get2byte(data.data() + 255));
    w.text("version", (const char *)data.data(), 255);
    w.filename("filename", d.filename, sizeof d.filename);
    NUM(w, d, saved);
    TEXT(w, d, title);
    TEXT(w, d, description);
    TEXT(w, d, author);
    TEXT(w, d, fontname);
    w.number("fontsize", d.font.ta_YSize);
    w.number("fontstyle", d.font.ta_Style);
    w.number("fontflags", d.font.ta_Flags);
    NUM(w, d, fontcolour);
    NUM(w, d, labelcolour);
    NUM(w, d, labelfilled);
    NUM(w, d, paperwidth);
    NUM(w, d, paperheight);
    NUM(w, d, papercolour);
    NUM(w, d, linecolour);
    NUM(w, d, fillcolour);
    NUM(w, d, highlightcolour);
    NUM(w, d, lineweight);
    NUM(w, d, objects);
    w.number("IWONumber", IWONumber);
    w.beginarray("records");
    for (int i = 1; i < IWONumber; i++) record(w, i, IWO[i]);
    w.endarray();
    w.endobject();
    w.finish();
    return 0;
}

int cliconvert(const char *in, const char *out) {
    clistart(stderr);
    std::string message;
    if (!readIWOdiagramfile(in, &message)) return refuse(message);
    std::string target(out);
    if (target.size() >= (size_t)MAXFILENAMESIZE)
        return refuse("Sorry. The file name is too long.");
    copytext(IWODiagram.filename, sizeof IWODiagram.filename, target.c_str());
    if (!writeIWOdiagramfile(target, &message)) return refuse(message);
    return 0;
}
