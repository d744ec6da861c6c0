// draw.h - drawing objects into the drawing window.
//
//   drawIWO(n)   draw object n with its parts, label and handles
#pragma once

int drawIWO(int n);
