// usericon.h - the tool-button picture of a user object.
//
// The template is placed as a user object in the shadow record and drawn by
// the smooth renderer, its outlines three times as heavy (so that they survive
// the shrinking), into a PNG of button size with a transparent background:
// 40 x 40 pixels with the large icon set, 24 x 24 with the others, keeping the
// aspect ratio. No program is run. Every picture gets a fresh file in the per-user temporary
// directory, so remaking one never replaces a picture still shown on another button.
//
//   usericonsvg(k)          the SVG text of slot k's picture; the shadow record
//                           must hold the user object (as createUserIWOicon does)
//   usericonpng(shadow, side, &png)  the picture of the user object in shadow, its
//                           longer side `side` pixels; false when it has no size
//   createUserIWOicon(k)    make slot k's picture, put it on its tool button,
//                           make the tool the current one and show the palette's
//                           "U" page; a failed conversion is reported and the
//                           button is usable without a picture. Returns 1.
#pragma once
#include "model/iwo.h"

#include <cstdint>
#include <string>
#include <vector>

std::string usericonsvg(int k);
bool usericonpng(const IWORecord &shadow, int side, std::vector<uint8_t> *png);
int createUserIWOicon(int k);
