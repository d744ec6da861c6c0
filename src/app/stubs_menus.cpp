// Placeholder until the menu strip lands.
#include "app/menus.h"

int processMenus(int) { return 0; }
