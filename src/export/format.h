// format.h - export formats and the text helpers shared by the writers.
//
//   exportformat(path)      the format a path asks for, by its final extension
//                           (case-insensitive); EXPORT_NONE for any other name
//   isgraphicformat(f)      SVG, PNG or PDF
//   pennone(pen)            true for a pen outside the palette (no colour at all)
//   penpercent(pen, rgb)    the pen's colour as three integer percentages 0..100
//   xmltext(s, n)           n bytes of ISO-8859-1 text as escaped UTF-8 for XML
//   htmltext(s, n)          n bytes with &, < and > escaped, bytes kept as they are
//   utf8text(s, n)          n bytes of ISO-8859-1 text as UTF-8, nothing escaped
//   fieldtext(field)        a fixed text field as a string (up to its NUL)
//   exportrequest(...)      the export commands' file requester, extension rule and
//                           overwrite question; the chosen path, or "" when cancelled
//   writeexportfile(path, text)  create the file and write it; ErrorReq on failure
#pragma once
#include "model/bytes.h"

#include <string>

enum ExportFormat {
    EXPORT_NONE,
    EXPORT_SVG,
    EXPORT_PNG,
    EXPORT_PDF,
    EXPORT_TXT,
    EXPORT_HTML,
    EXPORT_MD,
    EXPORT_OPML,
};

ExportFormat exportformat(const std::string &path);
inline bool isgraphicformat(ExportFormat f) {
    return f == EXPORT_SVG || f == EXPORT_PNG || f == EXPORT_PDF;
}

bool pennone(int pen);
void penpercent(int pen, int rgb[3]);

std::string xmltext(const char *s, size_t n);
std::string htmltext(const char *s, size_t n);
std::string utf8text(const char *s, size_t n);
template <size_t N> std::string fieldtext(const char (&field)[N]) {
    return std::string(field, textlen(field, N));
}

// title: the requester's title; pattern: its pattern; graphic: true for Export
// Graphic (names without a graphic extension get ".svg"), false for Export Text
// (names without an outline extension get ".txt").
std::string exportrequest(const char *title, const char *pattern, bool graphic);
int writeexportfile(const std::string &path, const std::string &text,
                    std::string *message = nullptr);
