#pragma once

#include "image/rgba_image_t.hpp"

#include <filesystem>
#include <optional>
#include <string>

namespace ox::image {

// Reading and writing PNG files as 8-bit RGBA through libpng. Failures are
// returned as a one-line reason in `error`, never thrown.
struct PngFile {
    // The picture in `path` converted to RGBA, or nothing when the file is
    // missing or not a PNG.
    static std::optional<rgba_image_t> read(const std::filesystem::path& path, std::string& error);
    // Writes `image` to `path` (replacing it); false when the image is empty
    // or inconsistent or the file cannot be written. The same picture always
    // gives the same bytes.
    static bool write(const std::filesystem::path& path, const rgba_image_t& image,
                      std::string& error);
};

} // namespace ox::image
