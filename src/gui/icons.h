// icons.h - the pictures of the toolbar and palette buttons.
//
// Toolbar pictures are the program's own icon files: an Icon entry names a
// file relative to the data directory without its extension (.svg or .png);
// a set that lacks a picture falls back to the large set (icons/large/ and
// the entry's base name, the part after the last '/' or ':'). The selected
// image is the name with "_s" appended when that file exists, else the normal
// picture on the highlight colour. Icon set 2 takes the picture from the
// desktop's icon theme where the theme has one. Tool pictures are drawn by the
// renderer from each type's default object.
//
//   iconpixels(set)                 button picture size: 40 large (0), 24 small (1), 32 theme (2)
//   iconbase(name)                  the base name of an icon file name
//   imagefile(name, size)           the picture of an icon file name; null when there is none
//   toolbarimage(name, size, set)   a toolbar button's normal picture (theme first for set 2)
//   selectedimage(name, normal, size)  its selected picture ("_s" file or the generated look)
//   selectedlook(picture)           a picture on the highlight colour
//   toolimage(type, size)           a palette tool's picture from the renderer; null if none
//   penimage(rp)                    a pen raster through the screen palette, pen 0 transparent
//   themehasicons()                 the desktop's icon theme has every toolbar picture asked of it
//   iconratio()                     the screen's device pixel ratio: pictures are drawn in
//                                   that many device pixels per window pixel, so they stay sharp
//   darkdesktop(palette)            the palette's windows are dark
//   readable(picture, palette)      the picture on a light plate under a dark palette,
//                                   else as it is
#pragma once
#include <QImage>
#include <QPixmap>
#include <QString>

struct Raster;

int iconpixels(int set);
QString iconbase(const char *name);
QPixmap imagefile(const char *name, int size);
QPixmap toolbarimage(const char *name, int size, int set);
QPixmap selectedimage(const char *name, const QPixmap &normal, int size);
QPixmap selectedlook(const QPixmap &picture);
QPixmap toolimage(int type, int size);
QImage penimage(const Raster *rp);
bool themehasicons();
double iconratio();
class QPalette;
bool darkdesktop(const QPalette &palette);
QPixmap readable(const QPixmap &picture, const QPalette &palette);
