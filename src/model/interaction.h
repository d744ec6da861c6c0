// interaction.h - the drawing window's pointer state that object creation
// reads: the rubber band flag, the ends of a connector being drawn and the
// mark of a fresh placement. The pointer handler (edit/interact.cpp) sets it;
// drawing and the tool icons read and save it too.
#pragma once
#include <cstdint>

extern int16_t DragSelect;          // 1 while a rubber-band selection is in progress
extern int16_t connectstartIWO;     // index of the object a new connector starts at (-5 none)
extern int16_t connectendIWO;       // index of the object a new connector ends at (-5 none)
extern int16_t connectstartoffsetx; // connector: press offset in the start object; line: press x
extern int16_t connectstartoffsety; // connector: press offset in the start object; line: press y
extern int16_t connectendoffsetx;   // connector: offset of the end point in the end object
extern int16_t connectendoffsety;   // connector: offset of the end point in the end object
extern int16_t JustCreated;         // 1 right after a real object was placed
