// userobjects.cpp - the user-defined object templates.
#include "store/userobjects.h"

IWORecord userIWO[14];
