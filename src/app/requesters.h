// requesters.h - every message and question the program puts to the user.
//
//   MessageReq(body, title)  information with "Okay"; returns 1
//   ErrorReq(body)           "Ideaweave Error" with "Okay"; returns 1
//   ConfirmReq(body)         "Ideaweave Warning", "Okay | Cancel"; 1 Okay, 0 Cancel
//   TextReq(n)               edit the label of object n; 1 Okay, 0 Cancel
//   aboutideaweave()         the About box; returns 1
//   notimplemented()         "not available yet"; returns 1
#pragma once

int MessageReq(const char *body, const char *title);
int ErrorReq(const char *body);
int ConfirmReq(const char *body);
int TextReq(int n);
int aboutideaweave();
int notimplemented();
