// The saver's own pictures: the preview's (bitmap 112) and the
// configuration dialog's (bitmap 107), PNG files rendered from a frame of
// the journey when the program is built, kept beside the program or, once
// installed, in its share directory.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

constexpr char kPreviewPictureFile[] = "vantorel-preview.png";  // 155 x 115
constexpr char kDialogPictureFile[] = "vantorel-dialog.png";    // 4:3, cut to the dialog's picture frame

constexpr int kPreviewPictureWidth = 155;
constexpr int kPreviewPictureHeight = 115;

struct RgbPicture {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;  // rows top-down, three bytes a pixel
};

// The path of one of the pictures: beside the program, else in the data
// directory that the settings default to; the first of them when neither
// holds it.
std::string findSaverPicture(const std::string& fileName);

// Reads any PNG as 8-bit RGB (alpha dropped). False, leaving the picture as
// it was, when the file is missing, malformed or too large.
bool loadRgbPicture(const std::string& path, RgbPicture& out);
