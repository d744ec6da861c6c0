// ui.cpp - the user-interface state that the layers below the application share.
#include "ui/ui.h"

int16_t IWObutton[3][13];
int16_t IWObuttonTab = 0;
int16_t IWObuttonNo = 0;
int16_t selectedgadget = 0;

int16_t propwindowopen = 0;
