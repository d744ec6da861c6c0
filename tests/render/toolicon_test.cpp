// Tool icons drawn by the renderer: every palette tool's picture and the
// line-end pictures against stored images, and drawing them leaves the open
// diagram, the window and the view exactly as they were.
#include "renderfixture.h"

#include "app/session.h"
#include "app/tools.h"
#include "render/erase.h"
#include "render/toolicon.h"

#include <cstring>
#include <memory>
#include <tuple>

namespace {

using RasterPtr = std::unique_ptr<Raster, void (*)(Raster *)>;
RasterPtr raster(int w = 1, int h = 1) { return RasterPtr(newraster(w, h), freeraster); }

// Copies the square icon into the strip at cell (col, row).
void paste(Raster *strip, const Raster *icon, int col, int row) {
    int s = icon->Width;
    for (int y = 0; y < s; y++)
        std::memcpy(&strip->Pixels[(size_t)(row * s + y) * strip->Width + (size_t)(col * s)],
                    &icon->Pixels[(size_t)y * s], (size_t)s);
}

} // namespace

using ToolIcon = Core;

// Each palette tool (both tabs, in palette order) at 40 and at 24 pixels:
// centred inside its margin, in the tool's pens, outlines at least a pixel wide.
TEST_F(ToolIcon, PaletteToolsMatchTheirImages) {
    for (int size : {40, 24}) {
        auto strip = raster(size * 24, size), rp = raster();
        for (int tab = 0; tab < 2; tab++)
            for (int p = 1; p <= 12; p++) {
                ASSERT_EQ(drawtoolicon(rp.get(), IWObutton[tab][p], size), 1) << tab << " " << p;
                paste(strip.get(), rp.get(), tab * 12 + p - 1, 0);
            }
        EXPECT_TRUE(
            goldenmatch(strip.get(), "render/golden/toolicons" + std::to_string(size) + ".png"));
    }
    // Types without a drawing, and no raster, give an empty icon.
    auto rp = raster();
    for (int type : {0, 35, 100, 131, 149, 5000}) {
        EXPECT_EQ(drawtoolicon(rp.get(), type, 24), 0) << type;
        EXPECT_EQ(rp->Pixels, std::vector<uint8_t>(24 * 24, 0)) << type;
    }
    EXPECT_EQ(drawtoolicon(nullptr, 101, 24), 0);
}

// The style window's pictures: each line-end style at the end of a level line
// (top row) and at its start (bottom row), in the line pens of new objects.
TEST_F(ToolIcon, LineEndPicturesMatchTheirImages) {
    const int kinds[] = {20, 24, 28, 33, 34, 35, 17};
    auto strip = raster(24 * 7, 24 * 2), rp = raster();
    for (int end = 1; end <= 2; end++)
        for (int k = 0; k < 7; k++) {
            ASSERT_EQ(drawlineendicon(rp.get(), kinds[k], end, 24), 1) << kinds[k];
            paste(strip.get(), rp.get(), k, 2 - end);
        }
    EXPECT_TRUE(goldenmatch(strip.get(), "render/golden/lineendicons.png"));
    EXPECT_EQ(drawlineendicon(rp.get(), 16, 2, 24), 0);
    EXPECT_EQ(drawlineendicon(rp.get(), 20, 3, 24), 0);
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

    // The window and its pixels, the view, the records and the diagram's record.
    const auto state = [] {
        return std::make_tuple(drawspacerp, drawspacerp->Pixels, zoom, IWONumber, IWOid,
                               selectedIWO, drawspacebitmapwidth, drawspacebitmapheight,
                               getscrollertop(HSCROLLER), getscrollertop(VSCROLLER),
                               recordbytes(IWO[SHADOWIWO]), recordbytes(IWO[1]));
    };
    const auto before = state();
    const DiagramRecord diagram = IWODiagram;
    auto rp = raster();
    for (int type : {101, 107, 108, 119, 125}) ASSERT_EQ(drawtoolicon(rp.get(), type, 40), 1);
    ASSERT_EQ(drawlineendicon(rp.get(), 28, 2, 40), 1);
    EXPECT_TRUE(state() == before);
    EXPECT_EQ(std::memcmp(&IWODiagram, &diagram, sizeof diagram), 0);
    closedrawspacewindow();
}
