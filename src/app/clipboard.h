// clipboard.h - Edit > Cut, Copy and Paste through the platform's clipboard.
//
// Copy puts the selected objects, with the connectors whose ends are all among
// them, on the clipboard in three forms: the diagram file's own bytes (a small
// diagram file holding just those objects, so that a paste is exact), an SVG
// picture framed round them, and their labels as UTF-8 text in outline order.
// Paste inserts objects from the first form as new objects, or makes a Text
// object from plain text.
//
//   OBJECTSMIME, SVGMIME, TEXTMIME   the three forms
//   copyobjects()          Edit > Copy; returns 1
//   cutobjects()           Edit > Cut: Copy, then Delete, one undo step; returns 1
//   pasteobjects()         Edit > Paste; returns 1 (refusals are told with ErrorReq)
//   clipboardset()         the indices Copy takes from the current selection
//   clipboardforms(set)    the three forms for those indices
//   pastebytes(bytes)      paste a file image of objects; 1 when objects were pasted
//   pastetext(utf8)        paste text as a Text object; 1 when one was made; text
//                          of several lines (pastelines) goes to pastebranch
//   pastebranch(utf8)      paste lines as a branch of shapes joined by connectors
//                          (indented lines under the line above): under the
//                          selected shape, else a new tree at the visible centre;
//                          arranged, one undo step; 1 when it was made
//   clipboardpastable()    whether the clipboard holds objects or text
//   watchclipboard()       show the menus' states again when the clipboard changes
#pragma once
#include "platform/platform.h"

#include <string>
#include <vector>

extern const char *const OBJECTSMIME; // "application/x-ideaweave-objects"
extern const char *const SVGMIME;     // "image/svg+xml"
extern const char *const TEXTMIME;    // "text/plain"

int copyobjects();
int cutobjects();
int pasteobjects();
std::vector<int> clipboardset();
ClipboardForms clipboardforms(const std::vector<int> &set);
int pastebytes(const std::string &bytes);
int pastetext(const std::string &utf8);
bool pastelines(const std::string &utf8);
int pastebranch(const std::string &utf8);
bool clipboardpastable();
void watchclipboard();
