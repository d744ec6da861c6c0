// headlessui.cpp - requesters without a screen.
#include "platform/headless/headlessui.h"

#include <cstring>

namespace {
std::string escaped(const char *s) {
    std::string r;
    for (; *s; s++) {
        if (*s == '\n') r += "\\n";
        else r += *s;
    }
    return r;
}
} // namespace

int HeadlessUI::request(RequestSpec &req) {
    if (failing_) return -1;
    if (out_) {
        const char *body = req.textentry && req.buffer ? req.buffer : req.body;
        std::fprintf(out_, "requester: %s | %s | %s\n", escaped(req.title).c_str(),
                     escaped(body).c_str(), req.buttons);
        std::fflush(out_);
    }
    if (answers_.empty()) {
        // The first button: 1 when there is more than one button or only one.
        return 1;
    }
    Answer a = answers_.front();
    answers_.pop_front();
    if (req.textentry && a.text && req.buffer && req.buffersize > 0) {
        size_t limit = (size_t)req.buffersize - 1;
        if (req.maxchars > 0 && (size_t)req.maxchars < limit) limit = (size_t)req.maxchars;
        size_t n = a.text->size() < limit ? a.text->size() : limit;
        std::memcpy(req.buffer, a.text->data(), n);
        req.buffer[n] = 0;
    }
    return a.button;
}

bool HeadlessUI::filerequest(const FileRequestSpec &req, std::string &drawer,
                             std::string &file) {
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

bool HeadlessUI::openmessage(const char *, const char *text) {
    if (failing_) return false;
    FILE *f = messageout_ ? messageout_ : out_;
    if (f) {
        std::fprintf(f, "message: %s\n", escaped(text).c_str());
        std::fflush(f);
    }
    return true;
}
