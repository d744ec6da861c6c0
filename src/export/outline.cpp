// outline.cpp - the outline export.
#include "export/outline.h"

#include "model/clones.h"
#include "model/diagram.h"
#include "model/iwo.h"
#include "model/select.h"
#include "store/prefs.h"
#include "ui/ui.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

std::vector<OutlineEntry> outlineorder;

namespace {

std::vector<char> expanded;  // by table index: the branch below it is in the order
std::vector<char> connected; // by table index: the connector is in the order

void append(int index, int depth, int via = -99) {
    outlineorder.push_back({(int16_t)index, IWO[index].id, (int16_t)depth, (int16_t)via});
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
                    : utf8text(r.label, (size_t)labellength(i));
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

// Plain text is UTF-8, like the other outlines.
std::string textfile() {
    auto field = [](const auto &f) { return utf8text(f, textlen(f, sizeof f)); };
    std::string out = field(IWODiagram.title) + "\n" + field(IWODiagram.description) + "\n" +
                      field(IWODiagram.author) + "\n\n\n";
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
// their labels out), each with its nesting level, and whether its branch is
// folded away there (only the topmost item of a folded branch says so).
struct Item {
    int index;
    int level;
    bool folded;
};

std::vector<Item> outlineitems() {
    std::vector<Item> items;
    rearrangeclones(selectedIWO);
    const size_t n = outlineorder.size();
    std::vector<int> foldedat; // levels of the folded items above the present one
    for (size_t j = 1; j < n; j++) {
        const OutlineEntry &e = outlineorder[j];
        if (IWO[e.index].type == CONNECTORTYPE) continue;
        if (e.depth < 0) {
            if (labellength(e.index) > 0) items.push_back({e.index, 0, false});
            continue;
        }
        // The node's children follow it at one level deeper; it is folded
        // when every connector leading to them is.
        bool children = false, allfolded = true;
        for (size_t k = j + 1; k < n; k++) {
            const OutlineEntry &c = outlineorder[k];
            if (c.depth < 0) continue;
            if (c.depth <= e.depth) break;
            if (c.depth != e.depth + 1) continue;
            children = true;
            if (!liveIWO(c.via) || IWO[c.via].fold == 0) allfolded = false;
        }
        // A node without a label is kept when a branch hangs below it.
        if (labellength(e.index) == 0 && !children) continue;
        while (!foldedat.empty() && foldedat.back() >= e.depth) foldedat.pop_back();
        const bool folded = children && allfolded;
        items.push_back({e.index, e.depth, folded && foldedat.empty()});
        if (folded) foldedat.push_back(e.depth);
    }
    return items;
}

// A label or header text as Markdown: UTF-8, with what a reader would take as
// markup escaped. Backslash escapes serve the punctuation both common readers
// accept them for; '<' and '&' become entities; a leading list marker or
// ordered-list number and spaces at either end (which readers drop) are kept
// as text.
std::string markdowntext(const char *s, size_t n) {
    std::string out;
    size_t first = 0;
    while (first < n && s[first] == ' ') first++;
    for (size_t k = 0; k < n; k++) {
        const unsigned char b = (unsigned char)s[k];
        const bool atstart = k == first;
        if ((k == 0 || k == n - 1) && b == ' ') {
            out += "&#32;";
        } else if (b < 0x20 || b == 0x7F) {
            out += ' '; // a line break would end the list item
        } else if (b == '<') {
            out += "&lt;";
        } else if (b == '&') {
            out += "&amp;";
        } else if (std::string_view("\\`*_[]>#!").find((char)b) != std::string_view::npos ||
                   (atstart && (b == '-' || b == '+' || b == '='))) {
            out += '\\';
            out += (char)b;
        } else if ((b == '.' || b == ')') && k > first && k - first <= 9 &&
                   std::all_of(s + first, s + k, [](char c) { return c >= '0' && c <= '9'; })) {
            out += '\\'; // "1. " would start an ordered list
            out += (char)b;
        } else {
            out += utf8text((const char *)&b, 1);
        }
    }
    return out;
}

// A header field, or "" when it is empty or the built-in "none given".
template <size_t N> std::string given(const char (&field)[N], const char *none) {
    const std::string t = fieldtext(field);
    return t == none ? std::string() : t;
}

std::string markdown() {
    std::string out;
    const std::string title = given(IWODiagram.title, NOTITLE);
    const std::string author = given(IWODiagram.author, NOAUTHOR);
    const std::string description = given(IWODiagram.description, NODESCRIPTION);
    // The title line says that the document is an outline of its own: several
    // top-level items stay several trees when it is imported again.
    if (!title.empty())
        out += "# " + markdowntext(title.data(), title.size()) + " " + MDTITLEMARK + "\n\n";
    else
        out += std::string(MDTITLEMARK) + "\n\n";
    if (!author.empty())
        out += std::string(MDAUTHOR) + " " + markdowntext(author.data(), author.size()) + "\n\n";
    if (!description.empty())
        out += std::string(MDDESCRIPTION) + " " +
               markdowntext(description.data(), description.size()) + "\n\n";
    for (const Item &it : outlineitems()) {
        out += std::string(4 * (size_t)it.level, ' ') + "- ";
        out += markdowntext(IWO[it.index].label, (size_t)labellength(it.index));
        if (it.folded) out += std::string(" ") + MDFOLDMARK;
        out += "\n";
    }
    return out;
}

// Text for an attribute value: line ends and tabs as character references, so
// that a reader's attribute normalisation keeps them.
std::string attributetext(const char *s, size_t n) {
    std::string out;
    for (char c : xmltext(s, n)) {
        if (c == '\n')
            out += "&#10;";
        else if (c == '\r')
            out += "&#13;";
        else if (c == '\t')
            out += "&#9;";
        else
            out += c;
    }
    return out;
}

std::string opml() {
    const std::string title = given(IWODiagram.title, NOTITLE);
    const std::string author = given(IWODiagram.author, NOAUTHOR);
    const std::string description = given(IWODiagram.description, NODESCRIPTION);
    const std::vector<Item> items = outlineitems();

    // Which of the lines a reader shows are expanded (numbered from 1 in the
    // order shown): written only when a branch is folded.
    std::string expansion;
    bool anyfolded = false;
    {
        int line = 0, hiddenbelow = -1;
        for (size_t k = 0; k < items.size(); k++) {
            const int level = items[k].level;
            if (hiddenbelow >= 0 && level > hiddenbelow) continue;
            hiddenbelow = -1;
            line++;
            const bool parent = k + 1 < items.size() && items[k + 1].level > level;
            if (!parent) continue;
            if (items[k].folded) {
                anyfolded = true;
                hiddenbelow = level;
            } else {
                expansion += (expansion.empty() ? "" : ",") + std::to_string(line);
            }
        }
    }

    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<opml version=\"2.0\" "
                      "xmlns:iw=\"" +
                      std::string(OPMLNAMESPACE) + "\">\n  <head>\n";
    if (!title.empty()) out += "    <title>" + xmltext(title.data(), title.size()) + "</title>\n";
    if (!author.empty())
        out += "    <ownerName>" + xmltext(author.data(), author.size()) + "</ownerName>\n";
    if (!description.empty())
        out += "    <iw:description>" + xmltext(description.data(), description.size()) +
               "</iw:description>\n";
    if (anyfolded) out += "    <expansionState>" + expansion + "</expansionState>\n";
    out += "  </head>\n  <body>\n";
    // A body needs at least one outline: an empty diagram gives its title.
    if (items.empty())
        out += "    <outline text=\"" + attributetext(title.data(), title.size()) + "\"/>\n";
    std::vector<int> open; // levels of the outlines still open
    for (size_t k = 0; k < items.size(); k++) {
        const int level = items[k].level;
        const bool parent = k + 1 < items.size() && items[k + 1].level > level;
        out += std::string(4 + 2 * (size_t)open.size(), ' ') + "<outline text=\"" +
               attributetext(IWO[items[k].index].label, (size_t)labellength(items[k].index)) + "\"";
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

// The records leaving each node (whose start is the node's id), by table
// index of the node, in table order, with the index of the object each ends
// at (-99 when there is none).
struct Leaving {
    int connector, end;
};
std::vector<std::vector<Leaving>> leaving;

void findleaving() {
    leaving.assign(IWOTABLESIZE, {});
    std::vector<int> byid(65536, -99);
    for (int i = IWONumber - 1; i >= 1; i--) byid[(uint16_t)IWO[i].id] = i; // the first wins
    for (int r = 1; r < IWONumber; r++) {
        const int s = byid[(uint16_t)IWO[r].connectstart];
        if (s < 0 || s == r || IWO[r].connectstart == TRANSPARENT) continue;
        const int e = IWO[r].connectend == TRANSPARENT ? -99 : byid[(uint16_t)IWO[r].connectend];
        leaving[(size_t)s].push_back({r, e});
    }
}

// Walks the branch below node: each connector leaving it not yet walked, its
// end node and at once that node's branch, unless that branch was walked
// already. visit(index, depth, via) sees every entry (connectors with depth
// -99); expanded and connected keep what was walked.
template <class Visit>
void walkbranch(int node, int depth, std::vector<char> &expanded_, std::vector<char> &connected_,
                Visit &visit) {
    expanded_[(size_t)node] = 1;
    for (const Leaving &l : leaving[(size_t)node]) {
        if (connected_[(size_t)l.connector]) continue;
        connected_[(size_t)l.connector] = 1;
        visit(l.connector, -99, -99);
        if (!liveIWO(l.end)) continue;
        visit(l.end, depth + 1, l.connector);
        if (connections(IWO[l.end]) > 0 && !expanded_[(size_t)l.end])
            walkbranch(l.end, depth + 1, expanded_, connected_, visit);
    }
}

// The nodes the tree from root would list now, after what is listed already.
int listingsize(int root) {
    std::vector<char> e = expanded, c = connected;
    int n = 1;
    auto count = [&](int, int depth, int) { n += depth >= 0; };
    if (connections(IWO[root]) > 0) walkbranch(root, 0, e, c, count);
    return n;
}

} // namespace

int rearrangeclones(int) {
    // The order has a list of its own; the clone table starts empty as before.
    resetclones();
    outlineorder.clear();
    expanded.assign(IWOTABLESIZE, 0);
    connected.assign(IWOTABLESIZE, 0);
    outlineorder.push_back({});
    findleaving();
    std::vector<char> listed(IWOTABLESIZE, 0);
    auto add = [&](int index, int depth, int via) {
        append(index, depth, via);
        listed[(size_t)index] = 1;
    };
    auto tree = [&](int root) {
        add(root, 0, -99);
        if (connections(IWO[root]) > 0) walkbranch(root, 0, expanded, connected, add);
    };
    if (focusobject()) tree(selectedIWO);
    // Every other tree under its own root, the largest first: of the nodes
    // not yet listed that have a connector leaving them, the one whose tree
    // would list the most nodes (table order among equals). So an outline
    // read back as separate trees is written again in the same order.
    for (;;) {
        int root = -1, most = 0;
        for (int i = 1; i < IWONumber; i++) {
            if (listed[(size_t)i] || IWO[i].type == CONNECTORTYPE) continue;
            bool leaves = false;
            for (const Leaving &l : leaving[(size_t)i]) leaves |= !connected[(size_t)l.connector];
            if (!leaves) continue;
            const int size = listingsize(i);
            if (size > most) root = i, most = size;
        }
        if (root < 0) break;
        tree(root);
    }
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
    const std::string path =
        exportrequest("Export Text ...", "#?(.txt|.html|.htm|.md|.opml)", false);
    if (path.empty()) return 0;
    return exportoutlinefile(path, exportformat(path), nullptr);
}
