#pragma once

#include <cstdint>
#include <vector>

namespace ox::image {

// An 8-bit RGBA picture, rows from the top down, four bytes per pixel. A value
// type: copies own their pixels.
struct rgba_image_t {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;

    bool isEmpty() const { return width <= 0 || height <= 0; }
};

} // namespace ox::image
