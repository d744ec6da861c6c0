// idindex.cpp - finding many objects by id at once (see idindex.h).
#include "model/idindex.h"

#include <algorithm>

IWOIdIndex::IWOIdIndex(const IWORecord *table, int count) : first_(65536, TRANSPARENT) {
    // Walked downwards so that the lowest index of a repeated id stays, as
    // findIWObyid's search upwards finds it.
    for (int i = std::min<int>(count, IWOTABLESIZE) - 1; i >= 1; i--)
        first_[(uint16_t)table[i].id] = (int16_t)i;
}
