// Placeholder bodies until the palette and toolbar land.
#include "app/tools.h"

#include "platform/platform.h"

int16_t IWObutton[3][13];
int16_t IWObuttonTab = 0;
int16_t IWObuttonNo = 0;
int16_t selectedgadget = 0;

int choosetool(int newtool, int) { return newtool; }
int setIWObuttons() { return 1; }
int findIWObutton() { return 1; }
int changeIWObutton() { return 1; }
int disabledrawtools(int) { return 1; }
int disablefiletools(int) { return 1; }
int disableIWOtools(int) { return 1; }
void OnMenu(int num) { platformui().setmenuenabled(num, true); }
void OffMenu(int num) { platformui().setmenuenabled(num, false); }
