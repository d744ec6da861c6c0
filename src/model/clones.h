// clones.h - the clone table: pairs of (index, id) of a source object and its
// copy. The duplicate command pairs originals with their copies here, and the
// outline export builds its reading order in it.
//
//   resetclones()   empty entries 0..MAXIWO-1 (every field -99)
#pragma once
#include <cstdint>

constexpr int CLONETABLESIZE = 1010; // entries of the clone table

struct CloneEntry {
    int16_t sourceindex = -99; // table index of the source object
    int16_t sourceid = -99;    // id of the source object
    int16_t copyindex = -99;   // table index of the copy
    int16_t copyid = -99;      // id of the copy
};

// The clone table (the trailing underscore keeps clear of the C library's clone()).
extern CloneEntry clone_[CLONETABLESIZE];
extern int16_t clones; // entries in use (next free / last used)

int resetclones();
