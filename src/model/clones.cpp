// clones.cpp - the clone table.
#include "model/clones.h"
#include "model/iwo.h"

CloneEntry clone_[CLONETABLESIZE];
int16_t clones = 0;

int resetclones() {
    for (int i = 0; i < MAXIWO; i++) clone_[i] = CloneEntry{};
    return 1;
}
