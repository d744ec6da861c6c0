// select.cpp - selection state.
#include "edit/select.h"

int16_t numIWOselected = 0;
int16_t IWOselected = 0;
int16_t groupnum = 1;
