// transform.h - commands on the selected objects as a whole, each recorded as
// one undo step.
//
//   duplicate()         copy the selected objects (+50,+50) and their connectors
//   delete_()           delete the selected objects with their connectors
//                       (the underscore keeps clear of the C++ keyword)
//   sendtofront()       move the selection to the front, keeping its order
//   sendtoback()        move the selection to the back, keeping its order
//   resize(percent)     scale the selected objects
//   flip(direction)     mirror the selection in its bounding box (1 horizontal, 2 vertical)
//   croptofit()         fit the page to the objects plus a margin
#pragma once

int duplicate();
int delete_();
int sendtofront();
int sendtoback();
int resize(int percent);
int flip(int direction);
int croptofit();
