// files.h - byte-exact file access and path handling.
//
//   fileexists(path)              1 if something exists there (stat)
//   isdirectory(path)             1 if path names a directory
//   readwholefile(path, data, e, max)  read a regular file whole, or its first max
//                                 bytes, opened read-only; never creates one; anything
//                                 else (directory, device, pipe) is refused
//   writefileatomic(path, data)   write a temporary file beside path and rename it over
//                                 path, so the previous file survives any failure; a
//                                 symbolic link is followed and stays, a file without
//                                 write permission is refused, the file's mode is kept
//   AddPart(drawer, file)         join a drawer and a file name
//   FilePart(path)                the file-name part of a path
//   PathPart(path)                the drawer part of a path (path without its file part)
//   ownvolume(path)               length of a leading "T:", "ram:" or "progdir:" (else 0):
//                                 the program's own drawer names; anywhere else a ':' is
//                                 an ordinary character of a file name
//   hostpath(path)                the path with such a name replaced by its directory
//                                 ("T:" and "ram:" the temporary directory, "progdir:"
//                                 the configuration directory)
//   tempdirectory()               the per-user directory for temporary files
//   configdirectory()             the per-user directory for files the program writes
//   datadirectory()               the directory of read-only resources: $IDEAWEAVE_DATADIR,
//                                 else share/ideaweave beside the program's bin, else the
//                                 configured prefix's, else the source tree's data
//   userdatadirectory()           the per-user directory for the user's own data
//                                 ($XDG_DATA_HOME/ideaweave, ~/.local/share/ideaweave)
//   filenametext(s, n)            a file name as UTF-8 text to show (window titles, fields,
//                                 messages, JSON): its valid UTF-8 as it stands, any other
//                                 byte as its ISO-8859-1 character; stops at a NUL
//   setfilefault(op, n)           tests: make the n-th next operation of kind op fail
//
// Failures return false and put a short reason into the optional error text.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

int fileexists(const std::string &path);
int isdirectory(const std::string &path);
bool readwholefile(const std::string &path, std::vector<uint8_t> &data,
                   std::string *error = nullptr, size_t maxbytes = SIZE_MAX);
bool writefileatomic(const std::string &path, const std::vector<uint8_t> &data,
                     std::string *error = nullptr);

std::string AddPart(const std::string &drawer, const std::string &file);
std::string FilePart(const std::string &path);
std::string PathPart(const std::string &path);
size_t ownvolume(const std::string &path);
std::string hostpath(const std::string &path);

std::string filenametext(const char *s, size_t n);
std::string filenametext(const std::string &s);

std::string tempdirectory();
std::string configdirectory();
std::string datadirectory();
std::string userdatadirectory();

// Fault injection for tests: the kinds of operation that can be made to fail.
enum FileFault { FAULT_NONE, FAULT_OPEN, FAULT_READ, FAULT_WRITE, FAULT_SYNC, FAULT_RENAME };
void setfilefault(FileFault op, int n);
