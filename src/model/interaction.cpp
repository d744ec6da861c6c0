// interaction.cpp - the pointer state that object creation reads.
#include "model/interaction.h"

int16_t DragSelect = 0;
int16_t connectstartIWO = -5;
int16_t connectendIWO = -5;
int16_t connectstartoffsetx = -99;
int16_t connectstartoffsety = -99;
int16_t connectendoffsetx = -99;
int16_t connectendoffsety = -99;
int16_t JustCreated = 0;
