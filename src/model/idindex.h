// idindex.h - finding many objects by id with one reading of the table.
//
//   IWOIdIndex index(IWO, IWONumber)   what findIWObyid answers for every id,
//                                      taken from records 1..count-1
//   index.find(id)                     the first index holding id, or -99
//
// The answers hold while the records keep their places and ids; geometry may
// change meanwhile (arranging, connectors following their objects).
#pragma once
#include "model/iwo.h"

#include <cstdint>
#include <vector>

class IWOIdIndex {
  public:
    IWOIdIndex(const IWORecord *table, int count);
    int find(int id) const {
        if (id < INT16_MIN || id > INT16_MAX) return TRANSPARENT;
        return first_[(uint16_t)id];
    }

  private:
    std::vector<int16_t> first_; // by id as unsigned 16-bit
};
