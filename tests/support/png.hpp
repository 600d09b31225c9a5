// Writing a picture as a PNG file, for the screenshot the README shows.
// Self-contained: a small deflate coder that finds the runs a window of
// flat panels and buttons is made of, so no image library is needed.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// rgb holds height rows of width pixels, top row first, three bytes each.
// False when the file cannot be written.
bool writePng(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb);
