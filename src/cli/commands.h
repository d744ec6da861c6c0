// commands.h - the command-line tool's commands. Each returns the exit code.
//
//   cliinfo(path)           print the diagram as JSON
//   cliconvert(in, out)     load and save as the current release
//   clistart(out)           the headless platform, printing requesters to out,
//                           and a freshly set-up core
#pragma once
#include <cstdio>

class HeadlessUI;

int cliinfo(const char *path);
int cliconvert(const char *in, const char *out);
HeadlessUI &clistart(FILE *out);
