// find.h - the Find commands, shared by the editor's find bar and the script
// line `find`.
//
//   findmatches(text)        table indices of the objects whose label or name
//                            contains text (model/find.h), in reading order
//   foldingconnector(index)  the shown, folded connector whose branch hides
//                            object index, or -99 (not hidden by a fold)
//   unfoldtoshow(index)      unfold every fold that hides object index, as one
//                            undo step; 1 when it is shown afterwards
//   gotomatch(index, unfold) make object index the only selected object and
//                            scroll it into view. In a folded branch: with
//                            unfold the branch is unfolded first (one undo
//                            step), without it the connector that folds the
//                            branch is selected instead. Returns the index
//                            selected, -99 when index names no object
//   selectmatches(indices)   select exactly these objects, the first as the
//                            focus: one selection, no history entry
#pragma once
#include <string>
#include <vector>

std::vector<int> findmatches(const std::string &text);
int foldingconnector(int index);
int unfoldtoshow(int index);
int gotomatch(int index, bool unfold);
int selectmatches(const std::vector<int> &indices);
