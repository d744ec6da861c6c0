// import.cpp - an outline file as a new mind map (see import.h).
#include "import/import.h"

#include "arrange/arrange.h"
#include "connect/connect.h"
#include "edit/history.h"
#include "model/create.h"
#include "model/diagram.h"
#include "model/interaction.h"
#include "model/iwo.h"
#include "model/select.h"
#include "platform/files.h"
#include "platform/fonts.h"
#include "platform/platform.h"
#include "ui/ui.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace {

constexpr int ROOTTYPE = 105;  // ellipse
constexpr int ITEMTYPE = 102;  // soft rectangle
constexpr int MAXPAGE = 6000;  // the largest custom page side the import grows to
constexpr int LABELBYTES = 49; // characters a label holds

std::string lower(std::string s) {
    for (char &c : s) c = (char)std::tolower((unsigned char)c);
    return s;
}

std::string extension(const std::string &path) {
    const std::string file = FilePart(path);
    const size_t dot = file.rfind('.');
    return dot == std::string::npos ? std::string() : lower(file.substr(dot));
}

// UTF-8 text as ISO-8859-1 of at most max bytes: characters outside it (and
// control characters) become '?', a longer text is cut at the last space that
// keeps at least half of it (else exactly at max). changed says whether any
// of this happened.
std::string storable(const std::string &s, size_t max, bool &changed) {
    std::string out;
    changed = false;
    for (size_t i = 0; i < s.size();) {
        const unsigned char b = (unsigned char)s[i];
        uint32_t cp = b;
        size_t len = 1;
        if (b >= 0xF0)
            len = 4, cp = b & 0x07;
        else if (b >= 0xE0)
            len = 3, cp = b & 0x0F;
        else if (b >= 0xC0)
            len = 2, cp = b & 0x1F;
        else if (b >= 0x80)
            cp = 0xFFFD; // a stray continuation byte
        for (size_t k = 1; k < len && i + k < s.size(); k++)
            cp = (cp << 6) | ((unsigned char)s[i + k] & 0x3F);
        i += len;
        if (cp < 0x20 || (cp >= 0x7F && cp < 0xA0) || cp > 0xFF) {
            out += '?';
            changed = true;
        } else {
            out += (char)cp;
        }
    }
    if (out.size() > max) {
        changed = true;
        size_t cut = out.rfind(' ', max);
        if (cut == std::string::npos || cut < max / 2) cut = max;
        out.resize(cut);
        while (!out.empty() && out.back() == ' ') out.pop_back();
    }
    return out;
}

// The tree of the diagram to be: the outline's items, with a root above
// several top-level items unless the outline keeps its trees.
struct Tree {
    std::vector<OutlineItem> items;
    std::vector<int> roots;
};

Tree treeof(const OutlineDoc &doc, const std::string &stem) {
    Tree t;
    t.items = doc.items;
    if (t.items.empty()) {
        // Only a title: a single node.
        OutlineItem only;
        only.text = doc.title;
        t.items.push_back(only);
    }
    int tops = 0;
    for (const OutlineItem &it : t.items) tops += it.parent < 0;
    if (tops > 1 && !doc.ourown) {
        OutlineItem root;
        root.text = doc.title.empty() ? stem : doc.title;
        for (OutlineItem &it : t.items) it.parent = it.parent < 0 ? 0 : it.parent + 1;
        t.items.insert(t.items.begin(), root);
    }
    for (size_t k = 0; k < t.items.size(); k++)
        if (t.items[k].parent < 0) t.roots.push_back((int)k);
    return t;
}

// The label size for an outline of n nodes: the diagram's own up to 60 nodes,
// smaller for larger outlines so that they fit a page (never below 6).
int labelsize(int n, int normal) {
    if (n <= 60) return normal;
    const int s = (int)std::lround(normal * std::sqrt(60.0 / n));
    return std::clamp(s, std::min(6, normal), normal);
}

} // namespace

bool isoutlinefile(const std::string &path) {
    const std::string e = extension(path);
    return e == ".md" || e == ".markdown" || e == ".opml" || e == ".txt";
}

int outlinefits(const OutlineDoc &doc, const std::string &stem, std::string &why) {
    const Tree t = treeof(doc, stem);
    const int objects = 2 * (int)t.items.size() - (int)t.roots.size();
    if (objects > MAXIWO) {
        why = "This outline has " + std::to_string(doc.items.size()) + " items, which with their " +
              "connectors need " + std::to_string(objects) + " objects; a diagram holds at most " +
              std::to_string(MAXIWO) + " (an outline of up to " + std::to_string((MAXIWO + 1) / 2) +
              " items in one tree). Nothing was imported.";
        return 0;
    }
    return 1;
}

int buildoutlinediagram(const OutlineDoc &doc, const std::string &stem, std::string &why,
                        std::string &note) {
    note.clear();
    if (!outlinefits(doc, stem, why)) return 0;
    const Tree t = treeof(doc, stem);
    const int nodes = (int)t.items.size();

    // The texts as a diagram holds them.
    int changed = 0;
    std::vector<std::string> labels((size_t)nodes);
    for (int k = 0; k < nodes; k++) {
        bool c = false;
        labels[(size_t)k] = storable(t.items[(size_t)k].text, LABELBYTES, c);
        changed += c;
    }
    auto field = [&](const std::string &text, char *dst, size_t size) {
        if (text.empty()) return;
        bool c = false;
        copytext(dst, size, storable(text, size - 1, c).c_str());
        changed += c;
    };

    // From here on nothing can fail: the new diagram replaces the open one.
    resetIWO(IWONumber);
    IWONumber = 1;
    newIWOdiagram();
    // A new diagram with an empty history: nothing refers to the old ids any
    // more (pasted objects always get new ones), so they start again.
    IWOid = 0;
    updateIWOdiagram();
    field(doc.title, IWODiagram.title, sizeof IWODiagram.title);
    field(doc.author, IWODiagram.author, sizeof IWODiagram.author);
    field(doc.description, IWODiagram.description, sizeof IWODiagram.description);
    DragSelect = 0;

    // Every shape sized to its label: half an em on either side.
    const int size = labelsize(nodes, IWODiagram.font.ta_YSize > 0 ? IWODiagram.font.ta_YSize : 16);
    const int em = 4 * size;
    TextFont *font = OpenFont(IWODiagram.fontname, em, IWODiagram.font.ta_Style);
    std::vector<int> depth((size_t)nodes, 0), w((size_t)nodes), h((size_t)nodes);
    int maxdepth = 0;
    for (int k = 0; k < nodes; k++) {
        const int p = t.items[(size_t)k].parent;
        depth[(size_t)k] = p < 0 ? 0 : depth[(size_t)p] + 1;
        maxdepth = std::max(maxdepth, depth[(size_t)k]);
        const std::string &l = labels[(size_t)k];
        const int tl =
            font ? fonttextlength(font, l.data(), (int)l.size()) : (int)l.size() * em * 6 / 10;
        w[(size_t)k] = std::max(tl + em, 2 * em);
        h[(size_t)k] = em * 7 / 4;
        if (p < 0) { // the ellipse needs more room round its text
            w[(size_t)k] = w[(size_t)k] * 13 / 10 + em / 2;
            h[(size_t)k] = h[(size_t)k] * 3 / 2;
        }
    }
    if (font) CloseFont(font);

    // A first place for everything, should the arrangement not take it: an
    // indented list, a column per level, growing the page and then wrapping
    // into further blocks to the right.
    std::vector<int> colx((size_t)maxdepth + 2, 0);
    const int gapx = em, gapy = em / 2, margin = 2 * em;
    for (int k = 0; k < nodes; k++)
        colx[(size_t)depth[(size_t)k] + 1] =
            std::max(colx[(size_t)depth[(size_t)k] + 1], w[(size_t)k] + gapx);
    for (size_t d = 1; d < colx.size(); d++) colx[d] += colx[d - 1];
    int total = margin;
    for (int k = 0; k < nodes; k++) total += h[(size_t)k] + gapy;
    int16_t &pw = IWODiagram.paperwidth, &ph = IWODiagram.paperheight;
    auto grow = [](int16_t &side, int need) {
        side = (int16_t)std::max<int>(side, std::min(need, MAXPAGE));
    };
    grow(ph, total + margin);
    grow(pw, colx.back() + 2 * margin);
    std::vector<int> x((size_t)nodes), y((size_t)nodes);
    int blockx = margin, rowy = margin;
    for (int k = 0; k < nodes; k++) {
        if (rowy + h[(size_t)k] + margin > ph && rowy > margin) {
            blockx += colx.back();
            rowy = margin;
            grow(pw, blockx + colx.back() + margin);
        }
        x[(size_t)k] =
            std::max(0, std::min(blockx + colx[(size_t)depth[(size_t)k]], pw - w[(size_t)k]));
        y[(size_t)k] = rowy;
        rowy += h[(size_t)k] + gapy;
    }

    // The shapes, then a connector from each parent to each child.
    std::vector<int> index((size_t)nodes);
    for (int k = 0; k < nodes; k++) {
        const int type = t.items[(size_t)k].parent < 0 ? ROOTTYPE : ITEMTYPE;
        resetsingleIWO(SHADOWIWO);
        createIWO(SHADOWIWO, type, x[(size_t)k], y[(size_t)k], linecolour, lineweight, fillcolour);
        IWORecord &s = IWO[SHADOWIWO];
        s.x = (int16_t)x[(size_t)k], s.y = (int16_t)y[(size_t)k];
        s.width = (int16_t)w[(size_t)k], s.height = (int16_t)h[(size_t)k];
        const int n = IWONumber;
        resetsingleIWO(n);
        createIWO(n, type, x[(size_t)k], y[(size_t)k], linecolour, lineweight, fillcolour);
        IWORecord &r = IWO[n];
        r.x = s.x, r.y = s.y, r.width = s.width, r.height = s.height;
        r.font.ta_YSize = (uint16_t)size;
        copytext(r.label, sizeof r.label, labels[(size_t)k].c_str());
        index[(size_t)k] = n;
    }
    for (int k = 0; k < nodes; k++) {
        const int p = t.items[(size_t)k].parent;
        if (p < 0) continue;
        const int a = index[(size_t)p], b = index[(size_t)k];
        connectstartIWO = (int16_t)a, connectendIWO = (int16_t)b;
        connectstartoffsetx = IWO[a].width, connectstartoffsety = (int16_t)(IWO[a].height / 2);
        connectendoffsetx = 0, connectendoffsety = (int16_t)(IWO[b].height / 2);
        IWORecord &s = IWO[SHADOWIWO];
        s.x = (int16_t)(IWO[a].x + IWO[a].width), s.y = (int16_t)(IWO[a].y + IWO[a].height / 2);
        s.width = (int16_t)(IWO[b].x - s.x);
        s.height = (int16_t)(IWO[b].y + IWO[b].height / 2 - s.y);
        const int n = IWONumber;
        resetsingleIWO(n);
        createIWO(n, CONNECTORTYPE, IWO[b].x, IWO[b].y + IWO[b].height / 2, linecolour, lineweight,
                  fillcolour);
        connectstartIWO = connectendIWO = -5;
    }
    resetsingleIWO(SHADOWIWO);
    deleteIWO(SHADOWIWO);
    for (int i = 1; i < IWONumber; i++) IWO[i].selected = 0;
    selectedIWO = -99;
    numIWOselected = 0;
    IWOselected = 0;
    JustCreated = 0;

    std::string arrangewhy;
    if (!arrangeIWOs(ArrangeKind::MindMap, index[(size_t)t.roots.front()], arrangewhy, true))
        note += "The outline could not be arranged as a mind map: " + arrangewhy + "\n";

    // Folds, outer branches first, so that an inner fold never stops an
    // outer one on its way.
    for (int k = 0; k < nodes; k++) {
        if (!t.items[(size_t)k].folded) continue;
        const int16_t id = IWO[index[(size_t)k]].id;
        for (int c = 1; c < IWONumber; c++)
            if (IWO[c].type == CONNECTORTYPE && IWO[c].connectstart == id && IWO[c].fold == 0) {
                IWO[c].fold = 1;
                foldnode(c);
            }
    }
    resethistory();
    IWODiagram.saved = 0;

    if (changed > 0)
        note += std::to_string(changed) + (changed == 1 ? " label was" : " labels were") +
                " changed to fit the diagram: texts too long were cut at a word, characters "
                "a diagram can't hold became \"?\".\n";
    if (doc.leftout > 0)
        note += std::to_string(doc.leftout) +
                (doc.leftout == 1 ? " part of the file was" : " parts of the file were") +
                " left out: the import takes headings and list items, or the outline "
                "elements of an OPML body.\n";
    if (!note.empty()) note.pop_back();
    return 1;
}

int readoutlinefile(const std::string &path, OutlineDoc &doc, std::string &stem, std::string &why) {
    if (!isoutlinefile(path)) {
        why = "Outlines are imported from Markdown (.md, .markdown), OPML (.opml) and text (.txt) "
              "files: " +
              path;
        return 0;
    }
    std::vector<uint8_t> data;
    std::string error;
    if (!readwholefile(path, data, &error, MAXOUTLINEBYTES + 1)) {
        why = "Sorry. Could not read file : " + path + (error.empty() ? "" : " (" + error + ")");
        return 0;
    }
    const std::string e = extension(path);
    const ExportFormat format = e == ".opml"                     ? EXPORT_OPML
                                : e == ".md" || e == ".markdown" ? EXPORT_MD
                                                                 : EXPORT_TXT;
    std::string reason;
    if (!readoutline(format, std::string_view((const char *)data.data(), data.size()), doc,
                     reason)) {
        why = reason + "\n" + path;
        return 0;
    }
    stem = FilePart(path);
    stem = stem.substr(0, stem.size() - e.size());
    return 1;
}

int loadoutlinefile(const std::string &path, std::string &why, std::string &note) {
    OutlineDoc doc;
    std::string stem;
    return readoutlinefile(path, doc, stem, why) && buildoutlinediagram(doc, stem, why, note);
}

int importoutline(const std::string &path) {
    // The file is read and checked before the question, so that a file that
    // can't be imported never asks to throw the diagram away.
    OutlineDoc doc;
    std::string stem, why, note;
    if (!readoutlinefile(path, doc, stem, why) || !outlinefits(doc, stem, why)) {
        ErrorReq(why.c_str());
        return 0;
    }
    if (DiagramExists && IWODiagram.saved == 0 &&
        ConfirmReq("You will lose any changes to this diagram.\n Do you still want to import an "
                   "outline?") != 1)
        return 0;
    if (!buildoutlinediagram(doc, stem, why, note)) {
        ErrorReq(why.c_str());
        return 0;
    }
    startloadeddiagram();
    IWODiagram.saved = 0;
    updateIWOdiagram();
    updateIWOprop(-99);
    if (!note.empty()) MessageReq(note.c_str(), "Import Outline");
    return 1;
}

int importoutlinecommand() {
    FileRequestSpec req;
    req.title = "Import Outline";
    req.drawer = PathPart(fieldtext(IWODiagram.filename));
    req.pattern = "#?(.md|.markdown|.opml|.txt)";
    std::string drawer, file;
    if (!platformui().filerequest(req, drawer, file)) return 0;
    return importoutline(AddPart(drawer, file));
}
