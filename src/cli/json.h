// json.h - a small JSON writer for the command-line tool's reports.
//
//   JsonWriter w(out)        write to a stdio stream
//   w.beginobject(key) / w.endobject()
//   w.beginarray(key, oneline) / w.endarray()   oneline: members on one line
//   w.number(key, v)         an integer member (key nullptr inside arrays)
//   w.text(key, s, n)        a text field of at most n bytes, ISO-8859-1 decoded
//   w.filename(key, s, n)    a file name field of at most n bytes, shown by the rule
//                            for file names (filenametext)
#pragma once
#include <cstddef>
#include <cstdio>
#include <string>
#include <vector>

class JsonWriter {
  public:
    explicit JsonWriter(FILE *out) : out_(out) {}
    void beginobject(const char *key = nullptr);
    void endobject() { close('}'); }
    void beginarray(const char *key = nullptr, bool oneline = false);
    void endarray() { close(']'); }
    void number(const char *key, long v);
    void text(const char *key, const char *s, size_t n);
    void filename(const char *key, const char *s, size_t n);
    void finish() { std::fputc('\n', out_); }

  private:
    void member(const char *key);
    void close(char bracket);
    void utf8(const std::string &t); // a quoted string of UTF-8 text
    FILE *out_;
    std::vector<bool> first_ = {true};    // per open container: no member written yet
    std::vector<bool> oneline_ = {false}; // per open container: members on one line
    int depth_ = 0;
};
