// tools.h - enabling of the tools and menu items that depend on the diagram.
//
//   disabledrawtools(off)   enable (0) or disable (1) the tools that need objects
#pragma once

int disabledrawtools(int off);
