// json.cpp - JSON output.
#include "cli/json.h"

#include "model/bytes.h"
#include "platform/files.h"

void JsonWriter::member(const char *key) {
    if (!first_.back()) std::fputc(',', out_);
    if (oneline_.back()) {
        if (!first_.back()) std::fputc(' ', out_);
        first_.back() = false;
        return;
    }
    first_.back() = false;
    if (depth_ > 0) {
        std::fputc('\n', out_);
        for (int i = 0; i < depth_; i++) std::fputs("  ", out_);
    }
    if (key) std::fprintf(out_, "\"%s\": ", key);
}

void JsonWriter::beginobject(const char *key) {
    if (depth_ > 0 || !first_.back()) member(key);
    std::fputc('{', out_);
    first_.push_back(true);
    oneline_.push_back(false);
    depth_++;
}

void JsonWriter::close(char bracket) {
    depth_--;
    bool empty = first_.back();
    bool oneline = oneline_.back();
    first_.pop_back();
    oneline_.pop_back();
    if (!empty && !oneline) {
        std::fputc('\n', out_);
        for (int i = 0; i < depth_; i++) std::fputs("  ", out_);
    }
    std::fputc(bracket, out_);
}

void JsonWriter::beginarray(const char *key, bool oneline) {
    member(key);
    std::fputc('[', out_);
    first_.push_back(true);
    oneline_.push_back(oneline);
    depth_++;
}

void JsonWriter::number(const char *key, long v) {
    member(key);
    std::fprintf(out_, "%ld", v);
}

void JsonWriter::text(const char *key, const char *s, size_t n) {
    // ISO-8859-1 maps byte for byte onto the first 256 code points.
    std::string t;
    size_t len = textlen(s, n);
    for (size_t i = 0; i < len; i++) {
        unsigned char c = (unsigned char)s[i];
        if (c < 0x80) {
            t += (char)c;
        } else {
            t += (char)(0xC0 | (c >> 6));
            t += (char)(0x80 | (c & 0x3F));
        }
    }
    member(key);
    utf8(t);
}

void JsonWriter::filename(const char *key, const char *s, size_t n) {
    member(key);
    utf8(filenametext(s, textlen(s, n)));
}

void JsonWriter::utf8(const std::string &t) {
    std::fputc('"', out_);
    for (unsigned char c : t) {
        if (c == '"' || c == '\\') {
            std::fputc('\\', out_);
            std::fputc(c, out_);
        } else if (c < 0x20 || c == 0x7f) {
            std::fprintf(out_, "\\u%04x", c);
        } else {
            std::fputc(c, out_);
        }
    }
    std::fputc('"', out_);
}
