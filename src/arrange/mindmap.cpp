// mindmap.cpp - building a mind map from the keyboard (see mindmap.h).
#include "arrange/mindmap.h"

#include "arrange/arrange.h"
#include "connect/connect.h"
#include "edit/history.h"
#include "edit/selection.h"
#include "edit/transform.h"
#include "model/create.h"
#include "model/diagram.h"
#include "model/idindex.h"
#include "model/interaction.h"
#include "model/iwo.h"
#include "model/select.h"
#include "model/settings.h"
#include "render/draw.h"
#include "render/drawparts.h"
#include "render/erase.h"
#include "render/view.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

bool isnode(const IWORecord &r) {
    return r.type != DEADTYPE && r.type != NOOUTLINETYPE && r.type != LINETYPE &&
           r.type != CONNECTORTYPE;
}

bool valid(const MapLinks &m, int v) {
    return v >= 0 && v < (int)m.nodes.size() && m.nodes[v].node;
}

long centre2x(const MapNode &n) { return 2L * n.x + n.w; }
long centre2y(const MapNode &n) { return 2L * n.y + n.h; }

// The clockwise angle of b's centre around a's, from straight up.
double angleof(const MapNode &a, const MapNode &b) {
    const double v =
        std::atan2((double)(centre2x(b) - centre2x(a)), -(double)(centre2y(b) - centre2y(a)));
    return v < 0 ? v + 2 * M_PI : v;
}

// The children of v, shown or not, in reading order.
std::vector<int> childrenof(const MapLinks &m, int v, bool shownonly) {
    std::vector<int> kids;
    if (!valid(m, v)) return kids;
    const int parent = mapparent(m, v);
    for (const auto &[from, to] : m.edges)
        if (from == v && to != v && to != parent && valid(m, to) &&
            (!shownonly || m.nodes[to].shown) &&
            std::find(kids.begin(), kids.end(), to) == kids.end())
            kids.push_back(to);
    const MapNode &c = m.nodes[v];
    std::stable_sort(kids.begin(), kids.end(), [&](int p, int q) {
        const MapNode &a = m.nodes[p], &b = m.nodes[q];
        if (parent < 0) {
            const double ap = angleof(c, a), aq = angleof(c, b);
            if (ap != aq) return ap < aq;
        }
        if (centre2y(a) != centre2y(b)) return centre2y(a) < centre2y(b);
        return centre2x(a) < centre2x(b);
    });
    return kids;
}

// The central node above v (v itself when it has no parent); cycles end
// the walk where it would come round again.
int centralof(const MapLinks &m, int v) {
    std::vector<char> seen(m.nodes.size(), 0);
    while (valid(m, v) && !seen[v]) {
        seen[v] = 1;
        const int p = mapparent(m, v);
        if (p < 0 || seen[p]) return v;
        v = p;
    }
    return v;
}

// A connector of the branch to copy: one from parent to a child, else the one
// that joins parent to its own parent; 0 when there is none.
int connectorlike(int parent) {
    const int16_t id = IWO[parent].id;
    int up = 0;
    for (int i = 1; i < IWONumber; i++) {
        const IWORecord &c = IWO[i];
        if (c.type != CONNECTORTYPE) continue;
        const int s = findIWObyid(c.connectstart), e = findIWObyid(c.connectend);
        if (!liveIWO(s) || !liveIWO(e) || !isnode(IWO[s]) || !isnode(IWO[e])) continue;
        if (c.connectstart == id && s != e) return i;
        if (c.connectend == id && up == 0) up = i;
    }
    return up;
}

} // namespace

// A connector from the middle of a's right side to the middle of b's left,
// made as the connector tool makes it, in the pens of like (when there is one).
int joinnodes(int a, int b, int like) {
    connectstartIWO = (int16_t)a;
    connectendIWO = (int16_t)b;
    connectstartoffsetx = IWO[a].width;
    connectstartoffsety = (int16_t)(IWO[a].height / 2);
    connectendoffsetx = 0;
    connectendoffsety = (int16_t)(IWO[b].height / 2);
    IWORecord &s = IWO[SHADOWIWO];
    s.x = (int16_t)(IWO[a].x + IWO[a].width);
    s.y = (int16_t)(IWO[a].y + IWO[a].height / 2);
    s.width = (int16_t)(IWO[b].x - s.x);
    s.height = (int16_t)(IWO[b].y + IWO[b].height / 2 - s.y);
    const int n = IWONumber;
    resetsingleIWO(n);
    const int pen = like > 0 ? IWO[like].linecolour : linecolour;
    const int weight = like > 0 ? IWO[like].lineweight : lineweight;
    const int fill = like > 0 ? IWO[like].fillcolour : fillcolour;
    const int made = createIWO(n, CONNECTORTYPE, IWO[b].x, IWO[b].y, pen, weight, fill);
    connectstartIWO = connectendIWO = -5;
    connectstartoffsetx = connectstartoffsety = -99;
    if (!made || IWONumber != n + 1) return 0;
    if (like > 0) {
        // The line ends are drawing parts of the connector's picture.
        IWORecord &c = IWO[n];
        const IWORecord &l = IWO[like];
        c.drawnum = l.drawnum;
        std::copy(std::begin(l.draw), std::end(l.draw), std::begin(c.draw));
        c.linecolour = l.linecolour;
        c.lineweight = l.lineweight;
    }
    calcconnectorpoints(n);
    return n;
}

int mapparent(const MapLinks &m, int v) {
    if (!valid(m, v)) return -1;
    for (const auto &[from, to] : m.edges)
        if (to == v && from != v && valid(m, from)) return from;
    return -1;
}

std::vector<int> mapchildren(const MapLinks &m, int v) { return childrenof(m, v, true); }

int mapstep(const MapLinks &m, int v, MapStep step) {
    if (!valid(m, v) || !m.nodes[v].shown) return -1;
    if (step == MapStep::Parent) return mapparent(m, v);
    if (step == MapStep::FirstChild) {
        const std::vector<int> kids = mapchildren(m, v);
        return kids.empty() ? -1 : kids.front();
    }
    const int p = mapparent(m, v);
    if (p < 0) return -1;
    const std::vector<int> kids = mapchildren(m, p);
    const auto at = std::find(kids.begin(), kids.end(), v);
    if (at == kids.end()) return -1;
    if (step == MapStep::Previous) return at == kids.begin() ? -1 : *(at - 1);
    return at + 1 == kids.end() ? -1 : *(at + 1);
}

MapLinks maplinksoftable() {
    MapLinks m;
    m.nodes.resize(std::max<int>(IWONumber, 1));
    for (int i = 1; i < IWONumber; i++) {
        const IWORecord &r = IWO[i];
        m.nodes[i] = {r.x, r.y, r.width, r.height, isnode(r), r.visible != 0};
    }
    const IWOIdIndex ids(IWO, IWONumber);
    for (int i = 1; i < IWONumber; i++) {
        const IWORecord &c = IWO[i];
        if (c.type != CONNECTORTYPE) continue;
        const int s = ids.find(c.connectstart), e = ids.find(c.connectend);
        if (liveIWO(s) && liveIWO(e) && s != e && m.nodes[s].node && m.nodes[e].node)
            m.edges.emplace_back(s, e);
    }
    return m;
}

int addmapnode(bool sibling, std::string &why) {
    why.clear();
    const int at = selectedIWO;
    if (!liveIWO(at) || !IWO[at].selected || !isnode(IWO[at])) {
        why = "Select a node first: a shape or a text, not a line or a connector.";
        return 0;
    }
    if (IWONumber - 1 + 2 > MAXIWO) {
        why = "Sorry. The diagram holds as many objects as it can (1000).";
        return 0;
    }
    if ((long)IWOid + 2 > 32767) { // ids are 16-bit and never wrap
        why = "Sorry. No more object numbers are free.";
        return 0;
    }
    removeshadowiwo();
    const MapLinks m = maplinksoftable();
    int parent = sibling ? mapparent(m, at) : at;
    if (parent < 0) parent = at; // a sibling of the central node is its child
    const int central = centralof(m, parent);

    // Kept to put back when the placement is refused.
    const int16_t first = IWONumber, idbefore = IWOid;
    const int16_t pagewidth = IWODiagram.paperwidth, pageheight = IWODiagram.paperheight;
    const IWORecord shadow = IWO[SHADOWIWO];
    std::vector<IWORecord> before(IWO + 1, IWO + IWONumber);
    auto putback = [&] {
        IWONumber = first;
        IWO[IWONumber].type = DEADTYPE;
        IWOid = idbefore;
        std::copy(before.begin(), before.end(), IWO + 1);
        IWO[SHADOWIWO] = shadow;
        if (IWODiagram.paperwidth != pagewidth || IWODiagram.paperheight != pageheight) {
            IWODiagram.paperwidth = pagewidth;
            IWODiagram.paperheight = pageheight;
            setbitmapsize();
            cleardrawspace(papercolour);
        }
    };

    // The new node: the selected one's shape, pens, font and size, below its
    // siblings, so that the arrangement keeps it last among them.
    const IWORecord &t = IWO[at];
    const std::vector<int> kids = childrenof(m, parent, false);
    int below = IWO[parent].y + IWO[parent].height;
    for (int k : kids) below = std::max(below, IWO[k].y + IWO[k].height);
    const int x = IWO[parent].x + IWO[parent].width + GridSize;
    const int y = below + GridSize;
    IWORecord &s = IWO[SHADOWIWO];
    s.x = (int16_t)x;
    s.y = (int16_t)y;
    s.width = t.width;
    s.height = t.height;
    const int n = IWONumber;
    resetsingleIWO(n);
    if (!createIWO(n, t.type, x, y, t.linecolour, t.lineweight, t.fillcolour) ||
        IWONumber != n + 1) {
        putback();
        why = "Sorry. The node could not be made.";
        return 0;
    }
    {
        IWORecord &r = IWO[n];
        r.x = (int16_t)x;
        r.y = (int16_t)y;
        r.width = t.width;
        r.height = t.height;
        r.font = t.font;
        std::memcpy(r.fontname, t.fontname, sizeof r.fontname);
        r.labelx = t.labelx;
        r.labely = t.labely;
        r.labelposition = t.labelposition;
        r.fontcolour = t.fontcolour;
        r.labelcolour = t.labelcolour;
        r.labelfilled = t.labelfilled;
        r.label[0] = 0;
        r.visible = 1;
        resolvefont(n);
        if (r.type == TEXTTYPE) {
            // A Text node is as wide as its (empty) label, as drawing makes
            // it: sized before it is joined and arranged, so that its
            // connector and the size the step records are the drawn ones.
            LabelGeometry g;
            if (labelgeometry(n, g)) CloseFont(g.font);
        }
    }
    const int c = joinnodes(parent, n, connectorlike(parent));
    if (c == 0) {
        putback();
        why = "Sorry. The connector could not be made.";
        return 0;
    }
    recountconnections();

    // Around a central node the branches are read clockwise from the top:
    // laid in that order down its right side, they are shared out between
    // the two sides again with the new one last.
    if (parent == central) {
        const MapLinks now = maplinksoftable();
        const std::vector<int> order = childrenof(now, central, false);
        std::vector<int> ordered(order);
        ordered.erase(std::remove(ordered.begin(), ordered.end(), n), ordered.end());
        ordered.push_back(n);
        const IWORecord &r = IWO[central];
        for (size_t k = 0; k < ordered.size(); k++) {
            IWORecord &o = IWO[ordered[k]];
            o.x = (int16_t)(r.x + r.width + GridSize);
            o.y = (int16_t)std::clamp<long>(r.y + 20L * (long)k - o.height / 2, -32000, 32000);
        }
    }

    // The map arranged around its central node, as near as the page lets
    // it stay where it is.
    for (int i = 1; i < IWONumber; i++) IWO[i].selected = i == n;
    selectedIWO = (int16_t)n;
    const int arranged = arrangeIWOs(ArrangeKind::MindMap, central, why, false);
    IWO[SHADOWIWO] = shadow;
    if (!arranged) {
        putback();
        if (why.empty()) why = "Sorry. There is no room for the new node.";
        return 0;
    }

    // The connector goes before the node in the table (so that redo puts
    // the node back last and selected). One undo step: the connector made,
    // every record the placement moved, the node made.
    std::swap(IWO[n], IWO[c]);
    const int conn = n, node = c;
    for (int i = 1; i < IWONumber; i++) IWO[i].selected = i == node;
    savehistorypre(conn);
    savehistorypost(conn, HISTORY_GROUPBEGIN);
    savehistorypre(conn);
    savehistorypost(conn, HISTORY_CREATE);
    // The connector is in the placement's image too, from a stand-in of
    // itself, so that redo leaves it unselected as the command does.
    before.push_back(IWO[conn]);
    before.back().x = (int16_t)(before.back().x + 1);
    savehistoryimage(before.data(), (int)before.size(), pagewidth, pageheight, conn);
    savehistorypre(node);
    savehistorypost(node, HISTORY_CREATE);
    savehistorypre(node);
    savehistorypost(node, HISTORY_GROUPEND);

    selectedIWO = (int16_t)node;
    numIWOselected = 1;
    IWOselected = 1;
    // Drawing a selected object snaps it to the grid: the placement stays.
    // The nodes left their old places: the page is painted afresh.
    const int16_t snap = SnapToGrid;
    SnapToGrid = 0;
    cleardrawspace(papercolour);
    refreshIWOall();
    SnapToGrid = snap;
    markIWOdiagrammodified();
    return node;
}

int selectmapnode(MapStep step) {
    const int at = selectedIWO;
    if (!liveIWO(at) || !IWO[at].selected) return 0;
    const int to = mapstep(maplinksoftable(), at, step);
    if (!liveIWO(to)) return 0;
    removeshadowiwo();
    selectall(0);
    IWO[to].selected = 1;
    selectedIWO = (int16_t)to;
    numIWOselected = 1;
    IWOselected = 1;
    const int16_t snap = SnapToGrid;
    SnapToGrid = 0;
    refreshIWOall();
    SnapToGrid = snap;
    return 1;
}

int deletemapbranch() {
    const int at = selectedIWO;
    if (!liveIWO(at) || !IWO[at].selected || !isnode(IWO[at])) return 0;
    const MapLinks m = maplinksoftable();
    std::vector<char> in(m.nodes.size(), 0);
    std::vector<int> queue{at};
    in[at] = 1;
    for (size_t q = 0; q < queue.size(); q++)
        for (int k : childrenof(m, queue[q], false))
            if (!in[k]) {
                in[k] = 1;
                queue.push_back(k);
            }
    removeshadowiwo();
    for (int i = 1; i < IWONumber; i++) IWO[i].selected = in[i] ? 1 : 0;
    numIWOselected = (int16_t)queue.size();
    delete_();
    return 1;
}

int foldmapbranch() {
    const int at = selectedIWO;
    if (!liveIWO(at) || !IWO[at].selected || !isnode(IWO[at])) return 0;
    const int16_t id = IWO[at].id;
    std::vector<int16_t> ids;
    bool allfolded = true;
    for (int i = 1; i < IWONumber; i++) {
        const IWORecord &c = IWO[i];
        if (c.type != CONNECTORTYPE || c.connectstart != id) continue;
        const int e = findIWObyid(c.connectend);
        if (!liveIWO(e) || e == at || !isnode(IWO[e])) continue;
        ids.push_back(c.id);
        if (c.fold == 0) allfolded = false;
    }
    if (ids.empty()) return 0;
    removeshadowiwo();
    const std::vector<IWORecord> before(IWO + 1, IWO + IWONumber);
    const int16_t f = allfolded ? 0 : 1;
    for (int16_t cid : ids) {
        const int k = findIWObyid(cid);
        if (!liveIWO(k)) continue;
        IWO[k].fold = f;
        IWO[k].nodefold = f;
        foldnode(k);
    }
    savehistorytable(before.data(), (int)before.size(), at);
    refreshIWOall();
    markIWOdiagrammodified();
    return 1;
}
