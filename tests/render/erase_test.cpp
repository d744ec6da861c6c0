// Erasing objects, repairing damage, redrawing, and the complement outline of
// the shadow record.
#include "drawfixture.h"

#include <cstring>

namespace {

// Prepares the shadow record as a tool's outline of a type with this box.
void shadow(int type, int x, int y, int w, int h) {
    resetsingleIWO(SHADOWIWO);
    createIWO(SHADOWIWO, type, x, y, linecolour, lineweight, fillcolour);
    IWO[SHADOWIWO].width = (int16_t)w;
    IWO[SHADOWIWO].height = (int16_t)h;
}

// On a cleared window, drawing object n changes something and erasing it with
// the paper pen brings back the cleared window.
::testing::AssertionResult erasesclean(int n) {
    cleardrawspace(papercolour);
    std::vector<uint8_t> blank = drawspacerp->Pixels;
    drawIWO(n);
    if (drawspacerp->Pixels == blank) return ::testing::AssertionFailure() << "nothing drawn";
    eraseIWO(n, papercolour, 0);
    return samepens(drawspacerp->Pixels, blank, drawspacerp->Width);
}

} // namespace

using Preview = Small;

// The outline of every kind of part, and the rubber band (a zero-size
// rectangle stretched by the pointer), drawn twice in complement mode, leaves
// the picture as it was; drawn once it shows.
TEST_F(Preview, TwiceRestoresEveryType) {
    setview(1200, 900, 0.25f, 100, 100);
    fillcolour = 6;
    place(101, 100, 100, 300, 200, false); // something beneath the outline
    place(105, 250, 150, 300, 200, false);
    clear();
    refreshIWOall();
    std::vector<uint8_t> before = snapshot();
    for (int type :
         {101, 102, 104, 105, 110, 117, 119, 120, 121, 122, 123, 124, 125, 128, 129, 130, 107, 0}) {
        if (type) {
            shadow(type, 150, 120, 310, 210);
            IWO[SHADOWIWO].draw[0].lineweight = 20;
        } else {
            DragSelect = 1;
            shadow(101, 150, 120, 0, 0);
            IWO[SHADOWIWO].width = 200;
            IWO[SHADOWIWO].height = 150;
        }
        drawIWO(SHADOWIWO);
        EXPECT_NE(snapshot(), before) << type;
        drawIWO(SHADOWIWO);
        EXPECT_EQ(snapshot(), before) << type;
    }
}

// A soft rectangle's outline: dashed edges and corner strokes, and its
// handles, all in complement.
TEST_F(Preview, SoftRectangleOutline) {
    setview(1200, 900, 0.25f, 100, 100);
    clear();
    shadow(102, 60, 60, 400, 280);
    drawIWO(SHADOWIWO);
    EXPECT_TRUE(goldenmatch(drawspacerp, "render/golden/preview.png"));
}

// Dragging a selection of three unlocked objects shows three outlines, each
// moved as the dragged one (20 right, 60 down); a locked selected object
// shows none. The shadow record is restored, and removing the outlines
// leaves the window as it was.
TEST_F(Preview, GroupShadowSkipsLocked) {
    setview(1200, 900, 0.25f, 100, 100);
    int a = place(101, 40, 40, 100, 80, false);
    int b = place(101, 240, 40, 100, 80, false);
    int c = place(101, 440, 40, 100, 80, false);
    int d = place(101, 40, 240, 100, 80, false);
    for (int k : {a, b, c, d}) IWO[k].selected = 1;
    IWO[d].locked = 1;
    clear();
    std::vector<uint8_t> before = snapshot();
    selectedtool = 32;
    selectedIWO = (int16_t)a;
    IWO[SHADOWIWO] = IWO[a];
    IWO[SHADOWIWO].id = SHADOWIWO;
    IWO[SHADOWIWO].x += 20;
    IWO[SHADOWIWO].y += 60;
    IWORecord kept = IWO[SHADOWIWO];
    drawshadowiwo();
    EXPECT_TRUE(goldenmatch(drawspacerp, "render/golden/groupshadow.png"));
    EXPECT_EQ(std::memcmp(&IWO[SHADOWIWO], &kept, sizeof kept), 0);
    removeshadowiwo();
    EXPECT_EQ(snapshot(), before);
}

using Erase = Small;

// Erasing with the paper pen covers everything drawing painted: parts,
// highlight, handles, label (also its glyphs above a background box smaller
// than the font) and fold marker, for every type.
TEST_F(Erase, CoversWhatDrawingPainted) {
    // The grid is repaired over the whole box of a line running up and left of
    // its start. A label wider than its object, in a font larger than the
    // interface font (the background box is sized by the latter), is erased
    // glyph by glyph; so is a Text object's, whose glyphs rise above its box.
    setview(1200, 900, 0.25f, 100, 100);
    ShowGrid = 1;
    EXPECT_TRUE(erasesclean(place(107, 500, 400, -300, -250, false)));
    ShowGrid = 0;
    for (int type : {101, 109}) {
        IWONumber = 1;
        setview(1200, 900, 0.5f, 200, 200);
        int n = place(type, 300, 300, 60, 40, false);
        std::strcpy(IWO[n].label, "Wide label");
        IWO[n].labelfilled = 0;
        EXPECT_TRUE(erasesclean(n)) << type;
    }
    HighlightOn = 1;
    IWODiagram.highlightcolour = 3;
    fillcolour = 6;
    for (int type : {101, 102, 104, 105, 106, 110, 112, 114, 115, 117, 118, 119, 120,
                     121, 122, 123, 124, 125, 126, 127, 128, 129, 130, 109, 107, 108}) {
        for (float z : {0.25f, 0.3f, 0.5f}) {
            SCOPED_TRACE(testing::Message() << "type " << type << " zoom " << z);
            lineweight = z == 0.3f ? 40 : 10;
            IWONumber = 1;
            setview(1200, 900, z, 100, 100);
            int n = place(type, 120, 120, 200, 160, false);
            IWORecord &r = IWO[n];
            std::strcpy(r.label, "Label");
            r.labelcolour = 14;
            r.selected = 1;
            if (type == 107 || type == 108) {
                r.fold = 1;
                r.draw[1].kind = 30;
                r.draw[2].kind = 34;
                r.draw[1].px[1] = r.draw[1].py[1] = r.draw[2].px[1] = r.draw[2].py[1] = 20;
            }
            EXPECT_TRUE(erasesclean(n));
        }
    }
}

// An object erased from above another leaves a hole that FixDamage repairs:
// the picture is then the one a full redraw of the rest gives. With the
// redraw flag every object is repainted in table order instead.
TEST_F(Erase, FixDamageAndRedrawRepairOverlaps) {
    setview(1200, 900, 0.25f, 100, 100);
    fillcolour = 6;
    place(101, 60, 60, 300, 200, false);
    int mid = place(105, 200, 140, 300, 200, false);
    fillcolour = 15;
    int top = place(102, 150, 100, 250, 180, false);
    clear();
    refreshIWOall();
    std::vector<uint8_t> drawn = snapshot();
    eraseIWO(mid, papercolour, 1);
    EXPECT_EQ(snapshot(), drawn);

    eraseIWO(top, papercolour, 0);
    EXPECT_NE(snapshot(), drawn);
    CheckDamage(top);
    EXPECT_EQ(std::vector<int>({Damagex, Damagewidth}), std::vector<int>({150, 400}));
    downjigIWO(top);
    FixDamage();
    EXPECT_EQ(std::vector<int>({Damagex, Damagewidth}), std::vector<int>({1200, 0})); // reset
    std::vector<uint8_t> repaired = snapshot();
    clear();
    refreshIWOall();
    EXPECT_EQ(repaired, snapshot());

    // FixDamage of the box (100, 100) 200 x 200 redraws an object far below
    // it whose left edge lies in its x range; one that encloses the box on
    // both axes, and one beside it, are not redrawn: only the first shows.
    IWONumber = 1;
    fillcolour = 6;
    place(101, 150, 400, 100, 60, false);
    place(101, 20, 20, 500, 300, false);
    place(101, 500, 400, 60, 60, false);
    clear();
    ResetDamage();
    Damagex = 100;
    Damagewidth = 200;
    Damagey = 100;
    Damageheight = 200;
    FixDamage();
    EXPECT_TRUE(goldenmatch(drawspacerp, "render/golden/fixdamage.png"));
}
