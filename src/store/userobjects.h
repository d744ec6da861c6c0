// userobjects.h - the user-defined object templates.
//
//   resetUserIWOs()   empty every template slot and its tool button
//   disableUserIWOs() disable the tool buttons of the empty slots
#pragma once
#include "model/iwo.h"

constexpr int MAXUSERIWO = 12; // user objects available

// Templates: slot k is the object of type 131 + k. Banks hold slots 0 to 12;
// slot 13 serves type 144 ("User 13"), handled like the user objects.
extern IWORecord userIWO[MAXUSERIWO + 2];

int resetUserIWOs();
int disableUserIWOs();
