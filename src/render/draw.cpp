// draw.cpp - object drawing (placeholder until the renderer lands).
#include "render/draw.h"

int drawIWO(int) { return 1; }
