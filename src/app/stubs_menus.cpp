// Placeholder bodies until the menu strip, toolbar, palette and main loop land.
#include "app/mainloop.h"
#include "app/menus.h"
#include "app/toolbar.h"

NewMenu ideaweavemenu[MENUTABLESIZE] = {{NM_END, nullptr, nullptr, 0}};
char Icon[ICONCOUNT][50];
int16_t okay = 1;

int processMenus(int) { return 0; }
int quitiw() { return 0; }
int newdiagram() { return 1; }
int opendiagram() { return 1; }
int closediagram() { return 1; }
int savediagram() { return 1; }
int saveasdiagram() { return 1; }
int changetext() { return 1; }
int setcheckmenus() { return 1; }
int setupicons() { return 1; }
int sethelptext() { return 1; }
int tophalfgadget(int) { return 1; }
int ideaweavewindowevents(int32_t, int) { return 0; }
int shapewindowevents(int32_t, int) { return 0; }
int setupinterface() { return 1; }
int resetinterface() { return 1; }
int iwevent(IWWindow, int32_t, int) { return 0; }
void requestbreak() {}
int closedown() { return 1; }
