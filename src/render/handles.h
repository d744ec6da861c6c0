// handles.h - selection handles and hit-testing.
//
//   insideIWO(mx, my, start)    index of the topmost object hit at a diagram point, or -99
//   checkIWOhandle(i, px, py)   handle of object i under a window pixel, 0 if none
//   drawIWOhandles(i, pen)      draw the handles of object i
#pragma once

int insideIWO(int mx, int my, int start);
int checkIWOhandle(int i, int px, int py);
int drawIWOhandles(int i, int pen);
