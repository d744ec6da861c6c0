// platform.cpp - the current platform implementation.
#include "platform/platform.h"

#include "platform/headless/headlessui.h"

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
