#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "tessik/ImageView.h"

namespace velmar::cli {

// 8-bit pixels in memory, row after row, `channels` samples per pixel (1 grey, 2 grey and
// alpha, 3 RGB, 4 RGBA).
struct Pixels {
    std::uint64_t width = 0;
    std::uint64_t height = 0;
    std::uint32_t channels = 0;
    std::vector<std::uint8_t> samples;
};

// Reads PNG, PPM (P6), PGM (P5) or PAM (P7) files, chosen by their first bytes. Anything
// else, 16-bit samples included, throws tessik::Error with the reason.
Pixels readPicture(const std::string& path);

// Writes PPM (RGB; alpha dropped), PAM (RGB or RGB_ALPHA) or PNG, by `format` ("ppm",
// "pam", "png"), to `path`. Failures throw tessik::Error.
void writePicture(const Pixels& pixels, const std::string& format, const std::string& path);

// The pixels as an in-memory image with the interpretation and alpha their channel count
// implies.
std::shared_ptr<tessik::ImageView> toImage(const Pixels& pixels);

}  // namespace velmar::cli
