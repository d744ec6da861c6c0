// drawstate.h - the editor's state and the settings that drawing reads: the
// chosen tool and the handle being dragged (the pointer outline and keeping
// objects on the page depend on them), the Alt key (no snapping), the
// highlight setting and the working interface font.
#pragma once
#include "model/iwo.h"
#include "platform/buttons.h" // SELECTTOOL, TEXTTOOL

#include <cstdint>

extern int16_t selectedtool;      // the active tool (32 select, 36 text, 101.. objects)
extern int16_t selectedIWOhandle; // handle being dragged: 0 body, 1..8 resize, 9 label
extern int16_t AltDown;           // 1 while an Alt key is held
extern int16_t HighlightOn;       // 1 = draw the selection highlight
extern TextAttr tempfont;         // working interface font; its size sets the height of
                                  // Text objects and of label backgrounds
