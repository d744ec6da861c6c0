// A picture of the editor for a person to look at: with IW_GUI_LOOK=DIR the
// windows are saved as PNG files there (new diagram with the sample opened).
#include "guifixture.h"

#include "app/session.h"

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
}
