// outline.cpp - the outline export.
#include "export/outline.h"

#include "model/clones.h"
#include "model/diagram.h"
#include "model/iwo.h"
#include "model/select.h"
#include "ui/ui.h"

#include <cstdio>

std::vector<OutlineEntry> outlineorder;

namespace {

std::vector<char> expanded;  // by table index: the branch below it is in the order
std::vector<char> connected; // by table index: the connector is in the order

void append(int index, int depth) {
    outlineorder.push_back({(int16_t)index, IWO[index].id, (int16_t)depth});
}

int labellength(int index) { return (int)textlen(IWO[index].label, sizeof IWO[index].label); }

bool focusobject() { return liveIWO(selectedIWO); }

bool lockedentry(size_t j) {
    return j < outlineorder.size() && liveIWO(outlineorder[j].index) &&
           IWO[outlineorder[j].index].locked != 0;
}

// The label lines of the text and HTML formats, L ending each line.
std::string labellines(const char *L, bool html) {
    std::string out;
    auto label = [&](int i) {
        const IWORecord &r = IWO[i];
        out += html ? htmltext(r.label, (size_t)labellength(i))
                    : std::string(r.label, (size_t)labellength(i));
        out += L;
    };
    if (!focusobject()) {
        for (int i = 1; i < IWONumber; i++) {
            if (labellength(i) == 0) continue;
            label(i);
            if (liveIWO(i + 1) && IWO[i + 1].locked) out += L;
        }
        return out;
    }
    rearrangeclones(selectedIWO);
    for (size_t j = 1; j < outlineorder.size(); j++) {
        const bool written = labellength(outlineorder[j].index) > 0;
        if (written) label(outlineorder[j].index);
        // A locked object starts a new paragraph; in HTML only after a label.
        if (lockedentry(j + 1) && (written || !html)) out += L;
    }
    return out;
}

std::string textfile() {
    std::string out = fieldtext(IWODiagram.title) + "\n" + fieldtext(IWODiagram.description) +
                      "\n" + fieldtext(IWODiagram.author) + "\n\n\n";
    return out + labellines("\n", false);
}

std::string htmlfile() {
    int c[3];
    penpercent(IWODiagram.papercolour, c);
    char body[100];
    std::snprintf(body, sizeof body, "<body style=\"background-color: rgb(%d%%, %d%%, %d%%);\">\n",
                  c[0], c[1], c[2]);
    auto field = [](const auto &f) { return htmltext(f, textlen(f, sizeof f)); };
    std::string out =
        "<!DOCTYPE html PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\"><html><head>  <meta "
        "http-equiv=\"content-type\" content=\"text/html; charset=ISO-8859-1\">  "
        "<title>Ideaweave: MindMaps, UML, Flowcharts</title></head>\n\n";
    out += body;
    out += "\n<center><big>\n";
    out += field(IWODiagram.title) + "</big><br>\n";
    out += field(IWODiagram.author) + "<br><br><big>\n";
    out += field(IWODiagram.description) + "</big><br>\n";
    out += "</center><br>\n";
    out += labellines("<br>\n", true);
    return out + "</body></html>\n\n";
}

// The items of the Markdown and OPML outlines: nodes only (connectors leave
// their labels out), each with its nesting level.
struct Item {
    int index;
    int level;
};

std::vector<Item> outlineitems() {
    std::vector<Item> items;
    auto wanted = [](int i) { return IWO[i].type != CONNECTORTYPE; };
    if (!focusobject()) {
        for (int i = 1; i < IWONumber; i++)
            if (wanted(i) && labellength(i) > 0) items.push_back({i, 0});
        return items;
    }
    rearrangeclones(selectedIWO);
    const size_t n = outlineorder.size();
    for (size_t j = 1; j < n; j++) {
        const OutlineEntry &e = outlineorder[j];
        if (!wanted(e.index)) continue;
        if (e.depth < 0) {
            if (labellength(e.index) > 0) items.push_back({e.index, 0});
            continue;
        }
        // A node without a label is kept when a branch hangs below it.
        bool children = false;
        for (size_t k = j + 1; k < n; k++) {
            if (outlineorder[k].depth < 0) continue;
            children = outlineorder[k].depth > e.depth;
            break;
        }
        if (labellength(e.index) > 0 || children) items.push_back({e.index, e.depth});
    }
    return items;
}

// A label as Markdown text: UTF-8, with the characters that mark up escaped.
std::string markdowntext(const char *s, size_t n) {
    std::string plain;
    for (size_t k = 0; k < n; k++) {
        if (std::string_view("\\`*_[]<>#|!").find(s[k]) != std::string_view::npos) plain += '\\';
        plain += s[k];
    }
    // Markdown files are UTF-8; the escaping above only added ASCII.
    std::string out;
    for (unsigned char b : plain) {
        if (b < 0x80)
            out += (char)b;
        else {
            out += (char)(0xC0 | (b >> 6));
            out += (char)(0x80 | (b & 0x3F));
        }
    }
    return out;
}

std::string markdown() {
    std::string out;
    auto paragraph = [&](const std::string &prefix, const auto &f) {
        const size_t n = textlen(f, sizeof f);
        if (n) out += prefix + markdowntext(f, n) + "\n\n";
    };
    paragraph("# ", IWODiagram.title);
    paragraph("", IWODiagram.author);
    paragraph("", IWODiagram.description);
    for (const Item &it : outlineitems()) {
        out += std::string(2 * (size_t)it.level, ' ') + "- ";
        out += markdowntext(IWO[it.index].label, (size_t)labellength(it.index)) + "\n";
    }
    return out;
}

std::string opml() {
    auto text = [](const auto &f) { return xmltext(f, textlen(f, sizeof f)); };
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<opml version=\"2.0\">\n"
                      "  <head>\n    <title>" +
                      text(IWODiagram.title) +
                      "</title>\n  </head>\n"
                      "  <body>\n";
    const std::vector<Item> items = outlineitems();
    std::vector<int> open; // levels of the outlines still open
    for (size_t k = 0; k < items.size(); k++) {
        const int level = items[k].level;
        const bool parent = k + 1 < items.size() && items[k + 1].level > level;
        out += std::string(4 + 2 * (size_t)open.size(), ' ') + "<outline text=\"" +
               xmltext(IWO[items[k].index].label, (size_t)labellength(items[k].index)) + "\"";
        if (parent) {
            out += ">\n";
            open.push_back(level);
        } else {
            out += "/>\n";
        }
        const int next = k + 1 < items.size() ? items[k + 1].level : 0;
        while (!open.empty() && open.back() >= next) {
            open.pop_back();
            out += std::string(4 + 2 * open.size(), ' ') + "</outline>\n";
        }
    }
    return out + "  </body>\n</opml>\n";
}

// Appends each connector leaving node (in table order), its end node and at
// once that node's branch, unless the branch is already in the order.
void branch(int node, int depth) {
    expanded[(size_t)node] = 1;
    const int16_t id = IWO[node].id;
    for (int r = 1; r < IWONumber; r++) {
        if (IWO[r].connectstart != id || connected[(size_t)r] || r == node) continue;
        connected[(size_t)r] = 1;
        append(r, -99);
        const int e = findIWObyid(IWO[r].connectend);
        if (!liveIWO(e)) continue;
        append(e, depth + 1);
        if (connections(IWO[e]) > 0 && !expanded[(size_t)e]) branch(e, depth + 1);
    }
}

} // namespace

int rearrangeclones(int) {
    // The order has a list of its own; the clone table starts empty as before.
    resetclones();
    outlineorder.clear();
    expanded.assign(IWOTABLESIZE, 0);
    connected.assign(IWOTABLESIZE, 0);
    outlineorder.push_back({});
    if (!focusobject()) return 1;
    append(selectedIWO, 0);
    if (connections(IWO[selectedIWO]) > 0) branch(selectedIWO, 0);
    std::vector<char> listed(IWOTABLESIZE, 0);
    for (const OutlineEntry &e : outlineorder)
        if (e.index > 0) listed[(size_t)e.index] = 1;
    for (int i = 1; i < IWONumber; i++)
        if (!listed[(size_t)i]) append(i, -99);
    return 1;
}

std::string outlinetext(ExportFormat format) {
    IWODiagram.objects = IWONumber;
    switch (format) {
    case EXPORT_HTML:
        return htmlfile();
    case EXPORT_MD:
        return markdown();
    case EXPORT_OPML:
        return opml();
    default:
        return textfile();
    }
}

int exportoutlinefile(const std::string &path, ExportFormat format, std::string *message) {
    return writeexportfile(path, outlinetext(format), message);
}

int saveasTXT() {
    const std::string path = exportrequest("Export Text ...", "#?(.txt|.html|.htm)", false);
    if (path.empty()) return 0;
    return exportoutlinefile(path, exportformat(path), nullptr);
}
