// Placeholder bodies until the transformation commands land.
#include "edit/transform.h"

int duplicate() { return 1; }
int delete_() { return 1; }
int sendtofront() { return 1; }
int sendtoback() { return 1; }
int resize(int) { return 1; }
int flip(int) { return 1; }
int croptofit() { return 1; }
