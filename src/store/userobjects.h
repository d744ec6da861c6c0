// userobjects.h - the user-defined object templates.
//
//   resetUserIWOs()   empty every template slot and its tool button
//   disableUserIWOs() disable the tool buttons of the empty slots
//
// The templates themselves (userIWO) are in model/create.h.
#pragma once
#include "model/create.h"

int resetUserIWOs();
int disableUserIWOs();
