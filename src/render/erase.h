// erase.h - clearing the page, erasing objects, repairing damaged areas and the
// outline that follows the pointer.
//
//   cleardrawspace(pen)      paint backboard, drop shadow and the blank page; grid if shown
//   updateIWOall(from, to)   draw objects max(from,1) .. to-1
//   refreshIWOall()          draw every object once, in table order
//   eraseIWO(i, pen, redraw) paint object i's area in pen, repair the grid, maybe redraw all
//   ResetDamage()            empty the damaged box
//   CheckDamage(i)           extend the damaged box by object i
//   FixDamage()              redraw the objects touching the damaged box
//   drawshadowiwo()          show the pointer outline
//   removeshadowiwo()        hide it
//   groupshadow(sel)         the outline of a whole selection being dragged
#pragma once
#include <cstdint>

extern int16_t Damagex, Damagey;          // damaged box, diagram units: left, top
extern int16_t Damagewidth, Damageheight; // damaged box: right and bottom edges
extern int16_t SHADOWIWODRAWN;            // 1 while the pointer outline is shown
extern int16_t shadowcolour;              // pen of the page's drop shadow
extern int16_t backboardcolour;           // pen of the area around the page

int cleardrawspace(int pen);
int updateIWOall(int from, int to);
int refreshIWOall();
int eraseIWO(int i, int pen, int redraw);
int ResetDamage();
int CheckDamage(int i);
int FixDamage();
int drawshadowiwo();
int removeshadowiwo();
int groupshadow(int sel);
