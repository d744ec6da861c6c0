// create.h - object creation with the defaults of every type, and slot resets.
//
//   resetsingleIWO(n)   clear record n before a creation
//   resetIWO(n)         clear records 0..n (a new diagram)
//   createIWO(index, type, x, y, linecolour, lineweight, fillcolour)
//                       fill a reset slot (IWONumber for a new object, 1009 for
//                       the shadow) with the type's geometry, parts and handles
//   IWOidavailable()    1 while a new object id can still be handed out
//   resetpart(d)        clear the fields of a drawing part that a reset touches
#pragma once
#include "model/iwo.h"

// The standard handle set, in percent of the object's box: handles 1 to 8
// (top-left, top-middle, top-right, middle-left, middle-right, bottom-left,
// bottom-middle, bottom-right); entry 0 is no handle. Creation and the
// conversion of old diagram files both give shapes these handles.
constexpr int16_t STANDARDHANDLEX[9] = {0, 0, 50, 100, 0, 100, 0, 50, 100};
constexpr int16_t STANDARDHANDLEY[9] = {0, 0, 0, 0, 50, 50, 100, 100, 100};

#include <cstdint>

extern int16_t DefaultIWOWidth; // size of a new object
extern int16_t DefaultIWOHeight;

constexpr int MAXUSERIWO = 12; // user objects available

// User-object templates: slot k is the object of type 131 + k. Banks hold
// slots 0 to 12; slot 13 serves type 144 ("User 13"), handled like the user
// objects. Creating a user object copies its template.
extern IWORecord userIWO[MAXUSERIWO + 2];

void resetpart(DrawPart &d);
int resetsingleIWO(int n);
int resetIWO(int n);
int createIWO(int index, int type, int x, int y, int linecolour, int lineweight, int fillcolour);
int IWOidavailable();
