// platform.cpp - the current platform implementation.
#include "platform/platform.h"

#include "platform/headless/headlessui.h"
#include "platform/headless/memoryclipboard.h"

namespace {
PlatformUI *current = nullptr;
}

PlatformUI &platformui() {
    if (!current) {
        // Nothing installed: a silent headless implementation, so that the
        // core never dereferences a missing platform.
        static HeadlessUI fallback(nullptr);
        current = &fallback;
    }
    return *current;
}

void setplatformui(PlatformUI *ui) { current = ui; }

namespace {
PlatformClipboard *currentclipboard = nullptr;
std::function<void()> clipboardhandler;
} // namespace

PlatformClipboard &platformclipboard() {
    if (!currentclipboard) {
        static MemoryClipboard fallback;
        currentclipboard = &fallback;
    }
    return *currentclipboard;
}

void setplatformclipboard(PlatformClipboard *clipboard) {
    currentclipboard = clipboard;
    clipboardchanged();
}

void setclipboardhandler(std::function<void()> handler) { clipboardhandler = std::move(handler); }

void clipboardchanged() {
    if (clipboardhandler) clipboardhandler();
}
