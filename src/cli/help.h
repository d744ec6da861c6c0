// help.h - the command-line tool's help texts: the usage, one text per command,
// and the lines a `run` script may hold.
//
//   cliusage(out)          the short usage (every command on one line)
//   clihelp(out)           the full help: commands, options, exit codes
//   clicommandhelp(name)   the help of one command, or nullptr for an unknown name
//   RUNLINES               the script lines of `run`, one entry per line form
#pragma once
#include <cstdio>

struct RunLineHelp {
    const char *form; // what the line looks like
    const char *text; // what it does
};

extern const RunLineHelp RUNLINES[];
extern const int RUNLINECOUNT;

void cliusage(FILE *out);
void clihelp(FILE *out);
const char *clicommandhelp(const char *name);
void clicommandhelpprint(FILE *out, const char *name);
const char *cliversion();
