// properties.h - the object properties window, as far as the editing code
// needs it.
//
//   updateIWOprop(i)   show object i in the properties window
//   disableIWOprop(f)  1: show no object (the diagram it showed is gone)
#pragma once
#include <cstdint>

extern int16_t propwindowopen; // 1 while the object properties window is open

int updateIWOprop(int i);
int disableIWOprop(int flag);
