// qtclipboard.h - the desktop clipboard (QClipboard) as the core's clipboard:
// objects copied in one editor paste in another, and the picture and text
// forms reach other programs. Changes made by anyone are passed on to
// clipboardchanged(), which keeps Paste's menu item in step.
#pragma once
#include "platform/platform.h"

#include <QObject>

class QtClipboard : public QObject, public PlatformClipboard {
  public:
    QtClipboard();
    void setdata(const ClipboardForms &forms) override;
    bool data(const std::string &mime, std::string &bytes) override;
    std::vector<std::string> formats() override;
};
