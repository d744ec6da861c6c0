// Placeholder bodies until the selection code lands.
#include "edit/selection.h"

int16_t DragSelectx, DragSelecty, DragSelectwidth, DragSelectheight;
int selectall(int) { return 1; }
int CheckDragSelect() { return 1; }
int groupselect(int) { return 1; }
int creategroup() { return 1; }
int lockIWO() { return 1; }
int lockgroup(int) { return 1; }
int movegroup(int) { return 1; }
