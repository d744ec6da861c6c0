// draw.h - drawing an object from its parts: shapes, lines and line ends,
// labels, the selection highlight and the fold marker.
//
//   drawIWO(i)   draw object i (1009: the shadow, in complement preview mode)
#pragma once

int drawIWO(int i);
