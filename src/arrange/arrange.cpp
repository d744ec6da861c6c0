// arrange.cpp - automatic arrangement (see arrange.h): the object table turned
// into a graph for the layouts of layout.cpp, and their answer put back.
#include "arrange/arrange.h"

#include "arrange/layout.h"
#include "connect/connect.h"
#include "edit/history.h"
#include "edit/selection.h"
#include "model/diagram.h"
#include "model/idindex.h"
#include "model/iwo.h"
#include "model/settings.h"
#include "platform/fonts.h"
#include "render/erase.h"
#include "render/view.h"
#include "ui/ui.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

constexpr int MAXPAGE = 6000; // the largest custom page, in diagram units

bool isnode(int i) {
    const int t = IWO[i].type;
    return t != DEADTYPE && t != NOOUTLINETYPE && t != LINETYPE && t != CONNECTORTYPE;
}

// What the object covers: its box and, for a label wider or lower than the
// box, the label too (measured as drawn at zoom 1, where a pixel is a unit).
ArrangeBox extent(int i) {
    const IWORecord &r = IWO[i];
    ArrangeBox b{r.x, r.y, std::max<int>(r.width, 0), std::max<int>(r.height, 0)};
    if (r.type == TEXTTYPE) {
        // A Text object's label sits on its baseline, half its height above the box.
        b.y -= b.h / 2;
        b.h += b.h / 2;
        return b;
    }
    const int n = (int)strnlen(r.label, sizeof r.label);
    if (n == 0) return b;
    TextFont *font = OpenFont(r.fontname, 4 * r.font.ta_YSize, r.font.ta_Style);
    if (!font) return b;
    const int tl = fonttextlength(font, r.label, n);
    const int cx = r.x + r.width * r.labelx / 100, base = r.y + r.height * r.labely / 100;
    const int x0 = std::min(b.x, cx - tl / 2), x1 = std::max(b.x + b.w, cx - tl / 2 + tl);
    const int y0 = std::min(b.y, base - font->tf_Baseline);
    const int y1 = std::max(b.y + b.h, base + font->tf_Descent);
    CloseFont(font);
    return {x0, y0, x1 - x0, y1 - y0};
}

// The connectors' ends as table indices (-1 where an end is not a node).
struct Join {
    int from, to;
};

std::vector<Join> joins(const IWOIdIndex &ids) {
    std::vector<Join> out;
    for (int i = 1; i < IWONumber; i++) {
        const IWORecord &r = IWO[i];
        if (r.type != CONNECTORTYPE) continue;
        const int s = ids.find(r.connectstart), e = ids.find(r.connectend);
        if (liveIWO(s) && liveIWO(e) && isnode(s) && isnode(e)) out.push_back({s, e});
    }
    return out;
}

// The objects to arrange (see arrange.h), as a flag per table index.
std::vector<char> chosen(const std::vector<Join> &js) {
    std::vector<char> in(IWONumber, 0);
    std::vector<int> selected;
    for (int i = 1; i < IWONumber; i++)
        if (IWO[i].selected && isnode(i)) selected.push_back(i);
    if (selected.size() >= 2) {
        // The selected objects, with the folded branches behind them (hidden
        // objects cannot be selected), so that those unfold in place.
        std::vector<int> queue(selected);
        for (int i : selected) in[i] = 1;
        for (size_t q = 0; q < queue.size(); q++)
            for (const Join &j : js) {
                const int other = j.from == queue[q] ? j.to : -1;
                if (other >= 0 && !in[other] && !IWO[other].visible) {
                    in[other] = 1;
                    queue.push_back(other);
                }
            }
    } else if (selected.size() == 1) {
        // The whole part the one selected object belongs to.
        std::vector<int> queue{selected[0]};
        in[selected[0]] = 1;
        for (size_t q = 0; q < queue.size(); q++)
            for (const Join &j : js) {
                int other = j.from == queue[q] ? j.to : j.to == queue[q] ? j.from : -1;
                if (other >= 0 && !in[other]) {
                    in[other] = 1;
                    queue.push_back(other);
                }
            }
    } else {
        for (const Join &j : js)
            if (j.from != j.to) in[j.from] = in[j.to] = 1;
    }
    return in;
}

// A connector between two arranged objects is attached to the middles of the
// sides they turn to each other in the direction the arrangement grows (across
// for mind maps and trees, down for organisation charts and flowcharts), so
// that it never runs across either object.
void facesides(IWORecord &c, const IWORecord &s, const IWORecord &e, bool across) {
    const long dx = (2L * e.x + e.width) - (2L * s.x + s.width);
    const long dy = (2L * e.y + e.height) - (2L * s.y + s.height);
    const int16_t near = across ? (dx >= 0 ? 100 : 0) : (dy >= 0 ? 100 : 0);
    c.connectstartx = across ? near : 50;
    c.connectstarty = across ? 50 : near;
    c.connectendx = across ? (int16_t)(100 - near) : 50;
    c.connectendy = across ? 50 : (int16_t)(100 - near);
}

// Arranges; any is set when there was something to arrange.
int arrangetable(ArrangeKind kind, int root, bool erase, std::string &why, bool &any) {
    why.clear();
    // Arranging moves objects but keeps their places in the table and their ids.
    const IWOIdIndex ids(IWO, IWONumber);
    const std::vector<Join> js = joins(ids);
    const std::vector<char> in = chosen(js);
    std::vector<int> nodes, at(IWONumber, -1);
    for (int i = 1; i < IWONumber; i++)
        if (in[i]) {
            at[i] = (int)nodes.size();
            nodes.push_back(i);
        }
    any = false;
    for (const Join &j : js)
        if (in[j.from] && in[j.to] && j.from != j.to) any = true;
    if (!any) return 1;

    ArrangeGraph g;
    std::vector<ArrangeBox> ext;
    for (int i : nodes) {
        ext.push_back(extent(i));
        g.locked.push_back(IWO[i].locked == 1);
    }
    g.nodes = ext;
    for (const Join &j : js)
        if (in[j.from] && in[j.to]) g.edges.emplace_back(at[j.from], at[j.to]);
    for (int i = 1; i < IWONumber; i++)
        if (!in[i] && isnode(i) && IWO[i].visible) g.obstacles.push_back(extent(i));
    if (root < 1 && liveIWO(selectedIWO) && IWO[selectedIWO].selected) root = selectedIWO;
    g.root = root >= 1 && root < IWONumber ? at[root] : -1;
    g.spacing = GridSize;
    g.pagewidth = IWODiagram.paperwidth;
    g.pageheight = IWODiagram.paperheight;
    g.maxpage = MAXPAGE;

    const ArrangeResult res = arrangelayout(kind, g);
    if (!res.ok) {
        why = res.why;
        return 0;
    }
    for (size_t k = 0; k < nodes.size(); k++) {
        IWORecord &r = IWO[nodes[k]];
        r.x = (int16_t)(r.x + res.nodes[k].x - ext[k].x);
        r.y = (int16_t)(r.y + res.nodes[k].y - ext[k].y);
    }
    if (res.pagewidth != IWODiagram.paperwidth || res.pageheight != IWODiagram.paperheight) {
        IWODiagram.paperwidth = (int16_t)res.pagewidth;
        IWODiagram.paperheight = (int16_t)res.pageheight;
        setbitmapsize();
        cleardrawspace(papercolour);
    }
    for (int i = 1; i < IWONumber; i++) {
        IWORecord &c = IWO[i];
        if (c.type != CONNECTORTYPE) continue;
        const int s = ids.find(c.connectstart), e = ids.find(c.connectend);
        if (liveIWO(s) && liveIWO(e) && in[s] && in[e] && s != e)
            facesides(c, IWO[s], IWO[e], kind == ArrangeKind::MindMap || kind == ArrangeKind::Tree);
    }
    std::vector<int> joined;
    for (int i : nodes)
        if (connections(IWO[i]) > 0) joined.push_back(i);
    calcconnectorpointsof(joined, erase);
    return 1;
}

} // namespace

int arrangeIWOs(ArrangeKind kind, int root, std::string &why, bool erase) {
    bool any = false;
    return arrangetable(kind, root, erase, why, any);
}

int arrangediagram(ArrangeKind kind) {
    if (!DiagramExists) return 0;
    removeshadowiwo();
    const std::vector<IWORecord> before(IWO + 1, IWO + IWONumber);
    const int16_t pagewidth = IWODiagram.paperwidth, pageheight = IWODiagram.paperheight;
    std::string why;
    bool any = false;
    // The page is painted afresh below: the connectors' old places need no erasing.
    if (!arrangetable(kind, -1, false, why, any)) {
        ErrorReq(why.c_str());
        return 0;
    }
    if (!any) {
        ErrorReq("There is nothing to arrange: no objects are joined by connectors.");
        return 0;
    }
    const long writes = historywritecount();
    savehistoryimage(before.data(), (int)before.size(), pagewidth, pageheight, selectedIWO);
    // Drawing selected objects snaps them to the grid, which would undo the
    // spacing: with snapping on the arranged objects are let go.
    if (SnapToGrid) selectall(0);
    // Objects left their old places all over the page: it is painted afresh.
    cleardrawspace(papercolour);
    refreshIWOall();
    if (propwindowopen) updateIWOprop(selectedIWO);
    if (historywritecount() != writes) markIWOdiagrammodified();
    return 1;
}

bool arrangekindnamed(const std::string &name, ArrangeKind &kind) {
    if (name == "mindmap")
        kind = ArrangeKind::MindMap;
    else if (name == "tree")
        kind = ArrangeKind::Tree;
    else if (name == "orgchart")
        kind = ArrangeKind::TreeDown;
    else if (name == "flowchart")
        kind = ArrangeKind::Flowchart;
    else
        return false;
    return true;
}
