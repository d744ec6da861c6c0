// A picture of the editor for a person to look at: with IW_GUI_LOOK=DIR the
// windows are saved as PNG files there (new diagram with the sample opened).
#include "guifixture.h"

#include "app/properties.h"
#include "app/session.h"
#include "model/iwo.h"
#include "platform/qt/propwindows.h"

#include <QApplication>
#include <QDialog>
#include <QMainWindow>

#include <cstdlib>

using Look = Editor;

TEST_F(Look, SavesPicturesWhenAsked) {
    const char *dir = std::getenv("IW_GUI_LOOK");
    if (!dir) GTEST_SKIP() << "IW_GUI_LOOK not set";
    ui->mainwindow->grab().save(QString(dir) + "/start.png");
    opendiagramfile(IW_SAMPLE);
    drawspace->update();
    hover(101);
    ui->mainwindow->grab().save(QString(dir) + "/sample.png");
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
