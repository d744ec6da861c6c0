// select.cpp - selection state.
#include "model/select.h"

int16_t numIWOselected = 0;
int16_t IWOselected = 0;
int16_t groupnum = 1;
