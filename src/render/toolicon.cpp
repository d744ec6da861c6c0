// toolicon.cpp - tool button pictures from the types' default drawings.
//
// The object is made in the shadow record as a tool choice would make it,
// copied into a table slot that no diagram ever reaches, and drawn with
// drawIWO into the icon's raster at a zoom that fits it. The drawing uses the
// window's mapping, so every global it reads is given icon values for the
// draw and put back afterwards: nothing of the open diagram changes.
#include "render/toolicon.h"

#include "model/create.h"
#include "model/diagram.h"
#include "model/interaction.h"
#include "model/iwo.h"
#include "platform/raster.h"
#include "platform/window.h"
#include "render/draw.h"
#include "render/drawstate.h"
#include "render/view.h"

#include <algorithm>
#include <cmath>

namespace {

// A slot past the last one a diagram can use (objects end at MAXIWO, the end
// marker at MAXIWO + 1), below the shadow record.
constexpr int ICONSLOT = SHADOWIWO - 1;
static_assert(ICONSLOT > MAXIWO + 1, "the icon slot must lie beyond every diagram");

// The page the icon object stands on: large enough for any default object,
// with its centre at the centre of the icon.
constexpr int ICONPAGE = 30000;

// Everything drawtoolicon changes for the draw, restored on destruction.
struct SavedGlobals {
    Raster *rp = drawspacerp;
    float z = zoom;
    DiagramRecord diagram = IWODiagram;
    int16_t bw = drawspacebitmapwidth, bh = drawspacebitmapheight;
    int htop = getscrollertop(HSCROLLER), vtop = getscrollertop(VSCROLLER);
    IWORecord shadow = IWO[SHADOWIWO];
    IWORecord slot = IWO[ICONSLOT];
    int16_t highlight = highlightcolour;
    int16_t handle = selectedIWOhandle;
    int16_t dragselect = DragSelect;
    int16_t csx = connectstartoffsetx, csy = connectstartoffsety;

    ~SavedGlobals() {
        drawspacerp = rp;
        zoom = z;
        IWODiagram = diagram;
        drawspacebitmapwidth = bw;
        drawspacebitmapheight = bh;
        if (getscrollertop(HSCROLLER) != htop) setscrollertop(HSCROLLER, htop);
        if (getscrollertop(VSCROLLER) != vtop) setscrollertop(VSCROLLER, vtop);
        IWO[SHADOWIWO] = shadow;
        IWO[ICONSLOT] = slot;
        highlightcolour = highlight;
        selectedIWOhandle = handle;
        DragSelect = dragselect;
        connectstartoffsetx = csx;
        connectstartoffsety = csy;
    }
};

} // namespace

int drawtoolicon(Raster *rp, int type, int size) {
    if (!rp || size < 4) return 0;
    sizeraster(rp, size, size);
    if (type < RECTANGLETYPE || type > LASTSHAPETYPE) return 0;

    SavedGlobals saved;
    DragSelect = 0;
    selectedIWOhandle = 0;
    connectstartoffsetx = connectstartoffsety = 0;
    IWODiagram.paperwidth = IWODiagram.paperheight = ICONPAGE;

    resetsingleIWO(SHADOWIWO);
    createIWO(SHADOWIWO, type, 0, 0, linecolour, lineweight, fillcolour);
    IWORecord &r = IWO[ICONSLOT];
    r = IWO[SHADOWIWO];
    if (r.drawnum == 0 && type != TEXTTYPE) return 0;
    // Lines and connectors have no size of their own: a diagonal of the
    // default size.
    if (type == LINETYPE || type == CONNECTORTYPE) {
        r.width = DefaultIWOWidth;
        r.height = DefaultIWOHeight;
    }
    int w = std::max<int>(std::abs(r.width), 1), h = std::max<int>(std::abs(r.height), 1);
    r.x = (int16_t)(ICONPAGE / 2 - w / 2);
    r.y = (int16_t)(ICONPAGE / 2 - h / 2);
    r.id = (int16_t)ICONSLOT;
    r.selected = 0;
    r.fold = 0;
    r.visible = 1;
    r.locked = 0;

    // The zoom that fits the object inside a small margin.
    int margin = std::max(1, size / 10);
    zoom = (float)(size - 2 * margin) / (float)std::max(w, h);
    // Outlines at least one pixel wide (two in large icons), as a thin line
    // of the diagram would vanish at this zoom.
    int pixels = size >= 32 ? 2 : 1;
    int weight = (int)std::ceil((float)pixels / zoom);
    while ((float)weight * zoom < (float)pixels) weight++;
    if (r.lineweight > 0 && r.lineweight < weight) r.lineweight = (int16_t)weight;
    for (auto &d : r.draw)
        if (d.lineweight > 0 && d.lineweight < weight) d.lineweight = (int16_t)weight;

    // The page's centre at the icon's centre: extent = icon size, tops 0.
    drawspacebitmapwidth = drawspacebitmapheight = (int16_t)size;
    if (getscrollertop(HSCROLLER) != 0) setscrollertop(HSCROLLER, 0);
    if (getscrollertop(VSCROLLER) != 0) setscrollertop(VSCROLLER, 0);
    drawspacerp = rp;
    drawIWO(ICONSLOT);
    if (type == CONNECTORTYPE) {
        // A connector joins objects: a small box at each end tells it from
        // the plain Line, whose picture is the same diagonal.
        const float cx = (float)size / 2, cy = (float)size / 2;
        const float dx = (float)w * zoom / 2, dy = (float)h * zoom / 2;
        const int half = std::max(1, size / 12);
        SetDrMd(rp, JAM1);
        SetAPen(rp, r.linecolour & 0xFF);
        for (int e = -1; e <= 1; e += 2) {
            const int ex = (int)(cx + (float)e * dx), ey = (int)(cy + (float)e * dy);
            RectFill(rp, std::max(0, ex - half), std::max(0, ey - half),
                     std::min(size - 1, ex + half), std::min(size - 1, ey + half));
        }
    }
    return 1;
}

int drawlineendicon(Raster *rp, int kind, int end, int size) {
    if (!rp || size < 4) return 0;
    sizeraster(rp, size, size);
    if (kind < PARTENDNONE || kind > PARTENDARROWBACK || (end != 1 && end != 2)) return 0;

    SavedGlobals saved;
    DragSelect = 0;
    selectedIWOhandle = 0;
    connectstartoffsetx = connectstartoffsety = 0;
    IWODiagram.paperwidth = IWODiagram.paperheight = ICONPAGE;

    // A level line, its mark half its length across, drawn in the line pens
    // of new objects.
    constexpr int LENGTH = 200, MARK = 100;
    resetsingleIWO(SHADOWIWO);
    createIWO(SHADOWIWO, LINETYPE, 0, 0, linecolour, lineweight, linecolour);
    IWORecord &r = IWO[ICONSLOT];
    r = IWO[SHADOWIWO];
    r.width = LENGTH;
    r.height = 0;
    r.x = (int16_t)(ICONPAGE / 2 - LENGTH / 2);
    r.y = (int16_t)(ICONPAGE / 2);
    r.id = (int16_t)ICONSLOT;
    r.selected = 0;
    r.fold = 0;
    r.visible = 1;
    r.locked = 0;
    r.label[0] = 0;
    for (int e = 1; e <= 2; e++) {
        DrawPart &d = r.draw[e];
        d.kind = (int8_t)(e == end ? kind : PARTENDNONE);
        d.px[0] = d.py[0] = (int8_t)(e == 1 ? 0 : 100);
        if (kind == PARTENDARROWBACK && e == end)
            d.px[0] = d.py[0] = (int8_t)(e == 1 ? -r.lineweight : 100 - r.lineweight);
        if (kind == PARTENDARROW && e == end)
            d.px[0] = d.py[0] = (int8_t)(e == 1 ? r.lineweight : 100 + r.lineweight);
        d.px[1] = d.py[1] = MARK;
        d.linecolour = d.fillcolour = r.linecolour;
        // An open diamond is open on paper; filled with its line pen it would
        // look like the filled one.
        if (d.kind >= PARTENDOPENDIAMOND && d.kind < PARTENDARROW) d.fillcolour = papercolour;
    }
    int margin = std::max(1, size / 10);
    zoom = (float)(size - 2 * margin) / (float)(LENGTH + 2 * MARK);
    int weight = (int)std::ceil(1.0f / zoom);
    if (r.lineweight < weight) r.lineweight = (int16_t)weight;
    for (auto &d : r.draw)
        if (d.lineweight > 0 && d.lineweight < weight) d.lineweight = (int16_t)weight;
    drawspacebitmapwidth = drawspacebitmapheight = (int16_t)size;
    if (getscrollertop(HSCROLLER) != 0) setscrollertop(HSCROLLER, 0);
    if (getscrollertop(VSCROLLER) != 0) setscrollertop(VSCROLLER, 0);
    drawspacerp = rp;
    drawIWO(ICONSLOT);
    return 1;
}
