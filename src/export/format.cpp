// format.cpp - export formats, colours and text escaping shared by the writers.
#include "export/format.h"

#include "model/diagram.h"
#include "platform/files.h"
#include "platform/palette.h"
#include "platform/platform.h"
#include "ui/ui.h"

#include <cctype>
#include <cstdint>
#include <vector>

ExportFormat exportformat(const std::string &path) {
    static const struct {
        const char *ext;
        ExportFormat format;
    } table[] = {{".svg", EXPORT_SVG}, {".png", EXPORT_PNG},  {".pdf", EXPORT_PDF},
                 {".txt", EXPORT_TXT}, {".htm", EXPORT_HTML}, {".html", EXPORT_HTML},
                 {".md", EXPORT_MD},   {".opml", EXPORT_OPML}};
    // Only the file part counts: a dot in a drawer name is no extension.
    const std::string name = FilePart(path);
    const size_t dot = name.rfind('.');
    if (dot == std::string::npos || dot == 0) return EXPORT_NONE;
    std::string ext = name.substr(dot);
    for (char &c : ext) c = (char)std::tolower((unsigned char)c);
    for (const auto &t : table)
        if (ext == t.ext) return t.format;
    return EXPORT_NONE;
}

bool pennone(int pen) { return pen < 0 || pen > 255; }

void penpercent(int pen, int rgb[3]) {
    int c[3] = {0, 0, 0};
    if (!pennone(pen)) penrgb3(pen, &c[0], &c[1], &c[2]);
    // A component v is the 32-bit left-justified v * 0x01010101; 42949672 is
    // 2^32 / 100 without its fraction, so 255 gives 100 and 128 gives 50.
    for (int k = 0; k < 3; k++) rgb[k] = (int)(((uint32_t)c[k] * 0x01010101u) / 42949672u);
}

std::string xmltext(const char *s, size_t n) {
    std::string out;
    out.reserve(n + 16);
    for (size_t k = 0; k < n; k++) {
        const unsigned char b = (unsigned char)s[k];
        switch (b) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            if (b < 0x20 && b != '\t' && b != '\n' && b != '\r') {
                // Control characters are not allowed in XML at all.
                out += "\xEF\xBF\xBD";
            } else if (b < 0x80) {
                out += (char)b;
            } else {
                out += (char)(0xC0 | (b >> 6));
                out += (char)(0x80 | (b & 0x3F));
            }
        }
    }
    return out;
}

std::string utf8text(const char *s, size_t n) {
    std::string out;
    out.reserve(n + 8);
    for (size_t k = 0; k < n; k++) {
        const unsigned char b = (unsigned char)s[k];
        if (b < 0x80) {
            out += (char)b;
        } else {
            out += (char)(0xC0 | (b >> 6));
            out += (char)(0x80 | (b & 0x3F));
        }
    }
    return out;
}

std::string htmltext(const char *s, size_t n) {
    std::string out;
    out.reserve(n + 16);
    for (size_t k = 0; k < n; k++) {
        switch (s[k]) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        default:
            out += s[k];
        }
    }
    return out;
}

std::string exportrequest(const char *title, const char *pattern, bool graphic) {
    const std::string current = fieldtext(IWODiagram.filename);
    FileRequestSpec req;
    req.title = title;
    req.pattern = pattern;
    // The target is usually a new file: the requester must take names of
    // files that don't exist yet, as a save requester does.
    req.save = true;
    req.drawer = PathPart(current);
    // The diagram's own name without its ".iwo" extension.
    const std::string file = FilePart(current);
    if (file.size() > 4) req.file = file.substr(0, file.size() - 4);
    std::string drawer, chosen;
    if (!platformui().filerequest(req, drawer, chosen)) return "";

    std::string path = AddPart(drawer, chosen);
    const ExportFormat f = exportformat(path);
    if (graphic ? !isgraphicformat(f) : (f == EXPORT_NONE || isgraphicformat(f)))
        path += graphic ? ".svg" : ".txt";
    if (path.size() >= (size_t)MAXFILENAMESIZE) {
        ErrorReq("Sorry. The file name is too long.");
        return "";
    }
    if (fileexists(path)) {
        const std::string q = "Are you sure you want to overwrite file : " + path;
        if (ConfirmReq(q.c_str()) != 1) return "";
    }
    return path;
}

int writeexportfile(const std::string &path, const std::string &text, std::string *message) {
    const std::vector<uint8_t> data(text.begin(), text.end());
    if (writefileatomic(path, data)) return 1;
    const std::string m = "Sorry. Could not save file : " + path;
    if (message)
        *message = m;
    else
        ErrorReq(m.c_str());
    return 0;
}
