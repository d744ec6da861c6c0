// interact.h - state of the drawing window's pointer and keyboard handling.
#pragma once
#include <cstdint>

extern int16_t DragSelect;           // 1 while a rubber-band selection is in progress
extern int16_t connectstartIWO;      // index of the object a new connector starts at (-5 none)
extern int16_t connectendIWO;        // index of the object a new connector ends at (-5 none)
extern int16_t connectstartoffsetx;  // connector: press offset in the start object; line: press x
extern int16_t connectstartoffsety;  // connector: press offset in the start object; line: press y
extern int16_t connectendoffsetx;    // connector: offset of the end point in the end object
extern int16_t connectendoffsety;    // connector: offset of the end point in the end object
extern int16_t JustCreated;          // 1 right after a real object was placed
extern int16_t selectedIWOhandle;    // handle being dragged, 0 = the body
extern int16_t AltDown;              // 1 while an Alt key is held
extern int16_t ShiftDown;            // 1 while a Shift key is held
extern int16_t selectedtool;         // id of the chosen tool button (32 = select)
