// usericon.h - the tool-button picture of a user object.
//
// The template is placed as a user object in the shadow record, written as
// an SVG with its outlines three times as heavy (so that they survive the
// shrinking), and converted by svg2png into a PNG of button size: 40 x 40
// pixels with the large icon set, 24 x 24 with the others, keeping the aspect
// ratio. Every picture gets a fresh file in the per-user temporary directory,
// so remaking one never replaces a picture still shown on another button.
//
//   usericonsvg(k)          the SVG text of slot k's picture; the shadow record
//                           must hold the user object (as createUserIWOicon does)
//   createUserIWOicon(k)    make slot k's picture, put it on its tool button,
//                           make the tool the current one and show the palette's
//                           "U" page; a failed conversion is reported and the
//                           button is usable without a picture. Returns 1.
#pragma once
#include <string>

std::string usericonsvg(int k);
int createUserIWOicon(int k);
