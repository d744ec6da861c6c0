// select.h - selection state: object creation, a new diagram and the editing
// commands share it.
#pragma once
#include <cstdint>

extern int16_t numIWOselected; // number of selected objects (-99 after a new diagram)
extern int16_t IWOselected;    // 1 while something is selected
extern int16_t groupnum;       // highest group number handed out so far
