// memoryclipboard.cpp - the in-memory clipboard.
#include "platform/headless/memoryclipboard.h"

void MemoryClipboard::setdata(const ClipboardForms &forms) {
    forms_ = forms;
    clipboardchanged();
}

bool MemoryClipboard::data(const std::string &mime, std::string &bytes) {
    auto it = forms_.find(mime);
    if (it == forms_.end()) return false;
    bytes = it->second;
    return true;
}

std::vector<std::string> MemoryClipboard::formats() {
    std::vector<std::string> out;
    for (const auto &f : forms_) out.push_back(f.first);
    return out;
}
