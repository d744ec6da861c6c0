// interact.cpp - drawing window interaction state.
#include "edit/interact.h"

int16_t DragSelect = 0;
int16_t connectstartIWO = -5;
int16_t connectendIWO = -5;
int16_t connectstartoffsetx = -99;
int16_t connectstartoffsety = -99;
int16_t connectendoffsetx = -99;
int16_t connectendoffsety = -99;
int16_t JustCreated = 0;
int16_t selectedIWOhandle = 0;
int16_t AltDown = 0;
int16_t ShiftDown = 0;
int16_t selectedtool = 32;
