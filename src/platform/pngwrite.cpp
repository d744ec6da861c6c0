// pngwrite.cpp - palette PNG writing and reading with libpng.
//
// libpng reports errors by longjmp; the parts that can jump work only on plain
// data owned by their caller, so no C++ object is skipped over.
#include "platform/pngwrite.h"

#include "platform/palette.h"

#include <png.h>

#include <cstdio>
#include <cstring>

namespace {

// Largest width, height and pixel count accepted when reading.
constexpr int MAXPNGSIDE = 65535;
constexpr size_t MAXPNGPIXELS = (size_t)1 << 28;

// libpng's errors end the operation without a message (the caller reports
// failure); its warnings are ignored.
void pngerror(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}
void pngwarning(png_structp, png_const_charp) {}

bool writerows(FILE *f, const uint8_t *pixels, int w, int h) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, pngerror, pngwarning);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, f);
    png_set_IHDR(png, info, (png_uint_32)w, (png_uint_32)h, 8, PNG_COLOR_TYPE_PALETTE,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_color plte[256];
    for (int i = 0; i < 256; i++) {
        uint32_t c = ScreenPalette[i];
        plte[i].red = (png_byte)(c >> 16);
        plte[i].green = (png_byte)(c >> 8);
        plte[i].blue = (png_byte)c;
    }
    png_set_PLTE(png, info, plte, 256);
    png_write_info(png, info);
    for (int y = 0; y < h; y++)
        png_write_row(png, (png_const_bytep)(pixels + (size_t)y * (size_t)w));
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
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
    for (png_uint_32 y = 0; y < h; y++)
        png_read_row(png, out + (size_t)y * w, nullptr);
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
