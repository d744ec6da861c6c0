// userobjects.h - the user objects: templates made from the selection, their
// tool buttons, and the banks that hold a whole set of them.
//
//   createUserIWO()          make a template from the selected objects in the
//                            first free slot and give its tool a picture
//   clearUserIWOsingle(tool) free the slot of a user tool (132..143; others: nothing)
//   clearUserIWOs()          free every slot (as resetUserIWOs)
//   resetUserIWOs()          empty every template slot and take its tool's picture away
//   saveUserIWOBank()        ask for a bank file and write the slots into it
//   loadUserIWOBank()        ask for a bank file and take its slots
//   userIWObankdirectory()   the drawer of the banks, made when missing
//   userIWObankbytes()       the bank image of the current slots
//   readUserIWObankbytes(data, size, message)
//                            take the slots of a bank image; it is checked whole
//                            first, and on refusal message says why and nothing
//                            changed. Makes no pictures.
// All return 1 on success, 0 on failure, refusal or cancel.
//
// A template holds the selection's bounding box as x, y, width, height, the
// pens of the focus object, and the selection's drawing parts (at most 20)
// with their points in percent of that box. Slot k is the object of type
// 131 + k; a free slot has type 35. The templates themselves (userIWO) are in
// model/create.h.
//
// Bank file (".uiwo", 19003 bytes, big-endian):
//   OFFSET  SIZE DESCRIPTION
//        0   255 version text (ignored by readers)
//      255     2 release number (97 for banks written by this program)
//      257 13x1442 template slots 0 to 12, whole object records
// A bank is taken only when it is exactly that long, its release is 1 to 97,
// every slot's type is 35 or 131 + its slot number, and every slot has at
// most 20 parts of known kinds.
#pragma once
#include "model/create.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

constexpr int USERIWOBANKSLOTS = MAXUSERIWO + 1; // slots 0..12 in a bank
constexpr size_t USERIWOBANKSIZE = 257 + (size_t)USERIWOBANKSLOTS * IWORECORDSIZE; // 19003

int createUserIWO();
int clearUserIWOsingle(int tool);
int clearUserIWOs();
int resetUserIWOs();
int saveUserIWOBank();
int loadUserIWOBank();
std::string userIWObankdirectory();
std::vector<uint8_t> userIWObankbytes();
int readUserIWObankbytes(const uint8_t *data, size_t size, std::string *message = nullptr);
