// headlessui.cpp - requesters without a screen.
#include "platform/headless/headlessui.h"

#include <cstring>

namespace {
std::string escaped(const char *s) {
    std::string r;
    for (; *s; s++) {
        if (*s == '\n')
            r += "\\n";
        else
            r += *s;
    }
    return r;
}

} // namespace

// An answer for a text requester as the ISO-8859-1 text a label stores. The
// answer is read as UTF-8 (scripts and terminals write it); bytes that are
// not UTF-8 are taken as ISO-8859-1 already. Returns false, with the
// characters that cannot be stored in `refused`, when some code point lies
// beyond ISO-8859-1.
bool latin1answer(const std::string &in, std::string &out, std::string &refused) {
    out.clear();
    refused.clear();
    const auto *s = reinterpret_cast<const unsigned char *>(in.data());
    size_t n = in.size();
    std::string latin;
    for (size_t i = 0; i < n;) {
        unsigned c = s[i];
        size_t len = c < 0x80             ? 1
                     : (c & 0xE0) == 0xC0 ? 2
                     : (c & 0xF0) == 0xE0 ? 3
                     : (c & 0xF8) == 0xF0 ? 4
                                          : 0;
        if (len == 0 || i + len > n) {
            out = in; // not UTF-8: bytes as they are
            refused.clear();
            return true;
        }
        unsigned cp = len == 1 ? c : c & (0x7F >> len);
        for (size_t k = 1; k < len; k++) {
            if ((s[i + k] & 0xC0) != 0x80) {
                out = in;
                refused.clear();
                return true;
            }
            cp = cp << 6 | (s[i + k] & 0x3F);
        }
        static const unsigned least[5] = {0, 0, 0x80, 0x800, 0x10000};
        if (cp < least[len] || cp > 0x10FFFF) { // an overlong or impossible form
            out = in;
            refused.clear();
            return true;
        }
        if (cp <= 0xFF)
            latin += (char)cp;
        else
            refused.append(in, i, len);
        i += len;
    }
    out = latin;
    return refused.empty();
}

int HeadlessUI::request(RequestSpec &req) {
    if (failing_) return -1;
    if (out_) {
        const char *body = req.textentry && req.buffer ? req.buffer : req.body;
        std::fprintf(out_, "requester: %s | %s | %s\n", escaped(req.title).c_str(),
                     escaped(body).c_str(), req.buttons);
        std::fflush(out_);
    }
    while (!answers_.empty()) {
        Answer a = answers_.front();
        answers_.pop_front();
        if (req.textentry && a.text && a.button != 0 && req.buffer && req.buffersize > 0) {
            std::string text, refused;
            if (!latin1answer(*a.text, text, refused)) {
                // As on the screen, where such characters cannot be typed: the
                // answer is refused as a whole and the requester takes the next.
                if (out_) {
                    std::fprintf(out_,
                                 "requester: refused %s: %s cannot be stored (ISO-8859-1 only)\n",
                                 escaped(a.text->c_str()).c_str(), refused.c_str());
                    std::fflush(out_);
                }
                continue;
            }
            size_t limit = (size_t)req.buffersize - 1;
            if (req.maxchars > 0 && (size_t)req.maxchars < limit) limit = (size_t)req.maxchars;
            size_t n = text.size() < limit ? text.size() : limit;
            std::memcpy(req.buffer, text.data(), n);
            req.buffer[n] = 0;
        }
        if (a.button == ENTERANSWER) return defaultanswer(req);
        return a.button;
    }
    // The first button: 1 when there is more than one button or only one.
    return 1;
}

int HeadlessUI::defaultanswer(const RequestSpec &req) {
    // Buttons answer 1, 2, ... from the left, the last of several 0.
    int n = 1;
    for (const char *p = req.buttons; p && *p; p++)
        if (*p == '|') n++;
    const int b = req.defaultbutton >= 1 && req.defaultbutton <= n ? req.defaultbutton : 1;
    return n > 1 && b == n ? 0 : b;
}

bool HeadlessUI::filerequest(const FileRequestSpec &req, std::string &drawer, std::string &file) {
    if (failing_) return false;
    if (out_) {
        std::fprintf(out_, "filerequester: %s | %s | %s | %s\n", req.title, req.drawer.c_str(),
                     req.file.c_str(), req.pattern);
        std::fflush(out_);
    }
    if (answers_.empty()) return false;
    Answer a = answers_.front();
    answers_.pop_front();
    if (a.button == 0 || !a.text) return false;
    // The answer is a path: split it into drawer and file as a requester would.
    const std::string &p = *a.text;
    size_t slash = p.rfind('/');
    if (slash == std::string::npos) {
        drawer.clear();
        file = p;
    } else {
        drawer = p.substr(0, slash + 1);
        file = p.substr(slash + 1);
    }
    return true;
}

void HeadlessUI::setgadgetimage(int id, const std::string &path) {
    pictures_[id] = path;
    if (out_ && !path.empty() && id >= 132 && id <= 147) {
        std::fprintf(out_, "icon: %d %s\n", id - 131, path.c_str());
        std::fflush(out_);
    }
}

bool HeadlessUI::openmessage(const char *, const char *text) {
    if (failing_) return false;
    FILE *f = messageout_ ? messageout_ : out_;
    if (f) {
        std::fprintf(f, "message: %s\n", escaped(text).c_str());
        std::fflush(f);
    }
    return true;
}

int HeadlessUI::palettewindow(const char *title, int pen, int, int, int) {
    if (failing_) return -1;
    if (out_) {
        std::fprintf(out_, "palettewindow: %s | %d\n", title, pen);
        std::fflush(out_);
    }
    if (palettes_.empty()) return -1;
    int answer = palettes_.front();
    palettes_.pop_front();
    return answer;
}

int HeadlessUI::stylewindow(const StyleWindowLayout &layout) {
    if (failing_) return 0;
    if (out_) {
        std::fprintf(out_, "stylewindow: %s\n", layout.title);
        std::fflush(out_);
    }
    if (styles_.empty()) return 0;
    int answer = styles_.front();
    styles_.pop_front();
    return answer;
}

bool HeadlessUI::fontrequest(const char *title, std::string &name, int &size, int maxsize) {
    if (failing_) return false;
    if (out_) {
        std::fprintf(out_, "fontrequester: %s | %s %d\n", title, name.c_str(), size);
        std::fflush(out_);
    }
    if (fonts_.empty()) return false;
    auto answer = fonts_.front();
    fonts_.pop_front();
    if (!answer.first) return false;
    name = *answer.first;
    // The chooser offers heights 1 to maxsize only.
    size = answer.second < 1 ? 1 : answer.second > maxsize ? maxsize : answer.second;
    return true;
}

bool HeadlessUI::drawerrequest(const char *title, std::string &path) {
    if (failing_) return false;
    if (out_) {
        std::fprintf(out_, "drawerrequester: %s | %s\n", title, path.c_str());
        std::fflush(out_);
    }
    if (drawers_.empty()) return false;
    auto answer = drawers_.front();
    drawers_.pop_front();
    if (!answer) return false;
    path = *answer;
    return true;
}
