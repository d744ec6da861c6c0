// The editor window driven through Qt: start-up state, the menu bar built from
// the table, tools and mouse drawing, shortcuts, requesters and their answers,
// the toolbar's two-way buttons, help on hovering, keys, wheel, scroll bars,
// resizing, quitting and Ctrl-C.
#include "guifixture.h"

#include "app/menus.h"
#include "app/requesters.h"
#include "app/session.h"
#include "app/toolbar.h"
#include "app/tools.h"
#include "edit/interact.h"
#include "model/bytes.h"
#include "model/diagram.h"
#include "model/iwo.h"
#include "model/select.h"
#include "platform/palette.h"
#include "platform/qt/icons.h"
#include "platform/qt/qtwindows.h"
#include "platform/window.h"
#include "render/view.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDockWidget>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QClipboard>
#include <QMenuBar>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QPaintEvent>
#include <QRegion>
#include <QWheelEvent>

#include <cstring>

namespace {

QAction *action(QtUI &ui, int menu, int item) {
    auto it = ui.menuactions.find(FULLMENUNUM(menu, item));
    return it == ui.menuactions.end() ? nullptr : it->second;
}

bool samepicture(const QPixmap &a, const QPixmap &b) {
    return !a.isNull() && a.toImage() == b.toImage();
}

std::string label(int i) {
    return std::string(IWO[i].label, textlen(IWO[i].label, sizeof IWO[i].label));
}

// Window pixels of a diagram point.
int px(int x) { return getdrawx(x); }
int py(int y) { return getdrawy(y); }

const char *QUITSAVED = "Ideaweave Warning | Do you really want to quit Ideaweave?";
const char *QUITCHANGED = "Ideaweave Warning | You will lose any changes to this diagram.\n"
                          " Do you still want to quit Ideaweave?";

} // namespace

using Startup = Editor;

TEST_F(Startup, NoDiagramStateWithTheMenuBarOfTheTable) {
    EXPECT_EQ(ui->mainwindow->windowTitle(), "Create or Load diagram to continue...");
    QStringList titles;
    for (QAction *a : ui->mainwindow->menuBar()->actions()) titles << a->text();
    EXPECT_EQ(titles, QStringList({"&Project", "&Edit", "&Object", "&Diagram", "P&references"}));
    // Alt and the underlined letter open a menu.
    QTest::keyClick(ui->mainwindow, Qt::Key_P, Qt::AltModifier);
    QApplication::processEvents();
    QMenu *project = ui->mainwindow->menuBar()->actions()[0]->menu();
    EXPECT_TRUE(project->isVisible());
    project->close();
    // Items are numbered with the separators counted; keys go with Ctrl.
    ASSERT_NE(action(*ui, 0, 12), nullptr);
    EXPECT_EQ(action(*ui, 0, 12)->text(), "Quit");
    EXPECT_EQ(action(*ui, 0, 12)->shortcut(), QKeySequence("Ctrl+Q"));
    EXPECT_EQ(action(*ui, 2, 19)->text(), "Delete");
    EXPECT_EQ(action(*ui, 2, 6)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Colon));
    EXPECT_EQ(action(*ui, 0, 3), nullptr); // a separator
    // The desktop's keys as alternates where the table has none of its own.
    EXPECT_TRUE(action(*ui, 1, 8)->shortcuts().contains(QKeySequence("Ctrl+Y")));
    EXPECT_TRUE(action(*ui, 1, 8)->shortcuts().contains(QKeySequence("Ctrl+Shift+Z")));
    EXPECT_TRUE(action(*ui, 0, 5)->shortcuts().contains(QKeySequence("Ctrl+Shift+S")));
    EXPECT_FALSE(action(*ui, 0, 4)->shortcuts().contains(QKeySequence("Ctrl+Shift+S")));
    EXPECT_EQ(action(*ui, 0, 4)->shortcut(), QKeySequence("Ctrl+S"));
    EXPECT_TRUE(action(*ui, 3, 5)->isCheckable());
    EXPECT_FALSE(action(*ui, 3, 5)->isChecked());

    // Only what needs no diagram is available.
    for (int item : {0, 1, 10, 12}) EXPECT_TRUE(action(*ui, 0, item)->isEnabled()) << item;
    for (int item : {2, 4, 5, 7, 8}) EXPECT_FALSE(action(*ui, 0, item)->isEnabled()) << item;
    EXPECT_FALSE(action(*ui, 1, 3)->isEnabled());
    EXPECT_TRUE(action(*ui, 2, 14)->isEnabled());
    for (int id : {23, 24, 30}) EXPECT_TRUE(button(id)->isEnabled()) << id;
    for (int id : {25, 26, 29, 32, 33, 35, 37, 39, 101, 130})
        EXPECT_FALSE(button(id)->isEnabled()) << id;
    EXPECT_TRUE(button(32)->isChecked()); // the select tool
    EXPECT_EQ(ui->helpline->text(), " ");

    // The picture is the raster, all pen 0.
    ASSERT_NE(drawspacerp, nullptr);
    EXPECT_EQ(drawspacerp->Width, drawspace->width());
    EXPECT_EQ(drawspacerp->Height, drawspace->height());
    for (uint8_t p : drawspacerp->Pixels) ASSERT_EQ(p, 0);
}

TEST_F(Startup, PaletteTabsFollowTheButtonTableAndToolsShowTheirObjects) {
    ASSERT_EQ(ui->palettetabs->count(), 3);
    EXPECT_EQ(ui->palettetabs->tabText(0), "S");
    EXPECT_EQ(ui->palettetabs->tabText(2), "U");
    EXPECT_EQ(ui->toolswindow->windowTitle(), "Tools");
    EXPECT_EQ(ui->shapeswindow->windowTitle(), "Shapes");
    for (int t = 0; t < 3; t++)
        for (int p = 1; p <= 12; p++) {
            GadgetButton *b = button(IWObutton[t][p]);
            ASSERT_NE(b, nullptr) << IWObutton[t][p];
            EXPECT_TRUE(ui->palettetabs->widget(t)->isAncestorOf(b));
        }
    // Every palette button names its shape when the pointer rests on it.
    for (int t = 0; t < 3; t++)
        for (int p = 1; p <= 12; p++)
            EXPECT_FALSE(button(IWObutton[t][p])->toolTip().isEmpty()) << IWObutton[t][p];
    EXPECT_EQ(button(117)->toolTip(), "Right triangle");
    EXPECT_EQ(button(133)->toolTip(), "User object 2");
    // Left column odd positions, right column even, row by row.
    EXPECT_LT(button(101)->x(), button(102)->x());
    EXPECT_EQ(button(101)->y(), button(102)->y());
    EXPECT_LT(button(101)->y(), button(104)->y());
    EXPECT_TRUE(samepicture(button(105)->normalpicture(), toolimage(105, ui->iconsize)));
    // Every toolbar button has a picture of the program's own.
    for (int id = 23; id <= 39; id++)
        if (id != 38) {
            EXPECT_FALSE(button(id)->normalpicture().isNull()) << id;
        }
    // Switching tabs by hand tells the keyboard navigation where it is.
    ui->palettetabs->setCurrentIndex(1);
    EXPECT_EQ(IWObuttonTab, 1);
}

// The tool windows' whole contents on a 1280 x 720 screen, neither covering
// the other; on a smaller one they scroll rather than cut.
TEST_F(Startup, ToolWindowsFitASmallScreenAndScrollOnSmallerOnes) {
    auto scroller = [](QDockWidget *d) { return qobject_cast<QScrollArea *>(d->widget()); };
    for (QSize size : {QSize(1280, 690), QSize(900, 300)}) {
        ui->mainwindow->resize(size);
        QApplication::processEvents();
        ASSERT_LE(ui->mainwindow->height(), size.height());
        QRect tools = ui->toolswindow->geometry(), shapes = ui->shapeswindow->geometry();
        EXPECT_FALSE(tools.intersects(shapes));
        bool small = size.height() < 600;
        for (QDockWidget *d : {ui->toolswindow, ui->shapeswindow}) {
            QScrollArea *area = scroller(d);
            ASSERT_NE(area, nullptr);
            EXPECT_FALSE(area->horizontalScrollBar()->isVisible());
            EXPECT_EQ(area->verticalScrollBar()->isVisible(), small) << size.height();
            EXPECT_GE(area->viewport()->width(), area->widget()->minimumSizeHint().width());
        }
    }
    // Scrolled down, the help line is still reachable.
    QScrollArea *area = scroller(ui->shapeswindow);
    area->ensureWidgetVisible(ui->helpline);
    EXPECT_TRUE(area->viewport()->rect().contains(
        QRect(ui->helpline->mapTo(area->viewport(), QPoint(0, 0)), ui->helpline->size())));
}

using Drawing = Editor;

TEST_F(Drawing, ToolButtonAndMouseMakeAnObjectThatUndoAndRedoTake) {
    newdiagram();
    EXPECT_TRUE(action(*ui, 0, 4)->isEnabled()); // Save
    EXPECT_TRUE(button(101)->isEnabled());
    click(101);
    EXPECT_TRUE(button(101)->isChecked());
    EXPECT_FALSE(button(32)->isChecked());
    EXPECT_EQ(selectedtool, 101);
    drag(px(400), py(400), px(1000), py(800));
    ASSERT_EQ(objects(), std::vector<int>({101}));
    EXPECT_EQ(IWODiagram.saved, 0);
    EXPECT_TRUE(ui->mainwindow->windowTitle().startsWith("*"));
    // The new object is on the raster that the widget shows.
    int cx = px(IWO[1].x + IWO[1].width / 2), cy = py(IWO[1].y + IWO[1].height / 2);
    EXPECT_EQ(pen(cx, cy), IWO[1].fillcolour & 0xFF);
    QImage shown = drawspace->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(shown.pixel(cx, cy) & 0xFFFFFF, penrgb(pen(cx, cy)));

    shortcut(Qt::Key_U); // Undo
    EXPECT_TRUE(objects().empty());
    shortcut(Qt::Key_Z); // Redo
    EXPECT_EQ(objects(), std::vector<int>({101}));
}

TEST_F(Drawing, KeysReachTheHandlerAsRawCodes) {
    newdiagram();
    place(101, px(400), py(400), px(1000), py(800));
    ASSERT_EQ(objects().size(), 1u);
    click(32);
    int x = IWO[1].x;
    key(Qt::Key_Right);
    EXPECT_GT(IWO[1].x, x);
    // Shift is held for the handler between its press and release.
    QTest::keyPress(drawspace, Qt::Key_Shift);
    EXPECT_EQ(ShiftDown, 1);
    QTest::keyRelease(drawspace, Qt::Key_Shift);
    EXPECT_EQ(ShiftDown, 0);
    QTest::keyPress(drawspace, Qt::Key_Alt);
    EXPECT_EQ(AltDown, 1);
    // Leaving the window with Alt down does not leave it down.
    drawspace->clearFocus();
    QApplication::processEvents();
    EXPECT_EQ(AltDown, 0);
    drawspace->setFocus();
    key(Qt::Key_Backspace); // as Del
    EXPECT_TRUE(objects().empty());
    shortcut(Qt::Key_U);
    shortcut(Qt::Key_Y); // redo, as Ctrl+Z
    EXPECT_TRUE(objects().empty());
    float z = zoom;
    shortcut(Qt::Key_Equal);
    EXPECT_GT(zoom, z);
    z = zoom;
    shortcut(Qt::Key_Plus);
    EXPECT_GT(zoom, z);
    // Insert makes an object of the chosen tool at the pointer.
    click(101);
    move(px(400), py(400));
    key(Qt::Key_Insert);
    EXPECT_EQ(objects(), std::vector<int>{101});
    click(32);

    // Tab with Alt held walks the palette: its tab strip and chosen button follow.
    key(Qt::Key_Tab, Qt::AltModifier);
    EXPECT_EQ(ui->palettetabs->currentIndex(), 1);
    EXPECT_EQ(selectedtool, IWObutton[1][1]);
    EXPECT_TRUE(button(IWObutton[1][1])->isChecked());
    EXPECT_EQ(AltDown, 0);
}

TEST_F(Drawing, WheelAndScrollBarsMoveTheView) {
    newdiagram();
    zoomin();
    zoomin(); // a page larger than the window
    QApplication::processEvents();
    QScrollBar *v = ui->scrollers[VSCROLLER];
    Scroller s = getscroller(VSCROLLER);
    EXPECT_EQ(v->maximum(), s.total - s.visible);
    EXPECT_EQ(v->pageStep(), s.visible);
    int top = getscrollertop(VSCROLLER);
    QPointF at(50, 50);
    QWheelEvent down(at, drawspace->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                     Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(drawspace, &down);
    EXPECT_EQ(getscrollertop(VSCROLLER), top + scrollsizey);
    EXPECT_EQ(v->value(), top + scrollsizey);
    // With Shift the wheel scrolls sideways; with Ctrl it zooms, away from
    // the user in.
    int left = getscrollertop(HSCROLLER);
    QWheelEvent side(at, drawspace->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                     Qt::ShiftModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(drawspace, &side);
    EXPECT_EQ(getscrollertop(HSCROLLER), left + scrollsizex);
    EXPECT_EQ(getscrollertop(VSCROLLER), top + scrollsizey);
    ui->scrollers[HSCROLLER]->setValue(left);
    float z = zoom;
    QWheelEvent in(at, drawspace->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton,
                   Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(drawspace, &in);
    EXPECT_GT(zoom, z);
    QWheelEvent out(at, drawspace->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                    Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(drawspace, &out);
    EXPECT_FLOAT_EQ(zoom, z);
    // Dragging the bar scrolls the view and the page is drawn again there.
    v->setValue(0);
    QApplication::processEvents();
    EXPECT_EQ(getscrollertop(VSCROLLER), 0);
    EXPECT_EQ(drawspacebitmapy, 0);
    EXPECT_EQ(pen(px(1000), py(1000)), papercolour);
}

// Pixels of the shown picture that are not the raster's pen through the palette.
int stale(DrawSpaceWidget *w) {
    const QImage &shown = w->picture();
    if (shown.width() != drawspacerp->Width || shown.height() != drawspacerp->Height) return -1;
    int bad = 0;
    for (int y = 0; y < shown.height(); y++)
        for (int x = 0; x < shown.width(); x++)
            bad += (shown.pixel(x, y) & 0xFFFFFF) != penrgb(ReadPixel(drawspacerp, x, y));
    return bad;
}

// The widget's repaints, by their rectangles.
struct PaintRects : QObject {
    QRegion painted;
    bool eventFilter(QObject *, QEvent *e) override {
        if (e->type() == QEvent::Paint) painted += static_cast<QPaintEvent *>(e)->region();
        return false;
    }
};

TEST_F(Drawing, ResizingAndEditingRepaintWhatChangedAndOnlyThat) {
    newdiagram();
    place(101, px(400), py(400), px(1000), py(800));
    // Small, yet with room for the docks of the large icon set (the one used
    // without a desktop icon theme) beside a drawing area well over four objects.
    ui->mainwindow->resize(860, 640);
    QApplication::processEvents();
    EXPECT_EQ(drawspacewindowwidth(), drawspace->width());
    EXPECT_EQ(drawspacewindowheight(), drawspace->height());
    int cx = px(IWO[1].x + IWO[1].width / 2), cy = py(IWO[1].y + IWO[1].height / 2);
    EXPECT_EQ(pen(cx, cy), IWO[1].fillcolour & 0xFF);
    EXPECT_EQ(stale(drawspace), 0);
    // A nudge repaints about the object, not the window, and leaves nothing stale.
    click(32);
    PaintRects rects;
    drawspace->installEventFilter(&rects);
    key(Qt::Key_Right);
    QApplication::processEvents();
    drawspace->removeEventFilter(&rects);
    EXPECT_EQ(stale(drawspace), 0);
    QRect box = rects.painted.boundingRect();
    EXPECT_FALSE(box.isEmpty());
    EXPECT_LT(box.width() * box.height(), drawspace->width() * drawspace->height() / 4);
    EXPECT_TRUE(box.contains(QPoint(cx, cy)));
}

using Requesters = Editor;

TEST_F(Requesters, QuitAsksEvenWithNothingToLoseAndCancelKeepsRunning) {
    answer("Cancel");
    shortcut(Qt::Key_Q);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0], QUITSAVED);
    EXPECT_EQ(quits, 0);
    EXPECT_TRUE(ui->mainwindow->isVisible());

    newdiagram();
    place(104, px(400), py(400), px(1000), py(800));
    answer("Okay");
    ui->mainwindow->close(); // the drawing window's close gadget
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[1], QUITCHANGED);
    EXPECT_EQ(quits, 1);
    EXPECT_TRUE(ui->quitrequested());
    EXPECT_FALSE(ui->mainwindow->isVisible());
}

TEST_F(Requesters, ToolWindowsAreNeverClosedAndNeverAskToQuit) {
    for (QDockWidget *d : {ui->toolswindow, ui->shapeswindow}) {
        EXPECT_FALSE(d->features() & QDockWidget::DockWidgetClosable);
        EXPECT_TRUE(d->features() & QDockWidget::DockWidgetMovable);
        EXPECT_TRUE(d->features() & QDockWidget::DockWidgetFloatable);
        d->close();
        EXPECT_TRUE(d->isVisible());
        // Floating, the window manager's close leaves it there too.
        d->setFloating(true);
        d->close();
        EXPECT_TRUE(d->isVisible());
        d->setFloating(false);
    }
    EXPECT_TRUE(asked.empty());
    EXPECT_EQ(quits, 0);
}

TEST_F(Requesters, ErrorsAndWarningsShowTheDesktopsIcons) {
    answer("Okay");
    ErrorReq("Sorry. Could not open file : x");
    answer("Cancel");
    quitiw();
    answer("Okay");
    aboutideaweave();
    EXPECT_EQ(icons, std::vector<int>(
                         {QMessageBox::Critical, QMessageBox::Warning, QMessageBox::Information}));
}

TEST_F(Requesters, NewWithChangesAndCancelKeepsEverything) {
    newdiagram();
    place(101, px(400), py(400), px(1000), py(800));
    QString title = ui->mainwindow->windowTitle();
    answer("Cancel");
    shortcut(Qt::Key_N);
    EXPECT_EQ(asked.back(), "Ideaweave Warning | You will lose any changes to this diagram.\n"
                            " Do you still want to create a new diagram?");
    EXPECT_EQ(objects(), std::vector<int>({101}));
    EXPECT_EQ(ui->mainwindow->windowTitle(), title);
    answer("Okay");
    click(23);
    EXPECT_TRUE(objects().empty());
    EXPECT_EQ(IWODiagram.saved, 1);
}

TEST_F(Requesters, ChangeTextAsksEachSelectedObjectInOrderWithinTheLabelSize) {
    newdiagram();
    place(101, px(300), py(300), px(800), py(600));
    place(105, px(1200), py(300), px(1700), py(600));
    ASSERT_EQ(objects().size(), 2u);
    click(32);
    shortcut(Qt::Key_A); // Select All
    answer("Okay", QString("first"));
    answer("Okay", QString(60, 'x'));
    shortcut(Qt::Key_T); // Change Text
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0], "Enter Text... | ");
    EXPECT_EQ(label(1), "first");
    EXPECT_EQ(label(2), std::string(49, 'x')); // the label keeps its NUL
    EXPECT_EQ(IWODiagram.saved, 0);
    // Cancel leaves the text as it was.
    answer("Cancel", QString("other"));
    answer("Okay");
    shortcut(Qt::Key_T);
    ASSERT_EQ(asked.size(), 4u) << ::testing::PrintToString(asked);
    EXPECT_EQ(asked[2], "Enter Text... | first");
    EXPECT_EQ(label(1), "first");
}

// What a label cannot store (ISO-8859-1) cannot be typed, and the dialog says
// so; nothing the user sees at Okay is dropped.
TEST_F(Requesters, TextRequesterRefusesWhatALabelCannotStoreVisibly) {
    newdiagram();
    place(101, px(300), py(300), px(800), py(600));
    answer("Okay", QString::fromUtf8("Caf\u00e9 X \u2713 Y \u20ac Z"));
    TextReq(1);
    EXPECT_EQ(label(1), "Caf\xe9 X  Y  Z");
    EXPECT_TRUE(hint.contains(QString::fromUtf8("\u201c\u2713\u201d"))) << hint.toStdString();
    EXPECT_TRUE(hint.contains(QString::fromUtf8("\u201c\u20ac\u201d"))) << hint.toStdString();

    TextRequester d("Enter Text...", "", "Old", 49, "Okay", "Cancel");
    d.show();
    QPushButton *okay = nullptr;
    for (QPushButton *b : d.findChildren<QPushButton *>())
        if (b->text() == "Okay") okay = b;
    ASSERT_NE(okay, nullptr);
    EXPECT_TRUE(okay->isEnabled());
    // A paste with such characters is refused whole, not stripped.
    QApplication::clipboard()->setText(QString::fromUtf8("A\u2713B"));
    d.edit()->selectAll();
    QTest::keyClick(d.edit(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(d.text(), "Old");
    EXPECT_TRUE(d.hint()->font().bold());
    // A text that came past the typing keeps Okay disabled until mended.
    d.edit()->setText(QString::fromUtf8("\u2713"));
    EXPECT_FALSE(okay->isEnabled());
    d.edit()->setText("ok");
    EXPECT_TRUE(okay->isEnabled());
}

TEST_F(Requesters, HalfSizeDoublesWithShiftHeld) {
    newdiagram();
    place(101, px(400), py(400), px(1000), py(800));
    click(32);
    int w = IWO[1].width;
    shortcut(Qt::Key_H);
    EXPECT_EQ(IWO[1].width, w / 2);
    shortcut(Qt::Key_H, Qt::ShiftModifier); // Shift goes down first, as on a keyboard
    EXPECT_EQ(IWO[1].width, w / 2 * 2);
    EXPECT_EQ(ShiftDown, 0);
}

TEST_F(Requesters, CtrlCQuitsAfterTheCurrentEvent) {
    newdiagram();
    place(101, px(400), py(400), px(1000), py(800));
    // Ctrl-C while the New question is up: the command finishes first.
    answer("Cancel");
    QTimer::singleShot(0, ui->mainwindow, [this] { ui->breaksignal(); });
    shortcut(Qt::Key_N);
    EXPECT_EQ(asked.size(), 1u);
    EXPECT_EQ(objects(), std::vector<int>({101}));
    EXPECT_EQ(quits, 1);
}

TEST_F(Requesters, CtrlCWhileIdleQuitsAtOnce) {
    ui->breaksignal();
    EXPECT_EQ(quits, 1);
    EXPECT_TRUE(asked.empty());
}

using Toolbar = Editor;

TEST_F(Toolbar, UpperAndLowerHalvesOfTheTwoWayButtons) {
    newdiagram();
    place(101, px(400), py(400), px(1000), py(800));
    place(104, px(1200), py(400), px(1800), py(800));
    click(37, true); // upper half: undo
    EXPECT_EQ(objects(), std::vector<int>({101}));
    click(37, false); // lower half: redo
    EXPECT_EQ(objects(), std::vector<int>({101, 104}));

    float z = zoom;
    click(35, true);
    EXPECT_GT(zoom, z);
    click(35, false);
    EXPECT_FLOAT_EQ(zoom, z);

    place(105, px(600), py(500), px(1300), py(900));
    ASSERT_EQ(objects(), std::vector<int>({101, 104, 105}));
    click(32);
    // Select the ellipse by clicking it.
    drag(px(100), py(1500), px(100), py(1500));
    drag(px(950), py(700), px(950), py(700));
    ASSERT_EQ(numIWOselected, 1);
    ASSERT_EQ(IWO[3].selected, 1);
    click(33, false); // the selected ellipse to the back
    EXPECT_EQ(objects(), std::vector<int>({105, 101, 104}));
    click(33, true);
    EXPECT_EQ(objects(), std::vector<int>({101, 104, 105}));
}

TEST_F(Toolbar, HoveringShowsHelpTextsAndTheZoomDirection) {
    newdiagram();
    hover(104);
    EXPECT_EQ(ui->helpline->text(), QString::fromLatin1(helptext[104]));
    hover(26);
    EXPECT_EQ(ui->helpline->text(), "Save Drawing");
    // The tab strip and the help line show the current tool's text.
    click(105);
    hover(26);
    QTest::mouseMove(ui->palettetabs->tabBar(), QPoint(5, 5));
    QApplication::processEvents();
    EXPECT_EQ(ui->helpline->text(), QString::fromLatin1(helptext[105]));

    QPixmap normal = button(35)->normalpicture();
    hover(35, true);
    EXPECT_EQ(ui->helpline->text(), "Zoom In/Out");
    EXPECT_TRUE(samepicture(button(35)->selectedpicture(),
                            imagefile("icons/large/zoom_in_s", ui->iconsize)));
    QTest::mouseMove(button(35), QPoint(button(35)->width() / 2, button(35)->height() - 3));
    QApplication::processEvents();
    EXPECT_TRUE(samepicture(button(35)->selectedpicture(),
                            imagefile("icons/large/zoom_out_s", ui->iconsize)));
    hover(35, true);
    EXPECT_TRUE(samepicture(button(35)->selectedpicture(),
                            imagefile("icons/large/zoom_in_s", ui->iconsize)));
    // The normal picture stays what it was.
    EXPECT_TRUE(samepicture(button(35)->normalpicture(), normal));
}

TEST_F(Toolbar, ConnectorToolDropsTheFocusObject) {
    newdiagram();
    place(101, px(400), py(400), px(1000), py(800));
    ASSERT_EQ(IWO[1].selected, 1);
    click(108);
    EXPECT_EQ(IWO[1].selected, 0);
    EXPECT_EQ(selectedIWO, 0);
    EXPECT_TRUE(button(108)->isChecked());
    EXPECT_FALSE(button(101)->isChecked());
}

using Files = Editor;

TEST_F(Files, AnOpenedDiagramIsShownAndSavedAsThroughTheFileDialog) {
    ASSERT_EQ(opendiagramfile(IW_SAMPLE), 1);
    QApplication::processEvents();
    EXPECT_GT(IWONumber, 2);
    EXPECT_TRUE(ui->mainwindow->windowTitle().contains("sample"));
    EXPECT_TRUE(action(*ui, 0, 5)->isEnabled());

    // A drawer ending in ':' (the dialog gives it without "/") under a
    // non-ASCII name, and an ISO-8859-1 diagram title.
    QString top =
        QDir::tempPath() + "/iwgui-" + QString::number(QCoreApplication::applicationPid());
    QString dir = top + QString::fromUtf8("/pl\xc3\xa4ne/a:");
    QDir().mkpath(dir);
    std::strcpy(IWODiagram.title, "Caf\xe9");
    QString seen;
    answerfile(dir, "copy.iwo", &seen);
    click(25); // Save As
    EXPECT_EQ(seen, "Save As... | *.iwo (*.iwo);* (*)");
    EXPECT_TRUE(QFileInfo(dir + "/copy.iwo").isFile());
    EXPECT_EQ(IWODiagram.saved, 1);
    EXPECT_EQ(
        ui->mainwindow->windowTitle().toStdString(),
        (QString::fromUtf8("Caf\xc3\xa9 Saved as : ") + dir + "/copy.iwo").left(99).toStdString());
    QDir(top).removeRecursively();
}

TEST_F(Files, ExportGraphicFromTheToolbarWritesTheChosenSVG) {
    ASSERT_EQ(opendiagramfile(IW_SAMPLE), 1);
    QString dir =
        QDir::tempPath() + "/iwgui-export-" + QString::number(QCoreApplication::applicationPid());
    QDir().mkpath(dir);
    QString seen;
    answerfile(dir, "picture", &seen);
    click(27);
    EXPECT_TRUE(seen.startsWith("Export Graphic... | ")) << seen.toStdString();
    QFile f(dir + "/picture.svg");
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().startsWith("<?xml version=\"1.0\" standalone=\"no\"?>"));
    QDir(dir).removeRecursively();
}

// The message window is on screen, painted, before the caller goes on to wait.
TEST_F(Files, MessageWindowIsShownUntilClosed) {
    ASSERT_TRUE(ui->openmessage("Ideaweave Message", "Exporting drawing. Please be patient..."));
    QWidget *w = nullptr;
    for (QWidget *t : QApplication::topLevelWidgets())
        if (t->objectName() == "message") w = t;
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->windowTitle(), "Ideaweave Message");
    EXPECT_EQ(w->findChild<QLabel *>()->text(), "Exporting drawing. Please be patient...");
    ui->closemessage();
    for (QWidget *t : QApplication::topLevelWidgets()) EXPECT_NE(t->objectName(), "message");
}
