// startup.cpp - start values and the toolkit-free part of the set-up.
#include "app/startup.h"

#include "app/prefwindow.h"
#include "model/bytes.h"
#include "app/tools.h"
#include "edit/interact.h"
#include "edit/selection.h"
#include "model/clones.h"
#include "model/create.h"
#include "model/diagram.h"
#include "model/iwo.h"
#include "model/select.h"
#include "model/settings.h"
#include "render/drawstate.h"
#include "render/erase.h"
#include "render/view.h"
#include "store/prefs.h"
#include "store/userobjects.h"

// Every global gets its initial value here, so that a session started twice in
// one process (tests, the command-line tool) starts the same both times.
int setstartvalues() {
    selectedtool = SELECTTOOL;
    IWeaveFont = {0, 16, 0, 1};
    copytext(IWeaveFontName, sizeof IWeaveFontName, "Bitstream Vera Sans.font");
    tempfont = IWeaveFont;
    selectedIWO = -1;
    selectedIWOhandle = 0;
    IWODiagram.saved = 1;

    IWONumber = 1;
    IWOid = 0;
    DiagramExists = 0;
    clones = 0;
    numIWOselected = 0;
    IWOselected = 0;
    groupnum = 1;
    DragSelect = 0;
    JustCreated = 0;
    AltDown = ShiftDown = 0;
    connectstartIWO = connectendIWO = -5;
    connectstartoffsetx = connectstartoffsety = -99;
    connectendoffsetx = connectendoffsety = -99;
    DragSelectx = DragSelecty = 0;
    DragSelectwidth = DragSelectheight = 0;
    insideIWOx = insideIWOy = 0;
    mousex = mousey = 0;
    selectedgadget = 0;
    SHADOWIWODRAWN = 0;
    Damagex = Damagey = 0;
    Damagewidth = Damageheight = 0;

    DefaultIWOWidth = 310;
    DefaultIWOHeight = 210;
    papercolour = 2;
    fontcolour = 1;
    labelcolour = 2;
    linecolour = 1;
    fillcolour = 2;
    highlightcolour = 3;
    lineweight = 10;
    labelfilled = 1;
    scrollsizex = scrollsizey = 50;
    IconSet = 2;
    GridSize = 100;
    ShowGrid = SnapToGrid = 0;
    HighlightOn = 0;
    QuickDraw = 0;
    prefwinx = 50;
    prefwiny = 70;
    prefwinwidth = 200;
    prefwinheight = 300;
    zoom = 0.3f;
    temppapercolour = 2;
    tempfontcolour = 1;
    templabelcolour = 2;
    templinecolour = 1;
    tempfillcolour = 1;
    temphighlightcolour = 1;
    templineweight = 10;
    drawspacebitmapwidth = drawspacebitmapheight = 2048;
    drawspacebitmapx = drawspacebitmapy = 0;
    return 1;
}

int setupcore() {
    setstartvalues();
    setdefaultpreferences();
    resetUserIWOs();
    setIWOtypenames();
    setIWOhelptext();
    setIWObuttons();
    newIWOdiagram();
    return 1;
}
