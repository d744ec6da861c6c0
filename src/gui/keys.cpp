// keys.cpp - Qt keys to raw key codes.
#include "gui/keys.h"

#include "edit/interact.h"

#include <Qt>

namespace {
// X11 keysyms of the right-hand modifiers.
constexpr uint32_t XK_SHIFT_R = 0xffe2;
constexpr uint32_t XK_ALT_R = 0xffea;
constexpr uint32_t XK_ISO_LEVEL3_SHIFT = 0xfe03; // AltGr on most layouts
} // namespace

int rawkeycode(int key, uint32_t nativekey) {
    switch (key) {
    case Qt::Key_F:
        return KEY_F;
    case Qt::Key_Delete:
    case Qt::Key_Backspace: // deletes as on other desktop programs
        return KEY_DEL;
    case Qt::Key_Insert:
        return KEY_INSERT;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: // Tab with Shift held
        return KEY_TAB;
    case Qt::Key_Up:
        return KEY_UP;
    case Qt::Key_Down:
        return KEY_DOWN;
    case Qt::Key_Right:
        return KEY_RIGHT;
    case Qt::Key_Left:
        return KEY_LEFT;
    case Qt::Key_Shift:
        return nativekey == XK_SHIFT_R ? KEY_RSHIFT : KEY_LSHIFT;
    case Qt::Key_Alt:
        return nativekey == XK_ALT_R || nativekey == XK_ISO_LEVEL3_SHIFT ? KEY_RALT : KEY_LALT;
    case Qt::Key_AltGr:
        return KEY_RALT;
    default:
        return -1;
    }
}
