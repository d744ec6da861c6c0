// diagramprops.h - the diagram properties window ("Diagram Properties"): the
// diagram's title, author and description, its page size and colour, the
// highlight colour, and the pens, line weight and font that new objects take.
//
// Nothing reaches the diagram record before Apply. Apply keeps a copy of the
// record as applied, and Restore brings the editable fields back from that
// copy (or from the opening of the window): the file name, the saved flag and
// the other fields the window can't edit stay as they are now.
//
//   diagramprop()                  open the window (or bring it up to date)
//   make_diagrampropwindow()       build the window's gadget table
//   updateIWOdiagramprop()         show the diagram record in the gadgets
//   applyIWOdiagramprop()          write what the user changed into the record
//   diagrampropertiesevents(result, code)  the window's handler; 1 when it was closed
//   papersizeindex(w, h)           the paper size (sizelist) of a page of w x h (0: "Custom")
//
// Gadgets (ids): 306 tabs; Info: 309 Diagram Title, 310 Filename (read-only),
// 311 Author, 312 Description; Page: 315 Paper Size, 313 Width, 314 Height,
// 316 Paper Colour, 320 Highlight Colour; Object: 319 Fill Colour, 318 Line
// Colour, 317 Line Weight, 326 Font, 327 label colours (left half the
// background pen, right half the text pen); bottom row: 329 Restore, 330 Apply.
#pragma once
#include "platform/gadgets.h"

#include <cstdint>

extern GadgetWindow diagrampropwin;   // the window object and its gadget table (DiagPropObjects)
extern int16_t diagrampropwindowopen; // 1 while the window is open
extern int16_t diagrampropwinx, diagrampropwiny;          // its last position
extern int16_t diagrampropwinwidth, diagrampropwinheight; // its last size

int diagramprop();
int make_diagrampropwindow();
int updateIWOdiagramprop();
int applyIWOdiagramprop();
int diagrampropertiesevents(int32_t result, int code);
int papersizeindex(int w, int h);
