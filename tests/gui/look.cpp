// iwgui_look: pictures of the editor for a person to look at (a tool, not a
// test: nothing here is checked). With IW_GUI_LOOK=DIR the
// windows are saved as PNG files there (new diagram with the sample opened),
// and under a real X server (xvfb-run) the whole screen as well, with the
// window filling it. IW_GUI_LOOK_DIAGRAM names another diagram to open (the
// user guide's pictures use this).
#include "guifixture.h"

#include "app/properties.h"
#include "app/session.h"

#include <QScreen>

#include <cstdlib>

using Look = Editor;

TEST_F(Look, SavesPicturesWhenAsked) {
    const char *dir = std::getenv("IW_GUI_LOOK");
    ASSERT_TRUE(dir && *dir) << "say where the pictures go: IW_GUI_LOOK=DIR";
    QScreen *screen = ui->mainwindow->screen();
    ui->mainwindow->setGeometry(screen->availableGeometry());
    QTest::qWait(100);
    ui->mainwindow->grab().save(QString(dir) + "/start.png");
    const char *diagram = std::getenv("IW_GUI_LOOK_DIAGRAM");
    opendiagramfile(diagram && *diagram ? diagram : IW_SAMPLE);
    drawspace->update();
    hover(101);
    ui->mainwindow->grab().save(QString(dir) + "/sample.png");
    // The text requester after a character a label cannot store was typed.
    TextRequester text("Enter Text...", "", "Ideas", 49, "Okay", "Cancel", ui->mainwindow);
    text.show();
    typetext(text.edit(), QString::fromUtf8(" \u2713"));
    text.grab().save(QString(dir) + "/text.png");
    text.hide();
    if (QGuiApplication::platformName() == "xcb") {
        QTest::qWait(100);
        screen->grabWindow(0).save(QString(dir) + "/screen.png");
    }
    // The object properties window on each of its pages.
    selectedIWO = 1;
    IWO[1].selected = 1;
    propmain();
    QApplication::processEvents();
    for (int page = 0; page < 3; page++) {
        setgadgetvalue(propwin, 201, page);
        updateIWOprop(1);
        QApplication::processEvents();
        gadgetdialog(propwin)->grab().save(QString(dir) + QString("/properties%1.png").arg(page));
    }
}
