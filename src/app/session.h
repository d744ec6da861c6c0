// session.h - making a new diagram and taking a loaded one into the editor:
// the state changes of the New and Open commands, without their questions.
//
//   startnewdiagram()     an empty diagram from the defaults, drawn
//   startloadeddiagram()  show a diagram that was just read into the table
//   opendiagramfile(path) read a file and show it; on refusal the requester says why,
//                         for a file read only in part a warning follows the showing
//   warnincomplete(text)  the warning requester for a file read in part ("" nothing)
#pragma once
#include <string>

int startnewdiagram();
int startloadeddiagram();
int opendiagramfile(const std::string &path);
void warnincomplete(const std::string &warning);
