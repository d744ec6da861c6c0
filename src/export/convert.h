// convert.h - PNG and PDF through the external converters svg2png and svg2pdf.
//
// The SVG goes to a fresh temporary directory, the converter runs from an
// argument vector (no shell) with its output captured in a fresh log file,
// both in the per-user temporary directory. The conversion has failed when the
// converter can't be started, exits non-zero, writes anything to the log, or
// leaves the target missing, empty or untouched. While it runs the message
// window says so; when that window can't be shown the conversion still runs.
//
// The converters run only for users who ask for them: IDEAWEAVE_CONVERTERS
// names the directory that holds them. Without it PNG and PDF are drawn in
// process (export/picture.h) and no program runs.
//
//   converterdirectory()    $IDEAWEAVE_CONVERTERS when it names a directory, else ""
//   findconverter(name)     the converter's path in that directory; "" when there
//                           is none
//   convertSVG(svg, target, format, message)
//                           convert the SVG text to target (EXPORT_PNG or
//                           EXPORT_PDF); 1 done, 0 failed with message set
//   runconverter(job, svg, target, message)
//                           the same for any converter run: its options, the
//                           SVG's file name, the message window's text and the
//                           failure text (the log's path is appended to it)
#pragma once
#include "export/format.h"

#include <string>
#include <vector>

struct ConverterRun {
    const char *name = "svg2png";              // the converter
    std::vector<std::string> options;          // given before the SVG and target paths
    const char *svgname = "ideaweavetemp.svg"; // the SVG's name in its temporary directory
    const char *busy = "";                     // the message window's text while it runs
    const char *failure = "";                  // the error text, followed by the log's path
};

std::string converterdirectory();
std::string findconverter(const char *name);
int convertSVG(const std::string &svg, const std::string &target, ExportFormat format,
               std::string *message);
int runconverter(const ConverterRun &job, const std::string &svg, const std::string &target,
                 std::string *message);
