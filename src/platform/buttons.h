// buttons.h - the gadget ids of the toolbar ("Tools") and the tool palette
// ("Shapes"). A palette button's id is the object type its tool creates.
#pragma once

// Toolbar buttons (there is no button 38).
constexpr int BUTTON_NEW = 23;
constexpr int BUTTON_OPEN = 24;
constexpr int BUTTON_SAVEAS = 25;
constexpr int BUTTON_SAVE = 26;
constexpr int BUTTON_EXPORTGRAPHIC = 27;
constexpr int BUTTON_EXPORTTEXT = 28;
constexpr int BUTTON_CLOSE = 29;
constexpr int BUTTON_QUIT = 30;
constexpr int BUTTON_PROPERTIES = 31;
constexpr int BUTTON_SELECT = 32;    // the select tool
constexpr int BUTTON_FRONTBACK = 33; // upper half to front, lower half to back
constexpr int BUTTON_DUPLICATE = 34;
constexpr int BUTTON_ZOOM = 35;     // upper half zooms in, lower half out
constexpr int BUTTON_TEXT = 36;     // the text tool
constexpr int BUTTON_UNDOREDO = 37; // upper half undoes, lower half redoes
constexpr int BUTTON_DELETE = 39;
constexpr int FIRSTTOOLBARBUTTON = BUTTON_NEW;
constexpr int LASTTOOLBARBUTTON = BUTTON_DELETE;

// The tools that are toolbar buttons.
constexpr int SELECTTOOL = BUTTON_SELECT;
constexpr int TEXTTOOL = BUTTON_TEXT;

// The palette: its tab strip, its help line and its tool buttons.
constexpr int GADGET_PALETTETABS = 12;
constexpr int GADGET_HELPLINE = 22;
constexpr int FIRSTPALETTETOOL = 101; // the Rectangle tool
constexpr int LASTPALETTETOOL = 143;  // the last user-object tool
