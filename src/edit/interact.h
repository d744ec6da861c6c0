// interact.h - the drawing window's input handler: pointer and keyboard turned
// into edits of the object table, with the outline that follows the pointer.
//
//   drawspacewindowevents(result, code)   handle one input event; 1 = quit
//   modifierkey(code)                     a Shift or Alt key, pressed or released
//
// `result` carries the event class in its upper 16 bits and a gadget id, menu
// number or key code in its lower 16; `code` is the raw key, mouse button or
// menu code. The classes and codes are below.
//
// The pointer state that creation and drawing read is declared lower down:
// model/interaction.h (rubber band, connector ends, fresh placement) and
// render/drawstate.h (the tool, the handle being dragged, Alt).
#pragma once
#include "platform/buttons.h"
#include "model/interaction.h"
#include "render/drawstate.h"

#include <cstdint>

// Event classes (upper 16 bits of result).
constexpr int32_t IW_CLOSEWINDOW = 0x10000;
constexpr int32_t IW_MOUSEMOVE = 0x20000; // pointer movement: tracking only
constexpr int32_t IW_GADGETUP = 0x40000;  // a button released (lower 16 bits: its id)
constexpr int32_t IW_NEWSIZE = 0x50000;
constexpr int32_t IW_MENUPICK = 0x60000;
constexpr int32_t IW_GADGETHELP = 0x80000;
constexpr int32_t IW_RAWKEY = 0xB0000;
constexpr int32_t IW_MOUSEBUTTONS = 0x100000;

// Mouse button codes.
constexpr int IW_SELECTDOWN = 0x68;
constexpr int IW_SELECTUP = 0xE8;

// Raw key codes (a released key has 0x80 added).
constexpr int KEY_TAB = 0x42;
constexpr int KEY_DEL = 0x46;
constexpr int KEY_INSERT = 0x47;
constexpr int KEY_UP = 0x4C;
constexpr int KEY_DOWN = 0x4D;
constexpr int KEY_RIGHT = 0x4E;
constexpr int KEY_LEFT = 0x4F;
constexpr int KEY_F = 0x23;
constexpr int KEY_LSHIFT = 0x60;
constexpr int KEY_RSHIFT = 0x61;
constexpr int KEY_LALT = 0x64;
constexpr int KEY_RALT = 0x65;
constexpr int KEY_UPFLAG = 0x80;

extern int16_t ShiftDown;      // 1 while a Shift key is held
extern int16_t mousex, mousey; // last pointer position, window pixels
extern int16_t insideIWOx;     // press point's offset from the pressed object's left
extern int16_t insideIWOy;     // and top

int drawspacewindowevents(int32_t result, int code);
// True for a Shift or Alt key code, pressed or released.
bool modifierkey(int code);
