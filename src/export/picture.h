// picture.h - PNG and PDF of the page, drawn in process by the smooth renderer
// from the scene, so that they show what the screen and the SVG show.
//
// A PNG is the page at a resolution in dots per inch (96 by default): opaque,
// in the paper colour, each side the page's length in inches times the
// resolution, rounded; the palette's colours come out exactly where a shape
// covers whole pixels. A PDF is one page of exactly the paper's size in points,
// with its fonts embedded (so its text can be selected and searched).
//
//   PICTUREDPI                   the PNG resolution when none is asked for
//   MAXPICTUREDPI                the highest resolution accepted
//   picturesize(scene, dpi, &w, &h)   the PNG's size in pixels; false when it is
//                                too large to make (either side above 32767, or
//                                more than 2^28 pixels)
//   scenepng(scene, dpi, &bytes, &message)   the PNG file's bytes
//   scenepdf(scene, &bytes, &message)        the PDF file's bytes
//   writepicture(path, format, scene, dpi, &message)
//                                write the PNG or PDF to path through a temporary
//                                file renamed over it; 1 done, 0 with message set
//                                (nothing of the old file is lost)
#pragma once
#include "export/format.h"
#include "scene/scene.h"

#include <cstdint>
#include <string>
#include <vector>

constexpr int PICTUREDPI = 96;
constexpr int MAXPICTUREDPI = 2400;

bool picturesize(const Scene &scene, int dpi, int *w, int *h);
bool scenepng(const Scene &scene, int dpi, std::vector<uint8_t> *bytes, std::string *message);
bool scenepdf(const Scene &scene, std::vector<uint8_t> *bytes, std::string *message);
int writepicture(const std::string &path, ExportFormat format, const Scene &scene, int dpi,
                 std::string *message);
