// convert.h - PNG and PDF through the external converters svg2png and svg2pdf.
//
// The SVG goes to a fresh temporary directory, the converter runs from an
// argument vector (no shell) with its output captured in a fresh log file,
// both in the per-user temporary directory. The conversion has failed when the
// converter can't be started, exits non-zero, writes anything to the log, or
// leaves the target missing, empty or untouched. While it runs the message
// window says so; when that window can't be shown the conversion still runs.
//
//   findconverter(name)     the converter's path: beside the program, then in
//                           the install prefix; "" when there is none
//   convertSVG(svg, target, format, message)
//                           convert the SVG text to target (EXPORT_PNG or
//                           EXPORT_PDF); 1 done, 0 failed with message set
#pragma once
#include "export/format.h"

#include <string>

std::string findconverter(const char *name);
int convertSVG(const std::string &svg, const std::string &target, ExportFormat format,
               std::string *message);
