// clipboard.cpp - Cut, Copy and Paste.
//
// The objects form is a diagram file image, read back with the file reader's
// checks: clipboard data may come from anywhere, and anything refused pastes
// nothing. Pasted objects get fresh ids and group numbers, so that a paste
// never changes, joins or shadows what is already in the diagram; they are
// recorded as creations in one group, so that one undo takes exactly them away
// and redo brings them back with the same ids.
#include "app/clipboard.h"

#include "app/menustate.h"

#include "app/menus.h"
#include "app/requesters.h"
#include "arrange/mindmap.h"
#include "model/create.h"
#include "model/diagram.h"
#include "model/settings.h"
#include "render/drawstate.h"
#include "store/diagramfile.h"
#include "store/prefs.h"
#include "app/tools.h"
#include "arrange/arrange.h"
#include "model/interaction.h"
#include "model/settings.h"
#include "platform/fonts.h"
#include "connect/connect.h"
#include "edit/history.h"
#include "model/select.h"
#include "edit/transform.h"
#include "export/outline.h"
#include "export/svg.h"
#include "model/bytes.h"
#include "model/create.h"
#include "model/diagram.h"
#include "model/iwo.h"
#include "platform/window.h"
#include "render/erase.h"
#include "render/view.h"
#include "store/diagramfile.h"

#include <algorithm>
#include <map>
#include <set>

const char *const OBJECTSMIME = "application/x-ideaweave-objects";
const char *const SVGMIME = "image/svg+xml";
const char *const TEXTMIME = "text/plain";

namespace {

constexpr int PASTEOFFSET = 20;       // shift of a paste onto its originals, grid off
constexpr int MAXPASTESHIFTS = 100;   // repeated pastes cascade at most this far
constexpr int MAXIWOID = 32767;       // ids are 16-bit and never wrap
constexpr size_t TEXTLABELCHARS = 49; // a label holds 49 characters and its NUL

// A connector end that names an object (sentinels are 0 or below).
bool attached(int16_t id) { return id > 0; }

// Keeps the connectors whose attached ends are all among the kept ids;
// connectors may join connectors, so this runs until nothing more drops out.
template <typename Item, typename RecordOf>
void dropstrayconnectors(std::vector<Item> &items, RecordOf recordof) {
    for (bool dropped = true; dropped;) {
        dropped = false;
        std::set<int16_t> ids;
        for (const auto &it : items) ids.insert(recordof(it).id);
        for (size_t k = 0; k < items.size(); k++) {
            const IWORecord &r = recordof(items[k]);
            if (r.type != CONNECTORTYPE) continue;
            if ((attached(r.connectstart) && !ids.count(r.connectstart)) ||
                (attached(r.connectend) && !ids.count(r.connectend))) {
                items.erase(items.begin() + (long)k);
                dropped = true;
                break;
            }
        }
    }
}

std::string latin1toutf8(const char *s, size_t n) {
    std::string out;
    for (size_t i = 0; i < n; i++) {
        unsigned char c = (unsigned char)s[i];
        if (c < 0x80) {
            out += (char)c;
        } else {
            out += (char)(0xC0 | c >> 6);
            out += (char)(0x80 | (c & 0x3F));
        }
    }
    return out;
}

// What became of pasted text: the characters a label can't store (each
// once, as UTF-8) and how many characters the label's length cut off.
struct PasteLoss {
    std::vector<std::string> refused;
    size_t cut = 0;
};

// The first characters of UTF-8 text that a label can hold: ISO-8859-1,
// line breaks and tabs as blanks, other control characters, characters beyond
// ISO-8859-1 and broken sequences left out; no blanks at either end. The
// characters beyond ISO-8859-1 and those beyond the label's length go to loss.
std::string labeltext(const std::string &utf8, PasteLoss *loss = nullptr) {
    std::string out;
    const auto *s = reinterpret_cast<const unsigned char *>(utf8.data());
    const size_t n = utf8.size();
    for (size_t i = 0; i < n;) {
        unsigned c = s[i];
        size_t len = c < 0x80             ? 1
                     : (c & 0xE0) == 0xC0 ? 2
                     : (c & 0xF0) == 0xE0 ? 3
                     : (c & 0xF8) == 0xF0 ? 4
                                          : 0;
        if (len == 0 || i + len > n) {
            i++;
            continue;
        }
        unsigned cp = len == 1 ? c : c & (0x7F >> len);
        bool ok = true;
        for (size_t k = 1; k < len; k++) {
            if ((s[i + k] & 0xC0) != 0x80) ok = false;
            cp = cp << 6 | (s[i + k] & 0x3F);
        }
        if (!ok) {
            i++;
            continue;
        }
        i += len;
        if (cp > 0xFF) {
            const std::string c = utf8.substr(i - len, len);
            if (loss &&
                std::find(loss->refused.begin(), loss->refused.end(), c) == loss->refused.end())
                loss->refused.push_back(c);
            continue;
        }
        if (cp == '\n' || cp == '\r' || cp == '\t') cp = ' ';
        if (cp < 0x20 || (cp >= 0x7F && cp < 0xA0)) continue;
        if (cp == ' ' && (out.empty() || out.back() == ' ')) continue;
        out += (char)cp;
    }
    while (!out.empty() && out.back() == ' ') out.pop_back();
    if (out.size() > TEXTLABELCHARS) {
        if (loss) loss->cut = out.size() - TEXTLABELCHARS;
        out.resize(TEXTLABELCHARS);
        while (!out.empty() && out.back() == ' ') out.pop_back();
    }
    return out;
}

// The requester text for what a paste left out ("" when nothing).
std::string losstext(const PasteLoss &loss) {
    std::string m;
    if (!loss.refused.empty()) {
        for (const std::string &c : loss.refused) m += "\u201C" + c + "\u201D ";
        m += "cannot be stored: labels take Western European (ISO-8859-1) characters only, "
             "so the paste left them out.";
    }
    if (loss.cut > 0) {
        if (!m.empty()) m += "\n";
        m += "A label holds at most " + std::to_string(TEXTLABELCHARS) + " characters: the last " +
             std::to_string(loss.cut) + " characters of the pasted text were left out.";
    }
    return m;
}

// How far a paste moves off an object it would cover exactly: a grid step
// when the grid is in use.
int pastestep() { return (ShowGrid || SnapToGrid) && GridSize > 0 ? GridSize : PASTEOFFSET; }

// The labels of the set in outline order: from the focus object along its
// connectors when it is copied too, else in table order; each object once.
std::string outlinelabels(const std::vector<int> &set) {
    std::vector<int> order;
    std::set<int> inset(set.begin(), set.end()), listed;
    if (inset.count(selectedIWO)) {
        rearrangeclones(selectedIWO);
        for (size_t j = 1; j < outlineorder.size(); j++) order.push_back(outlineorder[j].index);
    } else {
        order = set;
    }
    std::string out;
    for (int i : order) {
        if (!inset.count(i) || !listed.insert(i).second) continue;
        const size_t n = textlen(IWO[i].label, sizeof IWO[i].label);
        if (n == 0) continue;
        out += latin1toutf8(IWO[i].label, n);
        out += "\n";
    }
    return out;
}

void opengroup() {
    savehistorypre(selectedIWO);
    savehistorypost(selectedIWO, HISTORY_GROUPBEGIN);
}

void closegroup() {
    savehistorypre(selectedIWO);
    savehistorypost(selectedIWO, HISTORY_GROUPEND);
}

// Whether a record would lie exactly on a live object of the diagram.
bool landsonanother(const IWORecord &r) {
    for (int i = 1; i < IWONumber; i++) {
        const IWORecord &o = IWO[i];
        if (o.type == r.type && o.x == r.x && o.y == r.y && o.width == r.width &&
            o.height == r.height)
            return true;
    }
    return false;
}

// The objects can be added: room in the table and ids left. Says so if not.
bool roomfor(size_t count) {
    if ((size_t)IWONumber - 1 + count > (size_t)MAXIWO) {
        ErrorReq("Sorry. Pasting these objects would pass the limit of 1000 objects. "
                 "Nothing was pasted.");
        return false;
    }
    if ((long)IWOid + (long)count > MAXIWOID) {
        ErrorReq("Sorry. No more object numbers are free. Nothing was pasted.");
        return false;
    }
    return true;
}

// The pasted objects become the selection, shown and recorded.
void finishpaste(int count, long writes) {
    recountconnections();
    for (int i = IWONumber - count; i < IWONumber; i++)
        if (IWO[i].type == CONNECTORTYPE) resetconnectorpoints(i);
    refreshhistorycreated();
    selectedIWO = (int16_t)(IWONumber - 1);
    numIWOselected = (int16_t)count;
    IWOselected = 1;
    closegroup();
    refreshIWOall();
    if (historywritecount() != writes) markIWOdiagrammodified();
}

} // namespace

std::vector<int> clipboardset() {
    std::vector<int> set;
    std::set<int16_t> ids;
    for (int i = 1; i < IWONumber; i++)
        if (IWO[i].selected && IWO[i].type != CONNECTORTYPE) ids.insert(IWO[i].id);
    // Connectors: selected ones and those whose ends are both selected, as long
    // as every end they are attached to is copied too.
    for (int i = 1; i < IWONumber; i++) {
        const IWORecord &r = IWO[i];
        if (r.type != CONNECTORTYPE) {
            if (r.selected) set.push_back(i);
        } else if (r.selected || (ids.count(r.connectstart) && ids.count(r.connectend))) {
            set.push_back(i);
        }
    }
    dropstrayconnectors(set, [](int i) -> const IWORecord & { return IWO[i]; });
    return set;
}

ClipboardForms clipboardforms(const std::vector<int> &set) {
    ClipboardForms forms;
    forms[OBJECTSMIME] = writeIWOobjectbytes(set);
    forms[SVGMIME] = svgobjects(set);
    forms[TEXTMIME] = outlinelabels(set);
    return forms;
}

int copyobjects() {
    const std::vector<int> set = clipboardset();
    if (set.empty()) return 1;
    platformclipboard().setdata(clipboardforms(set));
    return 1;
}

int cutobjects() {
    const std::vector<int> set = clipboardset();
    if (set.empty()) return 1;
    platformclipboard().setdata(clipboardforms(set));
    // Delete takes the selected objects with their connectors, in one group.
    for (int i : set) IWO[i].selected = 1;
    delete_();
    return 1;
}

int pastebytes(const std::string &bytes) {
    std::vector<IWORecord> records;
    std::string message;
    if (!readIWOobjectbytes((const uint8_t *)bytes.data(), bytes.size(), records, &message)) {
        ErrorReq(("Sorry. The clipboard holds no objects that can be pasted.\n" + message).c_str());
        return 0;
    }
    dropstrayconnectors(records, [](const IWORecord &r) -> const IWORecord & { return r; });
    if (records.empty() || !roomfor(records.size())) return 0;

    // A paste onto its own originals moves off them, by a grid step when the
    // grid is in use; a paste onto an earlier paste moves on again.
    const int step = pastestep();
    for (int shift = 0; shift < MAXPASTESHIFTS; shift++) {
        if (std::none_of(records.begin(), records.end(), landsonanother)) break;
        for (IWORecord &r : records) {
            r.x = (int16_t)std::clamp(r.x + step, -32768, 32767);
            r.y = (int16_t)std::clamp(r.y + step, -32768, 32767);
        }
    }

    // Objects hidden in a folded branch stay hidden only with a folded
    // connector that can unfold them; otherwise nothing could show them again.
    const bool folded = std::any_of(records.begin(), records.end(), [](const IWORecord &r) {
        return r.type == CONNECTORTYPE && r.fold != 0;
    });
    if (!folded)
        for (IWORecord &r : records) r.visible = 1;

    // Fresh ids, with the connectors following them, and fresh groups.
    // Data from elsewhere may give two records one id: each gets its own, and
    // connectors join the first record of an id.
    std::map<int16_t, int16_t> newid, newgroup;
    std::vector<int16_t> fresh;
    int16_t next = IWOid;
    for (const IWORecord &r : records) {
        fresh.push_back(++next);
        newid.emplace(r.id, next);
    }
    for (size_t k = 0; k < records.size(); k++) {
        IWORecord &r = records[k];
        r.id = fresh[k];
        if (attached(r.connectstart)) r.connectstart = newid[r.connectstart];
        if (attached(r.connectend)) r.connectend = newid[r.connectend];
        if (r.group >= 1) {
            auto g = newgroup.find(r.group);
            if (g == newgroup.end()) g = newgroup.emplace(r.group, ++groupnum).first;
            r.group = g->second;
        }
        r.selected = 1;
    }

    const long writes = historywritecount();
    removeshadowiwo();
    for (int i = 1; i < IWONumber; i++) IWO[i].selected = 0;
    opengroup();
    for (const IWORecord &r : records) {
        const int n = IWONumber;
        savehistorypre(n);
        IWO[n] = r;
        IWOid = r.id;
        if (r.type != CONNECTORTYPE) checkonpage(n, false);
        IWONumber += 1;
        IWO[IWONumber].type = DEADTYPE;
        savehistorypost(n, HISTORY_CREATE);
    }
    finishpaste((int)records.size(), writes);
    return 1;
}

int pastetext(const std::string &utf8) {
    if (pastelines(utf8)) return pastebranch(utf8);
    PasteLoss loss;
    const std::string label = labeltext(utf8, &loss);
    const std::string lost = losstext(loss);
    if (label.empty()) {
        if (!lost.empty()) ErrorReq(("Sorry. Nothing was pasted.\n" + lost).c_str());
        return 0;
    }
    if (!roomfor(1)) return 0;
    const long writes = historywritecount();
    removeshadowiwo();
    for (int i = 1; i < IWONumber; i++) IWO[i].selected = 0;
    // The middle of what the window shows, kept on the page.
    const int cx = std::clamp(getrealx(drawspacewindowwidth() / 2), 0, (int)IWODiagram.paperwidth);
    const int cy =
        std::clamp(getrealy(drawspacewindowheight() / 2), 0, (int)IWODiagram.paperheight);
    const int n = IWONumber;
    resetsingleIWO(n);
    if (!createIWO(n, TEXTTYPE, cx, cy, linecolour, lineweight, fillcolour)) return 0;
    opengroup();
    IWORecord &r = IWO[n];
    copytext(r.label, sizeof r.label, label.c_str());
    r.x = (int16_t)(cx - r.width / 2);
    r.y = (int16_t)(cy - r.height / 2);
    r.selected = 1;
    checkonpage(n, false);
    // A paste onto an earlier one moves on, as pasted objects do.
    auto covers = [n] {
        for (int i = 1; i < n; i++)
            if (IWO[i].type == IWO[n].type && IWO[i].x == IWO[n].x && IWO[i].y == IWO[n].y)
                return true;
        return false;
    };
    for (int shift = 0; shift < MAXPASTESHIFTS && covers(); shift++) {
        r.x = (int16_t)std::clamp(r.x + pastestep(), -32768, 32767);
        r.y = (int16_t)std::clamp(r.y + pastestep(), -32768, 32767);
        checkonpage(n, false);
    }
    savehistorypost(n, HISTORY_CREATE);
    finishpaste(1, writes);
    if (!lost.empty()) MessageReq(lost.c_str(), "Ideaweave Warning");
    return 1;
}

namespace {

struct Item {
    int indent;        // leading blanks, a tab counting four
    std::string label; // as the label holds it
};

// The lines of text that carry a label, with their indentation.
std::vector<Item> itemsof(const std::string &utf8) {
    std::vector<Item> items;
    size_t p = 0;
    while (p <= utf8.size()) {
        size_t end = utf8.find('\n', p);
        if (end == std::string::npos) end = utf8.size();
        const std::string line = utf8.substr(p, end - p);
        int indent = 0;
        size_t k = 0;
        for (; k < line.size() && (line[k] == ' ' || line[k] == '\t'); k++)
            indent = line[k] == '\t' ? (indent / 4 + 1) * 4 : indent + 1;
        std::string label = labeltext(line.substr(k));
        if (!label.empty()) items.push_back({indent, label});
        p = end + 1;
    }
    return items;
}

bool branchnode(int i) {
    const int t = IWO[i].type;
    return t != CONNECTORTYPE && t != LINETYPE && t != DEADTYPE && t != TEXTTYPE;
}

} // namespace

bool pastelines(const std::string &utf8) { return itemsof(utf8).size() >= 2; }

int pastebranch(const std::string &utf8) {
    const std::vector<Item> items = itemsof(utf8);
    if (items.size() < 2) return 0;
    const int anchor = liveIWO(selectedIWO) && IWO[selectedIWO].selected && branchnode(selectedIWO)
                           ? selectedIWO
                           : -1;
    // Every item a shape; each but a new tree's root joined to its parent.
    const size_t count = 2 * items.size() - (anchor > 0 ? 0 : 1);
    if (!roomfor(count)) return 0;
    const long writes = historywritecount();
    removeshadowiwo();

    // Kept to put back when the arrangement is refused.
    const int16_t firstnew = IWONumber, idbefore = IWOid;
    const int16_t pagewidth = IWODiagram.paperwidth, pageheight = IWODiagram.paperheight;
    const IWORecord shadow = IWO[SHADOWIWO];
    const IWORecord anchorbefore = anchor > 0 ? IWO[anchor] : IWORecord{};
    std::vector<IWORecord> before(IWO + 1, IWO + IWONumber);

    // The shapes, sized to their labels, at the anchor or the visible centre.
    const int type = anchor > 0 ? IWO[anchor].type : 102;
    const int cx = anchor > 0 ? IWO[anchor].x + IWO[anchor].width + GridSize
                              : std::clamp(getrealx(drawspacewindowwidth() / 2), 0,
                                           (int)IWODiagram.paperwidth);
    const int cy = anchor > 0 ? IWO[anchor].y
                              : std::clamp(getrealy(drawspacewindowheight() / 2), 0,
                                           (int)IWODiagram.paperheight);
    TextFont *font =
        OpenFont(IWODiagram.fontname, 4 * IWODiagram.font.ta_YSize, IWODiagram.font.ta_Style);
    const int lineheight = font ? font->tf_YSize : 64;
    std::vector<int> made;
    for (const Item &item : items) {
        const int width =
            font ? fonttextlength(font, item.label.c_str(), (int)item.label.size()) : 0;
        IWORecord &s = IWO[SHADOWIWO];
        s.x = (int16_t)cx;
        s.y = (int16_t)cy;
        s.width = (int16_t)std::clamp(width + lineheight, 2 * lineheight, 2000);
        s.height = (int16_t)(2 * lineheight);
        const int n = IWONumber;
        resetsingleIWO(n);
        if (!createIWO(n, type, cx, cy, linecolour, lineweight, fillcolour)) break;
        copytext(IWO[n].label, sizeof IWO[n].label, item.label.c_str());
        made.push_back(n);
    }
    if (font) CloseFont(font);

    // Each item hangs from the nearest item above it that is indented less;
    // items with none hang from the anchor, or from the first item.
    std::vector<int> parent(made.size(), -1);
    for (size_t k = 0; k < made.size(); k++) {
        for (size_t j = k; j-- > 0;)
            if (items[j].indent < items[k].indent) {
                parent[k] = made[j];
                break;
            }
        if (parent[k] < 0 && (anchor > 0 || k > 0)) parent[k] = anchor > 0 ? anchor : made[0];
    }
    if (made.size() == items.size())
        for (size_t k = 0; k < made.size(); k++)
            if (parent[k] > 0) joinnodes(parent[k], made[k], 0);

    // Arranged: the new shapes and the anchor, which stays where it is.
    for (int i = 1; i < IWONumber; i++) IWO[i].selected = i >= firstnew && branchnode(i);
    std::string why;
    bool arranged = IWONumber - firstnew == (int)count;
    if (arranged && anchor > 0) {
        IWO[anchor].selected = 1;
        IWO[anchor].locked = 1;
    }
    selectedIWO = (int16_t)(anchor > 0 ? anchor : firstnew);
    if (arranged) {
        recountconnections();
        arranged = arrangeIWOs(anchor > 0 ? ArrangeKind::Tree : ArrangeKind::MindMap, selectedIWO,
                               why, true) == 1;
    }
    IWO[SHADOWIWO] = shadow;
    if (anchor > 0) {
        IWO[anchor].locked = anchorbefore.locked;
        IWO[anchor].selected = 0;
    }
    if (!arranged) {
        // Nothing of it stays.
        IWONumber = firstnew;
        IWO[IWONumber].type = DEADTYPE;
        IWOid = idbefore;
        std::copy(before.begin(), before.end(), IWO + 1);
        IWODiagram.paperwidth = pagewidth;
        IWODiagram.paperheight = pageheight;
        setbitmapsize();
        cleardrawspace(papercolour);
        refreshIWOall();
        ErrorReq(("Sorry. The lines could not be pasted as a branch.\n" +
                  (why.empty() ? std::string("There is no room for them.") : why))
                     .c_str());
        return 0;
    }

    // One undo step: the page size around the new objects (and the anchor's
    // count of connectors, which undo recounts).
    const int16_t newwidth = IWODiagram.paperwidth, newheight = IWODiagram.paperheight;
    IWODiagram.paperwidth = pagewidth;
    IWODiagram.paperheight = pageheight;
    savehistorypre(firstnew);
    savehistorypost(firstnew, HISTORY_CROPBEGIN);
    IWODiagram.paperwidth = newwidth;
    IWODiagram.paperheight = newheight;
    for (int n = firstnew; n < IWONumber; n++) {
        savehistorypre(n);
        savehistorypost(n, HISTORY_CREATE);
    }
    savehistorypre(firstnew);
    savehistorypost(firstnew, HISTORY_CROPEND);

    for (int n = firstnew; n < IWONumber; n++) IWO[n].selected = 1;
    selectedIWO = (int16_t)(IWONumber - 1);
    numIWOselected = (int16_t)count;
    IWOselected = 1;
    if (newwidth != pagewidth || newheight != pageheight) {
        setbitmapsize();
        cleardrawspace(papercolour);
    }
    refreshIWOall();
    if (historywritecount() != writes) markIWOdiagrammodified();
    return 1;
}

int pasteobjects() {
    if (!DiagramExists) return 1;
    PlatformClipboard &cb = platformclipboard();
    std::string bytes;
    if (cb.data(OBJECTSMIME, bytes))
        pastebytes(bytes);
    else if (cb.data(TEXTMIME, bytes))
        pastetext(bytes);
    return 1;
}

bool clipboardpastable() {
    for (const std::string &f : platformclipboard().formats())
        if (f == OBJECTSMIME || f == TEXTMIME) return true;
    return false;
}

void watchclipboard() {
    setclipboardhandler([] { showstates(); });
}
