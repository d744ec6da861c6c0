// Placeholder until the object properties window lands: it is never open.
#include "app/properties.h"

int16_t propwindowopen = 0;
int updateIWOprop(int) { return 1; }
int disableIWOprop(int) { return 1; }
