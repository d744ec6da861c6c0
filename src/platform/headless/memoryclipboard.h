// memoryclipboard.h - a clipboard kept in memory, for headless sessions and
// tests: what is set is what is read back, in the same session only.
#pragma once
#include "platform/platform.h"

class MemoryClipboard : public PlatformClipboard {
  public:
    void setdata(const ClipboardForms &forms) override;
    bool data(const std::string &mime, std::string &bytes) override;
    std::vector<std::string> formats() override;

  private:
    ClipboardForms forms_;
};
