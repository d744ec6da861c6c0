// Tool icons drawn by the renderer: every palette tool gives a centred
// picture inside its margin, and drawing one leaves the open diagram, the
// window and the view exactly as they were.
#include "renderfixture.h"

#include "app/session.h"
#include "app/tools.h"
#include "model/create.h"
#include "model/diagram.h"
#include "model/iwo.h"
#include "platform/raster.h"
#include "platform/window.h"
#include "render/erase.h"
#include "render/toolicon.h"
#include "render/view.h"

#include <cstring>
#include <memory>

namespace {

struct Box {
    int x0 = 1 << 30, y0 = 1 << 30, x1 = -1, y1 = -1;
    bool empty() const { return x1 < 0; }
};

// The box of every pixel that is not pen 0.
Box inked(const Raster *rp) {
    Box b;
    for (int y = 0; y < rp->Height; y++)
        for (int x = 0; x < rp->Width; x++)
            if (ReadPixel(rp, x, y) != 0) {
                b.x0 = std::min(b.x0, x);
                b.y0 = std::min(b.y0, y);
                b.x1 = std::max(b.x1, x);
                b.y1 = std::max(b.y1, y);
            }
    return b;
}

using RasterPtr = std::unique_ptr<Raster, void (*)(Raster *)>;
RasterPtr icon() { return RasterPtr(newraster(1, 1), freeraster); }

} // namespace

using ToolIcon = Core;

// 310 x 210 units in 32 pixels: as wide as the icon less its 4-pixel margins,
// centred both ways, in the tool's pens.
TEST_F(ToolIcon, RectangleFillsTheIconCentredWithItsPens) {
    auto rp = icon();
    ASSERT_EQ(drawtoolicon(rp.get(), 101, 40), 1);
    Box b = inked(rp.get());
    EXPECT_EQ(b.x0, 4);
    EXPECT_NEAR(b.x0 + b.x1, 39, 1);
    EXPECT_NEAR(b.y0 + b.y1, 39, 1);
    EXPECT_EQ(ReadPixel(rp.get(), 20, 20), fillcolour);
    EXPECT_EQ(ReadPixel(rp.get(), b.x0, 20), linecolour);
}

TEST_F(ToolIcon, EveryPaletteToolDrawsInsideItsIconAtBothSizes) {
    auto rp = icon();
    for (int tab = 0; tab < 2; tab++)
        for (int p = 1; p <= 12; p++) {
            int type = IWObutton[tab][p];
            for (int size : {24, 40}) {
                SCOPED_TRACE("type " + std::to_string(type) + " size " + std::to_string(size));
                ASSERT_EQ(drawtoolicon(rp.get(), type, size), 1);
                Box b = inked(rp.get());
                ASSERT_FALSE(b.empty());
                // Inside the raster with the edge rows and columns free, and
                // filling most of it one way or the other.
                EXPECT_GE(b.x0, 1);
                EXPECT_GE(b.y0, 1);
                EXPECT_LE(b.x1, size - 2);
                EXPECT_LE(b.y1, size - 2);
                EXPECT_GE(std::max(b.x1 - b.x0, b.y1 - b.y0), size * 2 / 3);
            }
        }
}

TEST_F(ToolIcon, TypesWithoutADrawingGiveAnEmptyIcon) {
    auto rp = icon();
    for (int type : {0, 35, 100, 131, 149, 5000}) {
        EXPECT_EQ(drawtoolicon(rp.get(), type, 24), 0) << type;
        EXPECT_TRUE(inked(rp.get()).empty()) << type;
    }
    EXPECT_EQ(drawtoolicon(nullptr, 101, 24), 0);
}

// The style window's pictures: each line-end style at the end of a level line
// (top row) and at its start (bottom row), in the line pens of new objects.
TEST_F(ToolIcon, LineEndPicturesMatchTheirImages) {
    const int kinds[] = {20, 24, 28, 33, 34, 35, 17};
    const int size = 24;
    auto strip = RasterPtr(newraster(size * 7, size * 2), freeraster);
    auto rp = icon();
    for (int end = 1; end <= 2; end++)
        for (int k = 0; k < 7; k++) {
            ASSERT_EQ(drawlineendicon(rp.get(), kinds[k], end, size), 1) << kinds[k];
            for (int y = 0; y < size; y++)
                for (int x = 0; x < size; x++)
                    strip->Pixels[(size_t)((2 - end) * size + y) * strip->Width + k * size + x] =
                        rp->Pixels[(size_t)y * size + x];
        }
    EXPECT_TRUE(goldenmatch(strip.get(), "render/golden/lineendicons.png"));
    EXPECT_EQ(drawlineendicon(rp.get(), 16, 2, size), 0);
    EXPECT_EQ(drawlineendicon(rp.get(), 20, 3, size), 0);
}

TEST_F(ToolIcon, TheOpenDiagramAndViewAreLeftAsTheyWere) {
    opendrawspacewindow(300, 200);
    startnewdiagram();
    zoom = 0.5f;
    setbitmapsize();
    setscrollertop(HSCROLLER, 120);
    setscrollertop(VSCROLLER, 70);
    cleardrawspace(papercolour);
    // An object in the table and an armed tool's outline in the shadow record.
    resetsingleIWO(SHADOWIWO);
    createIWO(SHADOWIWO, 104, 500, 400, linecolour, lineweight, fillcolour);
    createIWO(IWONumber, 104, 500, 400, linecolour, lineweight, fillcolour);
    refreshIWOall();

    Raster *window = drawspacerp;
    std::vector<uint8_t> pixels = window->Pixels;
    IWORecord shadow = IWO[SHADOWIWO], first = IWO[1];
    DiagramRecord diagram = IWODiagram;
    int16_t number = IWONumber, id = IWOid, focus = selectedIWO;
    int16_t bw = drawspacebitmapwidth, bh = drawspacebitmapheight;

    auto rp = icon();
    for (int type : {101, 107, 108, 119, 125}) ASSERT_EQ(drawtoolicon(rp.get(), type, 40), 1);
    ASSERT_EQ(drawlineendicon(rp.get(), 28, 2, 40), 1);

    EXPECT_EQ(drawspacerp, window);
    EXPECT_EQ(window->Pixels, pixels);
    EXPECT_EQ(zoom, 0.5f);
    EXPECT_EQ(getscrollertop(HSCROLLER), 120);
    EXPECT_EQ(getscrollertop(VSCROLLER), 70);
    EXPECT_EQ(drawspacebitmapwidth, bw);
    EXPECT_EQ(drawspacebitmapheight, bh);
    EXPECT_EQ(std::memcmp(&IWODiagram, &diagram, sizeof diagram), 0);
    EXPECT_EQ(std::memcmp(&IWO[SHADOWIWO], &shadow, sizeof shadow), 0);
    EXPECT_EQ(std::memcmp(&IWO[1], &first, sizeof first), 0);
    EXPECT_EQ(IWONumber, number);
    EXPECT_EQ(IWOid, id);
    EXPECT_EQ(selectedIWO, focus);
    closedrawspacewindow();
}
