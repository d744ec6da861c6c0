// palette.h - the screen palette: the RGB colour of every pen.
//
// Pens are palette indices; a pen value is always reduced to its low 8 bits.
// The palette has 256 entries and never changes, because stored diagrams keep
// pen numbers, not colours:
//   0..15     fixed entries (backboard, black, white, highlight, ...)
//   16..31    16 greys, evenly spaced from dark to light (0x08, 0x18, ... 0xF8,
//             chosen so that no grey is the complement of another entry)
//   32..127   12 hues 30 degrees apart (red first), 8 shades each, dark to light
//   128..255  entry 255-i is the RGB complement of entry i, so drawing in
//             complement mode (pen XOR 0xFF) always shows as a visible inversion
//
// Public functions:
//   penrgb(pen)               0xRRGGBB of the pen's low 8 bits
//   penrgb3(pen, &r, &g, &b)  the same as three 0..255 components
#pragma once
#include <array>
#include <cstdint>

// The screen palette, 0xRRGGBB per pen.
extern const std::array<uint32_t, 256> ScreenPalette;

uint32_t penrgb(int pen);
void penrgb3(int pen, int *r, int *g, int *b);
