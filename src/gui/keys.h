// keys.h - Qt keys to the raw key codes the drawing window's handler knows
// (edit/interact.h): F, Del, Insert, Tab, the cursor keys, both Shifts and
// both Alts. A released key adds KEY_UPFLAG.
//
//   rawkeycode(key, nativekey)   raw code of a Qt key, -1 for keys the handler
//                                does not use; nativekey tells left from right
//                                Shift and Alt (X11 keysyms)
#pragma once
#include <cstdint>

int rawkeycode(int key, uint32_t nativekey);
