// requesters.h - every message and question the program puts to the user.
//
//   aboutideaweave()         the About box; returns 1
//
// MessageReq, ErrorReq, ConfirmReq and TextReq, which the lower layers use,
// are declared in ui/ui.h and defined in requesters.cpp.
#pragma once
#include "ui/ui.h"

int aboutideaweave();
