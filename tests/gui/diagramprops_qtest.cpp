// The diagram properties window in the editor: opened from the Diagram menu
// and from the toolbar with nothing selected, kept where it was left; the
// paper size chooser; the palette starting at the record's pen; Apply
// resizing and recolouring the page; the texts keeping to what the record can
// store.
#include "guifixture.h"

#include "app/diagramprops.h"
#include "app/properties.h"

#include <cstring>

namespace {

using DiagramProperties = Editor;

QDialog *window() { return gadgetdialog(diagrampropwin); }
bool shown() { return window() && window()->isVisible(); }

template <class W = QWidget> W *gadget(int id) { return gadgetof<W>(window(), id); }

void choosesize(int index) {
    auto *c = gadget<QComboBox>(315);
    c->setCurrentIndex(index);
    emit c->activated(index);
    QApplication::processEvents();
}

} // namespace

// Opened from the toolbar with nothing selected and from the Diagram menu,
// kept where it was left; the sizes, pens and texts chosen in it applied;
// with an object selected the toolbar button shows the object instead.
TEST_F(DiagramProperties, OpensKeepsItsPlaceAndApplies) {
    newdiagram();
    click(31);
    ASSERT_TRUE(shown());
    EXPECT_EQ(gadget<QComboBox>(315)->currentText(), "A4: portrait");
    EXPECT_FALSE(gadget(310)->isEnabled()) << "the file name is only shown";
    std::strcpy(IWODiagram.filename, "/tmp/pl\xc3\xa4ne/\xe2\x82\xac.iwo"); // a UTF-8 path
    updateIWOdiagramprop();
    QApplication::processEvents();
    EXPECT_EQ(gadget<QLineEdit>(310)->text(), QString::fromUtf8("/tmp/pl\u00e4ne/\u20ac.iwo"));
    keepsplace(diagrampropwin, [this] { menu(3, 0); });
    // Asked for again while open, it comes to the front.
    ui->mainwindow->activateWindow();
    QApplication::processEvents();
    ASSERT_NE(QApplication::activeWindow(), window());
    menu(3, 0);
    QApplication::processEvents();
    EXPECT_EQ(QApplication::activeWindow(), window());

    // "A3: landscape" (which sizes the chooser sets, and "Custom" freeing the
    // sides, are the scripted session diagram-props's)
    choosesize(3);
    int start = -1;
    answerpalette(40, &start);
    clickon(gadget(316));
    EXPECT_EQ(start, 2) << "the palette starts at the record's pen";
    const int extent = drawspacebitmapwidth;
    clickon(gadget(330));
    EXPECT_EQ(IWODiagram.paperwidth, 4200);
    EXPECT_EQ(IWODiagram.paperheight, 2970);
    EXPECT_EQ(IWODiagram.papercolour, 40);
    EXPECT_GT(drawspacebitmapwidth, extent) << "the drawing extent follows the wider page";
    EXPECT_EQ(pen(getdrawx(1500), getdrawy(1000)), 40) << "the page is drawn in its colour";

    auto *title = gadget<QLineEdit>(309);
    title->selectAll();
    QTest::keyClick(title, Qt::Key_Delete);
    typetext(title, QString::fromUtf8("Plan \u00e9t\u00e9 \u20ac"));
    QTest::keyClicks(title, QString(300, 'x'));
    // The label button: its left half the background pen, its right half the text pen.
    halves(gadget(327), 7, 9);
    clickon(gadget(330));
    const std::string t = IWODiagram.title;
    EXPECT_EQ(t.size(), 254u) << "the field keeps its terminating NUL";
    EXPECT_EQ(t.substr(0, 10), "Plan \xe9t\xe9 x") << "the euro sign can't be stored";
    EXPECT_EQ(IWODiagram.labelcolour, 7);
    EXPECT_EQ(IWODiagram.fontcolour, 9);

    // The font chooser's size box reaches 72 pt, and accepting it as it opened
    // keeps 72.
    // (Between the two, the window shows the record again.)
    largestfont(gadget(326), gadget(330), 72, [] {
        EXPECT_EQ(IWODiagram.font.ta_YSize, 72);
        diagramprop();
    });
    window()->close();
    QApplication::processEvents();
    place(101);
    click(31);
    EXPECT_FALSE(shown());
    ASSERT_NE(gadgetdialog(propwin), nullptr);
    EXPECT_TRUE(gadgetdialog(propwin)->isVisible());
}
