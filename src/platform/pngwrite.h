// pngwrite.h - pen rasters as palette PNG files.
//
// A raster is written as an 8-bit palette PNG (colour type 3) whose pixel
// values are the pen numbers and whose palette is the screen palette, so the
// file shows the window's picture and still holds the exact pens. Reading gives
// back the pen numbers; it is used to compare renders with stored images.
//
// Public functions:
//   writepenpng(path, rp)                        write rp; false on any error
//   writepenpngdata(path, pixels, w, h)          write w x h pen bytes; false on any error
//   encodecolourpng(rows, w, h, stride, alpha, &out)
//                                                8-bit RGB rows (alpha: RGBA rows) as a
//                                                PNG in memory, compressed for speed;
//                                                false on any error
//   readpenpng(path, &w, &h, &pixels, palette)   read a palette (or 8-bit grey) PNG's
//                                                pixel values; palette (256 entries,
//                                                0xRRGGBB, may be null) gets its
//                                                palette, unused entries 0; false on
//                                                any error or another kind of PNG
#pragma once
#include "platform/raster.h"

#include <cstddef>
#include <cstdint>
#include <vector>

bool writepenpng(const char *path, const Raster *rp);
bool writepenpngdata(const char *path, const uint8_t *pixels, int w, int h);
bool encodecolourpng(const uint8_t *rows, int w, int h, size_t stride, bool alpha,
                     std::vector<uint8_t> *out);
bool readpenpng(const char *path, int *w, int *h, std::vector<uint8_t> *pixels, uint32_t *palette);
