// The editor window driven through Qt: start-up state, the menu bar built from
// the table, tools and mouse drawing, shortcuts, requesters and their answers,
// the toolbar's two-way buttons, help on hovering, keys, wheel, scroll bars,
// resizing, quitting and Ctrl-C.
#include "guifixture.h"

#include "app/requesters.h"
#include "app/session.h"
#include "edit/interact.h"
#include "gui/icons.h"

#include <QClipboard>
#include <QDir>
#include <QDockWidget>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPaintEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabBar>

#include <cstring>

namespace {

bool samepicture(const QPixmap &a, const QPixmap &b) {
    return !a.isNull() && a.toImage() == b.toImage();
}

// The widget's repaints, by their rectangles.
struct PaintRects : QObject {
    QRegion painted;
    bool eventFilter(QObject *, QEvent *e) override {
        if (e->type() == QEvent::Paint) painted += static_cast<QPaintEvent *>(e)->region();
        return false;
    }
};

} // namespace

using Startup = Editor;

TEST_F(Startup, NoDiagramStateWithTheMenuBarOfTheTable) {
    EXPECT_EQ(ui->mainwindow->windowTitle(), "Create or Load diagram to continue...");
    QStringList titles;
    for (QAction *a : ui->mainwindow->menuBar()->actions()) titles << a->text();
    EXPECT_EQ(titles,
              QStringList({"&Project", "&Edit", "&Object", "&Diagram", "P&references", "&Help"}));
    // Alt and the underlined letter open a menu.
    QTest::keyClick(ui->mainwindow, Qt::Key_P, Qt::AltModifier);
    QApplication::processEvents();
    QMenu *project = ui->mainwindow->menuBar()->actions()[0]->menu();
    EXPECT_TRUE(project->isVisible());
    project->close();
    // Items are numbered with the separators counted (0 3 is one); keys go
    // with Ctrl, the table's own shown first (=), and the desktop's keys are
    // alternates (+) where the table has none of its own; - is not its key.
    EXPECT_EQ(action(0, 13)->text(), "&Quit");
    EXPECT_EQ(action(0, 3), nullptr);
    for (QString row : {"0 13 Ctrl+Q =", "0 4 Ctrl+S =", "1 7 Ctrl+U =", "1 8 Ctrl+Z =",
                        "2 6 Ctrl+: =", "3 2 Ctrl++ =", "3 2 Ctrl+= +", "1 8 Ctrl+Y +",
                        "1 8 Ctrl+Shift+Z +", "0 5 Ctrl+Shift+S +", "0 4 Ctrl+Shift+S -"}) {
        const QStringList w = row.split(' ');
        QAction *a = action(w[0].toInt(), w[1].toInt());
        const QKeySequence key(w[2]);
        EXPECT_EQ(a->shortcuts().contains(key), w[3] != "-") << row.toStdString();
        EXPECT_TRUE(w[3] != "=" || a->shortcut() == key) << row.toStdString();
    }
    EXPECT_FALSE(action(3, 5)->isChecked()); // Show Grid (checked: SavedSettings)

    // Only what needs no diagram is available.
    for (int item : {0, 1, 9, 11, 13}) EXPECT_TRUE(action(0, item)->isEnabled()) << item;
    for (int item : {2, 4, 5, 7, 8}) EXPECT_FALSE(action(0, item)->isEnabled()) << item;
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
    // Every palette button is on its tab and names its shape when the
    // pointer rests on it.
    for (int t = 0; t < 3; t++)
        for (int p = 1; p <= 12; p++) {
            GadgetButton *b = button(IWObutton[t][p]);
            ASSERT_NE(b, nullptr) << IWObutton[t][p];
            EXPECT_TRUE(ui->palettetabs->widget(t)->isAncestorOf(b));
            EXPECT_FALSE(b->toolTip().isEmpty()) << IWObutton[t][p];
        }
    EXPECT_EQ(button(117)->toolTip(), "Right triangle");
    EXPECT_EQ(button(133)->toolTip(), "User object 2");
    // Left column odd positions, right column even, row by row.
    EXPECT_LT(button(101)->x(), button(102)->x());
    EXPECT_EQ(button(101)->y(), button(102)->y());
    EXPECT_LT(button(101)->y(), button(104)->y());
    EXPECT_TRUE(samepicture(button(105)->normalpicture(), toolimage(105, ui->iconsize)));
    // Every toolbar button has a picture of the program's own.
    for (int id = 23; id <= 39; id++)
        EXPECT_TRUE(id == 38 || !button(id)->normalpicture().isNull()) << id;
    // Switching tabs by hand tells the keyboard navigation where it is.
    ui->palettetabs->setCurrentIndex(1);
    EXPECT_EQ(IWObuttonTab, 1);
}

// The tool windows' whole contents on a 1280 x 720 screen, neither covering
// the other, docked or floating; on a smaller one they scroll rather than
// cut. They are never closed, and clicks on them or closing them never ask to
// quit (Ctrl-C does, at once).
TEST_F(Startup, ToolWindowsFitAndScrollAndStay) {
    auto scroller = [](QDockWidget *d) { return qobject_cast<QScrollArea *>(d->widget()); };
    for (QSize size : {QSize(1280, 690), QSize(900, 300)}) {
        ui->mainwindow->resize(size);
        QApplication::processEvents();
        ASSERT_LE(ui->mainwindow->height(), size.height());
        EXPECT_FALSE(ui->toolswindow->geometry().intersects(ui->shapeswindow->geometry()));
        for (QDockWidget *d : {ui->toolswindow, ui->shapeswindow}) {
            QScrollArea *area = scroller(d);
            ASSERT_NE(area, nullptr);
            EXPECT_FALSE(area->horizontalScrollBar()->isVisible());
            EXPECT_EQ(area->verticalScrollBar()->isVisible(), size.height() < 600);
            EXPECT_GE(area->viewport()->width(), area->widget()->minimumSizeHint().width());
        }
    }
    // Scrolled down, the help line is still reachable.
    QScrollArea *area = scroller(ui->shapeswindow);
    area->ensureWidgetVisible(ui->helpline);
    EXPECT_TRUE(area->viewport()->rect().contains(
        QRect(ui->helpline->mapTo(area->viewport(), QPoint(0, 0)), ui->helpline->size())));

    for (QDockWidget *d : {ui->toolswindow, ui->shapeswindow}) {
        EXPECT_EQ(d->features() &
                      (QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable |
                       QDockWidget::DockWidgetFloatable),
                  QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
        for (bool floating : {false, true}) {
            d->setFloating(floating); // floating, the window manager's close leaves it there too
            d->close();
            EXPECT_TRUE(d->isVisible()) << floating;
        }
        d->setFloating(false);
        for (int x = 2; x < d->width(); x += 6) // all along the title bar
            QTest::mouseClick(d, Qt::LeftButton, {}, QPoint(x, 6));
    }
    // Floated, they don't cover each other, even when put over each other.
    ui->toolswindow->setFloating(true);
    ui->shapeswindow->setFloating(true);
    QTest::qWait(20);
    ui->shapeswindow->move(ui->toolswindow->pos());
    ui->shapeswindow->setFloating(false);
    ui->shapeswindow->setFloating(true);
    QTest::qWait(20);
    EXPECT_FALSE(ui->toolswindow->frameGeometry().intersects(ui->shapeswindow->frameGeometry()))
        << ui->toolswindow->frameGeometry().x() << " " << ui->shapeswindow->frameGeometry().x();
    EXPECT_TRUE(asked.empty());
    EXPECT_EQ(quits, 0);
    ui->breaksignal(); // Ctrl-C while idle quits at once, asking nothing
    EXPECT_EQ(quits, 1);
    EXPECT_TRUE(asked.empty());
}

using Drawing = Editor;

// A resized window shows the raster of its new size; keys reach the handler
// as raw codes, and a nudge repaints about the object, not the window, and
// leaves nothing stale.
TEST_F(Drawing, ResizingAndKeys) {
    newdiagram();
    place(101);
    // Small, yet with room for the docks of the large icon set (the one used
    // without a desktop icon theme) beside a drawing area well over four objects.
    ui->mainwindow->resize(860, 640);
    QApplication::processEvents();
    EXPECT_EQ(drawspacewindowwidth(), drawspace->width());
    EXPECT_EQ(drawspacewindowheight(), drawspace->height());
    const QPoint c(getdrawx(IWO[1].x + IWO[1].width / 2), getdrawy(IWO[1].y + IWO[1].height / 2));
    EXPECT_EQ(pen(c.x(), c.y()), IWO[1].fillcolour & 0xFF);
    EXPECT_EQ(mismatches(drawspace->picture()), 0);
    click(32);
    int x = IWO[1].x, w = IWO[1].width;
    PaintRects rects;
    drawspace->installEventFilter(&rects);
    key(Qt::Key_Right);
    QApplication::processEvents();
    drawspace->removeEventFilter(&rects);
    EXPECT_GT(IWO[1].x, x);
    EXPECT_EQ(mismatches(drawspace->picture()), 0);
    QRect box = rects.painted.boundingRect();
    EXPECT_FALSE(box.isEmpty());
    EXPECT_LT(box.width() * box.height(), drawspace->width() * drawspace->height() / 4);
    EXPECT_TRUE(box.contains(c));
    // Half size doubles with Shift held (Shift goes down first, as on a keyboard).
    shortcut(Qt::Key_H, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(IWO[1].width, w * 2);
    EXPECT_EQ(ShiftDown, 0);
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
    // Insert makes an object of the chosen tool at the pointer.
    click(101);
    move(getdrawx(400), getdrawy(400));
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
    int top = getscrollertop(VSCROLLER), left = getscrollertop(HSCROLLER);
    wheel(-1, Qt::NoModifier);
    EXPECT_EQ(getscrollertop(VSCROLLER), top + scrollsizey);
    EXPECT_EQ(v->value(), top + scrollsizey);
    // With Shift the wheel scrolls sideways (with Ctrl it zooms: Zoom's test).
    wheel(-1, Qt::ShiftModifier);
    EXPECT_EQ(getscrollertop(HSCROLLER), left + scrollsizex);
    EXPECT_EQ(getscrollertop(VSCROLLER), top + scrollsizey);
    // Dragging the bar scrolls the view and the page is drawn again there.
    v->setValue(0);
    QApplication::processEvents();
    EXPECT_EQ(getscrollertop(VSCROLLER), 0);
    EXPECT_EQ(drawspacebitmapy, 0);
    EXPECT_EQ(pen(getdrawx(1000), getdrawy(1000)), papercolour);
}

using Requesters = Editor;

// Quit asks even with nothing to lose, and Cancel keeps the program running;
// errors, warnings and information show the desktop's icons; Enter on a
// question before work is lost keeps the work.
TEST_F(Requesters, QuitAsksIconsAreTheDesktopsEnterKeepsTheWork) {
    answer("Okay");
    ErrorReq("Sorry. Could not open file : x");
    answer("Cancel");
    shortcut(Qt::Key_Q);
    EXPECT_EQ(quits, 0);
    EXPECT_TRUE(ui->mainwindow->isVisible());
    answer("Okay");
    aboutideaweave();
    EXPECT_EQ(icons, std::vector<int>(
                         {QMessageBox::Critical, QMessageBox::Warning, QMessageBox::Information}));
    newdiagram();
    place(101);
    answer("<Enter>");
    shortcut(Qt::Key_Q);
    EXPECT_EQ(quits, 0);
    answer("<Enter>");
    click(23); // New
    EXPECT_EQ(objects().size(), 1u);
    EXPECT_NE(asked.back().find("You will lose any changes"), std::string::npos) << asked.back();
    answer("Okay");
    ui->mainwindow->close(); // the drawing window's close gadget
    EXPECT_EQ(asked.size(), 6u);
    EXPECT_EQ(quits, 1);
    EXPECT_TRUE(ui->quitrequested());
    EXPECT_FALSE(ui->mainwindow->isVisible());
}

// The text requester starts with the label, keeps to its size, and refuses
// what a label cannot store (ISO-8859-1) visibly: nothing the user sees at
// Okay is dropped.
TEST_F(Requesters, TextRequesterKeepsToWhatALabelCanStore) {
    newdiagram();
    place(101, QRect(300, 300, 500, 300));
    answer("Okay", QString::fromUtf8("Caf\u00e9 X \u2713 Y \u20ac Z"));
    shortcut(Qt::Key_T); // Change Text
    EXPECT_STREQ(IWO[1].label, "Caf\xe9 X  Y  Z");
    EXPECT_TRUE(hint.contains(QString::fromUtf8("\u201c\u2713\u201d"))) << hint.toStdString();
    EXPECT_TRUE(hint.contains(QString::fromUtf8("\u201c\u20ac\u201d"))) << hint.toStdString();
    answer("Okay", QString(60, 'x'));
    TextReq(1);
    EXPECT_EQ(asked.back(), "Enter Text... | Caf\u00e9 X  Y  Z");
    EXPECT_STREQ(IWO[1].label, std::string(49, 'x').c_str()); // the label keeps its NUL

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

using Toolbar = Editor;

// The connector tool drops the focus object; the two-way buttons act by the
// half clicked (what each half does: the scripted session toolbar-buttons); Ctrl-C in a requester
// quits once the command is done.
TEST_F(Toolbar, ConnectorToolAndTheHalvesOfTheTwoWayButtons) {
    newdiagram();
    place(101);
    ASSERT_EQ(IWO[1].selected, 1);
    click(108);
    EXPECT_EQ(IWO[1].selected, 0);
    EXPECT_EQ(selectedIWO, 0);
    EXPECT_TRUE(button(108)->isChecked());
    EXPECT_FALSE(button(101)->isChecked());
    place(104, QRect(1200, 400, 600, 400));
    click(37, true); // upper half: undo
    EXPECT_EQ(objects(), std::vector<int>({101}));
    click(37, false); // lower half: redo
    EXPECT_EQ(objects(), std::vector<int>({101, 104}));
    // Ctrl-C while the New question is up: the command finishes first.
    answer("Cancel");
    QTimer::singleShot(0, ui->mainwindow, [this] { ui->breaksignal(); });
    shortcut(Qt::Key_N);
    EXPECT_EQ(asked, std::vector<std::string>{
                         "Ideaweave Warning | You will lose any changes to this diagram.\n"
                         " Do you still want to create a new diagram?"});
    EXPECT_EQ(objects(), std::vector<int>({101, 104}));
    EXPECT_EQ(quits, 1);
}

TEST_F(Toolbar, HoveringShowsHelpTextsAndTheZoomDirectionLeavingClearsThem) {
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

    // Over Zoom the pressed picture follows the half the pointer is in; the
    // normal picture stays what it was.
    QPixmap normal = button(35)->normalpicture();
    for (bool upper : {true, false, true}) {
        hover(35, upper);
        EXPECT_EQ(ui->helpline->text(), "Zoom In/Out");
        EXPECT_TRUE(samepicture(
            button(35)->selectedpicture(),
            imagefile(upper ? "icons/large/zoom_in_s" : "icons/large/zoom_out_s", ui->iconsize)))
            << upper;
    }
    EXPECT_TRUE(samepicture(button(35)->normalpicture(), normal));

    // Leaving a button leaves no hover frame and no help in the Info box.
    for (int id : {104, 26}) {
        hover(id);
        EXPECT_FALSE(ui->helpline->text().trimmed().isEmpty()) << id;
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(button(id), &leave);
        EXPECT_TRUE(ui->helpline->text().isEmpty()) << id;
        EXPECT_FALSE(button(id)->testAttribute(Qt::WA_UnderMouse)) << id;
    }
}

using Files = Editor;

// An opened diagram is shown, saved as and exported through the file dialog;
// the file filter of Export Graphic lists each format so that existing exports
// show.
TEST_F(Files, OpenedDiagramSavedAsAndExportedThroughTheFileDialog) {
    ASSERT_EQ(opendiagramfile(IW_SAMPLE), 1);
    QApplication::processEvents();

    // A drawer ending in ':' (the dialog gives it without "/") under a
    // non-ASCII name, and an ISO-8859-1 diagram title.
    QString dir = home.path() + QString::fromUtf8("/pl\xc3\xa4ne/a:");
    QDir().mkpath(dir);
    std::strcpy(IWODiagram.title, "Caf\xe9");
    answerfile(dir, "copy.iwo", &seen);
    click(25); // Save As
    EXPECT_EQ(seen, "Save As... | *.iwo (*.iwo);* (*)");
    EXPECT_TRUE(QFileInfo(dir + "/copy.iwo").isFile());
    EXPECT_EQ(
        ui->mainwindow->windowTitle().toStdString(),
        (QString::fromUtf8("Caf\xc3\xa9 Saved as : ") + dir + "/copy.iwo").left(99).toStdString());

    answerfile(home.path(), "picture", &seen);
    click(27); // Export Graphic
    EXPECT_EQ(seen, "Export Graphic... | *.svg *.png *.pdf (*.svg *.png *.pdf);* (*)");
    QFile f(home.filePath("picture.svg"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().startsWith("<?xml version=\"1.0\" standalone=\"no\"?>"));
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
