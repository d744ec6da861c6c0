// prefsupport.h - what the preferences need of the desktop: the drawer chooser
// of the Save Path button (QtUI::drawerrequest, a directory-only file dialog
// named "drawerrequester"), whether the icon theme has the toolbar pictures
// (QtUI::themeicons), and the interface font. The preferences window itself is
// a gadget window (propwindows.h).
//
//   applyinterfacefont()   give the application the interface font of the
//                          settings; the built-in one stands for the desktop's
//                          own font and leaves it as it is
#pragma once

void applyinterfacefont();
