// userobjects.h - the user-defined object templates.
#pragma once
#include "model/iwo.h"

constexpr int MAXUSERIWO = 12; // user objects available

// Templates: slot k is the object of type 131 + k. Slots 0 to 12 are what banks
// hold; slot 13 exists so that type 144 ("User 13") finds a (blank) template
// instead of reading past the table.
extern IWORecord userIWO[14];
