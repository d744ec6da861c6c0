// selection.h - selecting objects, groups and locks, and applying a drag to the
// whole selection.
//
//   selectall(flag)      1: select every object; 0: deselect all
//   CheckDragSelect()    select the objects inside a finished rubber band
//   groupselect(flag)    select (or deselect) the focus object's group
//   creategroup()        group the selection, or dissolve the focus object's group
//   lockIWO()            toggle the lock of the focus object and the selection
//   lockgroup(index)     copy the lock of a record to the selection
//   movegroup(f)         apply the change of the focus object's outline to the selection
#pragma once
#include <cstdint>

extern int16_t DragSelectx, DragSelecty;          // rubber band: first corner
extern int16_t DragSelectwidth, DragSelectheight; // rubber band: second corner

int selectall(int flag);
int CheckDragSelect();
int groupselect(int flag);
int creategroup();
int lockIWO();
int lockgroup(int index);
int movegroup(int f);
