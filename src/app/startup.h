// startup.h - bringing the program's state up.
//
//   setstartvalues()   give the globals their start values
//   setupcore()        start values, built-in settings, the type catalogue and a
//                      fresh empty diagram: everything short of opening windows
#pragma once

int setstartvalues();
int setupcore();
