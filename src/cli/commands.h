// commands.h - the command-line tool's commands. Each returns the exit code.
//
//   cliinfo(path)           print the diagram as JSON
//   cliconvert(in, out)     load and save as the current release
//   clirender(argc, argv)   draw a diagram file into a PNG of the window's pens
//   clirun(script, in)      a scripted editing session
//   cliexport(argc, argv)   export a diagram file as SVG, PNG, PDF or an outline
//   cliarrange(argc, argv)  arrange a diagram file and save it
//   cliimport(in, out)      an outline file as a new diagram file
//   clistart(out)           the headless platform, printing requesters to out,
//                           and a freshly set-up core
#pragma once
#include <cstdio>

class HeadlessUI;

int cliinfo(const char *path);
int cliconvert(const char *in, const char *out);
int clirender(int argc, char **argv); // the arguments after "render"
HeadlessUI &clistart(FILE *out);
int clirun(const char *script, const char *in);
int cliexport(int argc, char **argv);  // the arguments after "export"
int cliarrange(int argc, char **argv); // the arguments after "arrange"
int cliimport(const char *in, const char *out);
