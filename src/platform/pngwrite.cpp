// pngwrite.cpp - palette PNG writing (our own run encoder) and reading (libpng).
//
// libpng reports errors by longjmp; the reading parts that can jump work only
// on plain data owned by their caller, so no C++ object is skipped over.
#include "platform/pngwrite.h"

#include "platform/palette.h"

#include <png.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

// Largest width, height and pixel count accepted when reading.
constexpr int MAXPNGSIDE = 65535;
constexpr size_t MAXPNGPIXELS = (size_t)1 << 28;

// libpng's errors end the operation without a message (the caller reports
// failure); its warnings are ignored.
void pngerror(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void pngwarning(png_structp, png_const_charp) {}

// ---- Colour pictures ----
//
// The smooth pictures are written by libpng at its fastest compression: their
// anti-aliased edges leave few long runs, and a picture is written once.

void appendpng(png_structp png, png_bytep data, png_size_t n) {
    auto *out = (std::vector<uint8_t> *)png_get_io_ptr(png);
    out->insert(out->end(), data, data + n);
}
void flushpng(png_structp) {}

// The encoding proper; rows are plain data, so libpng's longjmp skips nothing.
bool encoderows(png_structp png, png_infop info, const uint8_t *rows, int w, int h, size_t stride,
                bool alpha, std::vector<uint8_t> *out) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_set_write_fn(png, out, appendpng, flushpng);
    png_set_IHDR(png, info, (png_uint_32)w, (png_uint_32)h, 8,
                 alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_compression_level(png, 1);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_SUB);
    png_write_info(png, info);
    for (int y = 0; y < h; y++) png_write_row(png, (png_const_bytep)(rows + (size_t)y * stride));
    png_write_end(png, info);
    return true;
}

// ---- Writing ----
//
// Renders are large (two million pixels for a full-screen window) but made of
// long runs of one pen and of rows repeating the row above. A general-purpose
// compressor spends most of its time searching such data for matches, so the
// writer encodes the runs itself: one deflate block with the fixed Huffman
// codes, in which a run is a literal followed by copies at distance 1, and a
// row equal to the one above (filter byte included) is a copy at distance
// width + 1. The Adler-32 checksum of a run is computed in closed form, so the
// cost grows with the number of runs, not of pixels. The result is an ordinary
// palette PNG (filter type 0 on every row).

// CRC-32 of PNG chunks (polynomial 0xEDB88320).
uint32_t crc32update(uint32_t crc, const uint8_t *p, size_t n) {
    static const struct Table {
        uint32_t t[256];
        Table() {
            for (uint32_t i = 0; i < 256; i++) {
                uint32_t c = i;
                for (int k = 0; k < 8; k++) c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
                t[i] = c;
            }
        }
    } table;
    crc = ~crc;
    for (size_t i = 0; i < n; i++) crc = table.t[(crc ^ p[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

// The zlib stream of the image data, written out as IDAT chunks.
class IdatWriter {
  public:
    explicit IdatWriter(FILE *f) : f(f) {}

    // Bits, least significant first.
    void bits(uint32_t v, int n) {
        acc |= (uint64_t)v << nacc;
        nacc += n;
        while (nacc >= 8) {
            buf.push_back((uint8_t)acc);
            acc >>= 8;
            nacc -= 8;
        }
        if (buf.size() >= 65536) chunk();
    }
    // A Huffman code of n (at most 9) bits, most significant bit first.
    void code(uint32_t c, int n) {
        static const struct Reversed {
            uint16_t r[512];
            Reversed() {
                for (uint32_t v = 0; v < 512; v++) {
                    r[v] = 0;
                    for (int i = 0; i < 9; i++) r[v] |= (uint16_t)(((v >> i) & 1) << (8 - i));
                }
            }
        } rev;
        bits(rev.r[c] >> (9 - n), n);
    }
    // One literal byte, fixed codes.
    void literal(int v) {
        if (v < 144)
            code(0x30 + (uint32_t)v, 8);
        else
            code(0x190 + (uint32_t)(v - 144), 9);
    }
    // A copy of len (3 to 258) bytes from dist (1 to 32768) back.
    void copy(int len, int dist) {
        static const int lbase[29] = {3,  4,  5,  6,   7,   8,   9,   10,  11, 13,
                                      15, 17, 19, 23,  27,  31,  35,  43,  51, 59,
                                      67, 83, 99, 115, 131, 163, 195, 227, 258};
        static const int lextra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                       2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
        int k = 28;
        while (lbase[k] > len) k--;
        int sym = 257 + k;
        if (sym < 280)
            code((uint32_t)(sym - 256), 7);
        else
            code((uint32_t)(0xC0 + sym - 280), 8);
        bits((uint32_t)(len - lbase[k]), lextra[k]);
        int dcode = 0, dbase = 1, dextra = 0;
        if (dist > 4) {
            int e = 1;
            while ((2 << (e + 1)) < dist) e++;
            // Distance codes 2e + 2 and 2e + 3 cover 2^(e+1) + 1 .. 2^(e+2).
            int half = (1 << (e + 1)) + 1 + (1 << e);
            dcode = dist >= half ? 2 * e + 3 : 2 * e + 2;
            dbase = dist >= half ? half : (1 << (e + 1)) + 1;
            dextra = e;
        } else {
            dcode = dist - 1;
            dbase = dist;
        }
        code((uint32_t)dcode, 5);
        bits((uint32_t)(dist - dbase), dextra);
    }
    // n bytes equal to the byte before them (n of them already output).
    void repeat(int64_t n, int dist) {
        while (n > 0) {
            if (n < 3) {
                // Too short for a copy: the bytes themselves, which the
                // caller names through last.
                for (int64_t i = 0; i < n; i++) literal(last);
                return;
            }
            int len = (int)std::min<int64_t>(n, 258);
            if (n - len > 0 && n - len < 3) len -= 3; // leave a copy's worth
            copy(len, dist);
            n -= len;
        }
    }
    // Ends the stream (the block, then the checksum) and writes the rest.
    void finish(uint32_t adler) {
        code(0, 7); // end of block
        if (nacc > 0) bits(0, 8 - nacc);
        for (int s = 24; s >= 0; s -= 8) buf.push_back((uint8_t)(adler >> s));
        chunk();
    }
    bool ok() const { return good; }
    int last = 0; // byte a short repeat writes as literals

  private:
    void chunk() {
        if (buf.empty()) return;
        uint8_t head[8] = {(uint8_t)(buf.size() >> 24),
                           (uint8_t)(buf.size() >> 16),
                           (uint8_t)(buf.size() >> 8),
                           (uint8_t)buf.size(),
                           'I',
                           'D',
                           'A',
                           'T'};
        uint32_t crc = crc32update(crc32update(0, head + 4, 4), buf.data(), buf.size());
        uint8_t tail[4] = {(uint8_t)(crc >> 24), (uint8_t)(crc >> 16), (uint8_t)(crc >> 8),
                           (uint8_t)crc};
        if (std::fwrite(head, 1, 8, f) != 8 ||
            std::fwrite(buf.data(), 1, buf.size(), f) != buf.size() ||
            std::fwrite(tail, 1, 4, f) != 4)
            good = false;
        buf.clear();
    }
    FILE *f;
    std::vector<uint8_t> buf;
    uint64_t acc = 0;
    int nacc = 0;
    bool good = true;
};

// Adler-32 over runs of equal bytes.
struct Adler {
    static constexpr uint64_t MOD = 65521;
    uint64_t a = 1, b = 0;
    void run(uint64_t v, uint64_t n) {
        // b gains n a + v (1 + 2 + ... + n); a gains n v.
        uint64_t p = n, q = n + 1;
        if (p % 2 == 0)
            p /= 2;
        else
            q /= 2;
        uint64_t tri = (p % MOD) * (q % MOD) % MOD;
        b = (b + (n % MOD) * a + v * tri) % MOD;
        a = (a + (n % MOD) * v) % MOD;
    }
    uint32_t value() const { return (uint32_t)(b << 16 | a); }
};

// A run of equal pens in a row.
struct Run {
    int start, len;
};

// The runs of one row.
void rowruns(const uint8_t *row, int w, std::vector<Run> &runs) {
    runs.clear();
    int x = 0;
    while (x < w) {
        uint8_t v = row[x];
        int e = x + 1;
        // Eight pens at a time while they all equal v.
        uint64_t rep = 0x0101010101010101ull * v;
        while (e + 8 <= w) {
            uint64_t word;
            std::memcpy(&word, row + e, 8);
            if (word != rep) break;
            e += 8;
        }
        while (e < w && row[e] == v) e++;
        runs.push_back({x, e - x});
        x = e;
    }
}

void put32(uint8_t *p, uint32_t v) {
    p[0] = (uint8_t)(v >> 24);
    p[1] = (uint8_t)(v >> 16);
    p[2] = (uint8_t)(v >> 8);
    p[3] = (uint8_t)v;
}

// Writes one chunk whose data is small.
bool smallchunk(FILE *f, const char *type, const uint8_t *data, size_t n) {
    uint8_t head[8];
    put32(head, (uint32_t)n);
    std::memcpy(head + 4, type, 4);
    uint32_t crc = crc32update(crc32update(0, head + 4, 4), data, n);
    uint8_t tail[4];
    put32(tail, crc);
    return std::fwrite(head, 1, 8, f) == 8 && (n == 0 || std::fwrite(data, 1, n, f) == n) &&
           std::fwrite(tail, 1, 4, f) == 4;
}

bool writerows(FILE *f, const uint8_t *pixels, int w, int h) {
    static const uint8_t signature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    uint8_t ihdr[13] = {};
    put32(ihdr, (uint32_t)w);
    put32(ihdr + 4, (uint32_t)h);
    ihdr[8] = 8; // bits per pixel
    ihdr[9] = 3; // palette
    uint8_t plte[768];
    for (int i = 0; i < 256; i++) {
        plte[3 * i] = (uint8_t)(ScreenPalette[i] >> 16);
        plte[3 * i + 1] = (uint8_t)(ScreenPalette[i] >> 8);
        plte[3 * i + 2] = (uint8_t)ScreenPalette[i];
    }
    if (std::fwrite(signature, 1, 8, f) != 8 || !smallchunk(f, "IHDR", ihdr, 13) ||
        !smallchunk(f, "PLTE", plte, sizeof plte))
        return false;

    IdatWriter out(f);
    out.bits(0x78, 8); // zlib header: deflate, 32K window, no dictionary
    out.bits(0x01, 8);
    out.bits(1, 1); // the last block
    out.bits(1, 2); // fixed Huffman codes
    Adler adler;
    std::vector<Run> runs;
    const bool rowcopies = w >= 2 && (int64_t)w + 1 <= 32768;
    for (int y = 0; y < h; y++) {
        const uint8_t *row = pixels + (size_t)y * (size_t)w;
        bool same = y > 0 && rowcopies && std::memcmp(row, row - w, (size_t)w) == 0;
        if (!same) rowruns(row, w, runs);
        adler.run(0, 1); // the filter byte
        for (const Run &r : runs) adler.run(row[r.start], (uint64_t)r.len);
        if (same) {
            out.last = row[w - 1];
            // Filter byte and row as one copy of the previous line.
            int64_t n = (int64_t)w + 1;
            while (n > 0) {
                int len = (int)std::min<int64_t>(n, 258);
                if (n - len > 0 && n - len < 3) len -= 3;
                out.copy(len, w + 1);
                n -= len;
            }
            continue;
        }
        out.literal(0);
        for (const Run &r : runs) {
            out.literal(row[r.start]);
            out.last = row[r.start];
            out.repeat(r.len - 1, 1);
        }
    }
    out.finish(adler.value());
    return out.ok() && smallchunk(f, "IEND", nullptr, 0);
}

// What readfile finds besides the pixels.
struct ReadState {
    int w = 0, h = 0;
    uint32_t palette[256] = {};
};

// Reads a PNG from f; the pixel buffer comes from alloc once the size is known.
bool readfile(FILE *f, ReadState *st, uint8_t *(*alloc)(void *, size_t), void *allocarg) {
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, pngerror, pngwarning);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    png_set_user_limits(png, MAXPNGSIDE, MAXPNGSIDE);
    png_init_io(png, f);
    png_read_info(png, info);
    png_uint_32 w = 0, h = 0;
    int depth = 0, ctype = 0, interlace = 0;
    png_get_IHDR(png, info, &w, &h, &depth, &ctype, &interlace, nullptr, nullptr);
    bool ok = (ctype == PNG_COLOR_TYPE_PALETTE && depth <= 8) ||
              (ctype == PNG_COLOR_TYPE_GRAY && depth == 8);
    if (!ok || interlace != PNG_INTERLACE_NONE || (size_t)w * h > MAXPNGPIXELS) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    if (depth < 8) png_set_packing(png); // one byte per index, values kept
    png_read_update_info(png, info);
    if (ctype == PNG_COLOR_TYPE_PALETTE) {
        png_colorp plte = nullptr;
        int n = 0;
        if (png_get_PLTE(png, info, &plte, &n) & PNG_INFO_PLTE)
            for (int i = 0; i < n && i < 256; i++)
                st->palette[i] =
                    ((uint32_t)plte[i].red << 16) | ((uint32_t)plte[i].green << 8) | plte[i].blue;
    }
    st->w = (int)w;
    st->h = (int)h;
    uint8_t *out = alloc(allocarg, (size_t)w * (size_t)h);
    if (!out) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    for (png_uint_32 y = 0; y < h; y++) png_read_row(png, out + (size_t)y * w, nullptr);
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
}

uint8_t *allocvector(void *arg, size_t n) {
    std::vector<uint8_t> *v = (std::vector<uint8_t> *)arg;
    try {
        v->assign(n, 0);
    } catch (...) {
        return nullptr;
    }
    return v->data();
}

} // namespace

bool writepenpngdata(const char *path, const uint8_t *pixels, int w, int h) {
    if (!path || !pixels || w <= 0 || h <= 0) return false;
    FILE *f = std::fopen(path, "wb");
    if (!f) return false;
    bool ok = writerows(f, pixels, w, h);
    if (std::fclose(f) != 0) ok = false;
    if (!ok) std::remove(path);
    return ok;
}

bool writepenpng(const char *path, const Raster *rp) {
    if (!rp) return false;
    return writepenpngdata(path, rp->Pixels.data(), rp->Width, rp->Height);
}

bool readpenpng(const char *path, int *w, int *h, std::vector<uint8_t> *pixels, uint32_t *palette) {
    if (!path || !pixels) return false;
    FILE *f = std::fopen(path, "rb");
    if (!f) return false;
    ReadState st;
    std::vector<uint8_t> data;
    bool ok = readfile(f, &st, allocvector, &data);
    std::fclose(f);
    if (!ok) return false;
    if (w) *w = st.w;
    if (h) *h = st.h;
    *pixels = std::move(data);
    if (palette) std::memcpy(palette, st.palette, sizeof st.palette);
    return true;
}

bool encodecolourpng(const uint8_t *rows, int w, int h, size_t stride, bool alpha,
                     std::vector<uint8_t> *out) {
    if (!rows || !out || w <= 0 || h <= 0 || w > MAXPNGSIDE || h > MAXPNGSIDE) return false;
    out->clear();
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, pngerror, pngwarning);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    bool ok = info && encoderows(png, info, rows, w, h, stride, alpha, out);
    png_destroy_write_struct(&png, info ? &info : nullptr);
    if (!ok) out->clear();
    return ok;
}
