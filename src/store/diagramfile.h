// diagramfile.h - the ".iwo" diagram file: saving, loading and the migration of
// files written by older releases.
//
//   saveIWOdiagramas(path)         save under path, which becomes the diagram's name
//   writeIWOdiagramfile(path)      write the open diagram to path, no questions
//   writeIWOdiagrambytes()         the file image writeIWOdiagramfile writes
//   readIWOdiagramfile(path, msg)  load path (a regular file; at most MAXIWOFILESIZE bytes
//                                  are read); on refusal msg says why and nothing changed
//   fixIWOr92(i), fixpre96IWO(i)   convert the old record in pre96IWO into record i
//   writeIWOobjectbytes(indices)   a file image holding just those objects (the
//                                  clipboard form of objects)
//   readIWOobjectbytes(data, size, records, msg)
//                                  the object records of a file image, checked as
//                                  a file is; the open diagram is not touched
//
// File layout (big-endian):
//   OFFSET SIZE DESCRIPTION
//        0  255 version text (ignored by readers)
//      255    2 release number (97 for files written by this program)
//      257 2312 the diagram record
//     2569  n*R the records 0..n-1 of the object table; R = 1442 for releases
//               96 and 97, 688 for releases 1 to 95. The end of the file ends
//               the list; the diagram record's `objects` is not used.
//
// Old object record (688 bytes) as far as it is read:
//   OFFSET SIZE DESCRIPTION
//        0    2 id
//        2    2 type
//       29   25 name
//       54    2 x, 56 y, 58 width, 60 height
//       62    2 line pen
//       64    2 line weight
//       66    2 fill pen
//       68    8 font (pointer, size, style, flags)
//       76  256 font name
//      332    2 label x, 334 label y, 336 label placement, 338 label text pen
//      340   50 label
//      390    2 label background pen, 392 label filled
//      394    1 number of parts
//      395    1 number of highlight parts (not carried over)
//      396   70 five parts of 14 bytes: +0 kind, +1 x[4], +5 y[4], +9 pad,
//               +10 line pen, +12 fill pen
//      466   70 highlight parts (not carried over)
//      536   14 erase part (its pens become the new erase part's)
//      612    1 start attachment x (signed), 613 start attachment y
//      614    2 start spare, 616 start clamp
//      620    1 end attachment x (signed), 621 end attachment y
//      622    2 end spare, 624 end clamp
//      626   24 handle x[12]
//      650   24 handle y[12] (element 0: connector count)
//      674    2 group, 676 reserved, 678 locked, 680 selected,
//      682    2 node fold, 684 fold, 686 visible
#pragma once
#include "model/diagram.h"
#include "model/iwo.h"

#include <cstdint>
#include <string>
#include <vector>

constexpr int16_t IWRelease = 97; // release number written into files
extern char IWVersionString[255]; // the version line, written into files

constexpr int FILEHEADERSIZE = 257;   // version text and release number
constexpr int OLDIWORECORDSIZE = 688; // object record of releases up to 95
// The largest file the table can take in (records 0..MAXIWO): readers stop there.
constexpr size_t MAXIWOFILESIZE =
    (size_t)FILEHEADERSIZE + DIAGRAMRECORDSIZE + (size_t)(MAXIWO + 1) * IWORECORDSIZE;

extern uint8_t pre96IWO[2][OLDIWORECORDSIZE]; // conversion buffer; records are read into [1]

int saveIWOdiagramas(const std::string &path);
int writeIWOdiagramfile(const std::string &path, std::string *message = nullptr);
std::vector<uint8_t> writeIWOdiagrambytes();
int readIWOdiagramfile(const std::string &path, std::string *message = nullptr);
int readIWOdiagrambytes(const uint8_t *data, size_t size, std::string *message = nullptr);
int fixIWOr92(int i);
int fixpre96IWO(int i);
std::string writeIWOobjectbytes(const std::vector<int> &indices);
int readIWOobjectbytes(const uint8_t *data, size_t size, std::vector<IWORecord> &records,
                       std::string *message = nullptr);
