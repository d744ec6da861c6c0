// bytes.h - big-endian byte helpers for the record layouts.
//
// Every record that reaches a file (object records, diagram records,
// preferences) is written and read field by field through these helpers,
// never by copying a struct. All multi-byte integers are big-endian.
//
//   get2byte(p)        signed 16-bit value at p
//   getu2byte(p)       unsigned 16-bit value at p
//   get4byte(p)        unsigned 32-bit value at p
//   put2byte(p, v)     store the low 16 bits of v at p
//   put4byte(p, v)     store 32 bits at p
//   copytext(d, n, s)  copy NUL-terminated s into a field of n bytes, always terminated
//   textlen(s, n)      length of a text field of n bytes, even without a NUL
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>

inline int16_t get2byte(const uint8_t *p) { return (int16_t)(uint16_t)((p[0] << 8) | p[1]); }
inline uint16_t getu2byte(const uint8_t *p) { return (uint16_t)((p[0] << 8) | p[1]); }
inline uint32_t get4byte(const uint8_t *p) {
    return ((uint32_t)p[0] << 24) | ((uint32_t)p[1] << 16) | ((uint32_t)p[2] << 8) | p[3];
}
inline void put2byte(uint8_t *p, int v) {
    p[0] = (uint8_t)((unsigned)v >> 8);
    p[1] = (uint8_t)v;
}
inline void put4byte(uint8_t *p, uint32_t v) {
    p[0] = (uint8_t)(v >> 24);
    p[1] = (uint8_t)(v >> 16);
    p[2] = (uint8_t)(v >> 8);
    p[3] = (uint8_t)v;
}

// Length of the text in a fixed field: stops at the first NUL or at the field's end.
inline size_t textlen(const char *s, size_t n) {
    const void *z = std::memchr(s, 0, n);
    return z ? (size_t)((const char *)z - s) : n;
}

// Copies text into a fixed field of n bytes; the result is always NUL-terminated
// (at most n-1 characters). Bytes after the terminator are left as they were, so
// that fields read from a file keep their bytes where the program never writes.
inline void copytext(char *dst, size_t n, const char *src) {
    if (n == 0) return;
    size_t l = std::strlen(src);
    if (l > n - 1) l = n - 1;
    std::memmove(dst, src, l);
    dst[l] = 0;
}

// Copies a fixed field into another fixed field (both may lack a terminator).
inline void copyfield(char *dst, size_t dn, const char *src, size_t sn) {
    if (dn == 0) return;
    size_t l = textlen(src, sn);
    if (l > dn - 1) l = dn - 1;
    std::memmove(dst, src, l);
    dst[l] = 0;
}
