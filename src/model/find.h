// find.h - finding objects by the text they carry: a label or name that
// contains the searched text, compared without regard to case or accents
// (over the ISO-8859-1 the records store), anywhere in a word.
//
//   foldtext(s, n)          up to n bytes of s (ended by a NUL) folded for
//                           comparing: ASCII and Latin-1 capitals to small
//                           letters, accented letters to their base letter,
//                           the ligatures and sharp s spelt out (ae, ss, th),
//                           the no-break space to a space
//   matchesIWO(r, folded)   record r's label or name contains the folded text
//   findIWOs(records, count, text)
//                           positions in records[0..count-1] of the live
//                           records that contain text, whatever their
//                           visibility (folded branches included), in reading
//                           order: top to bottom, then left to right, then
//                           drawing order; nothing for an empty text
#pragma once
#include "model/iwo.h"

#include <string>
#include <vector>

std::string foldtext(const char *s, size_t n);
bool matchesIWO(const IWORecord &r, const std::string &folded);
std::vector<int> findIWOs(const IWORecord *records, int count, const std::string &text);
