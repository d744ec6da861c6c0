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

int HeadlessUI::stylewindow(const StyleWindowSpec &spec) {
    if (failing_) return 0;
    if (out_) {
        std::fprintf(out_, "stylewindow: %s\n", spec.title);
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
