#include "image/PngFile.hpp"

#include <png.h>

#include <cstring>

namespace ox::image {

std::optional<rgba_image_t> PngFile::read(const std::filesystem::path& path, std::string& error) {
    png_image png;
    std::memset(&png, 0, sizeof png);
    png.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_file(&png, path.c_str()) == 0) {
        error = path.string() + ": " + png.message;
        return std::nullopt;
    }
    png.format = PNG_FORMAT_RGBA;
    rgba_image_t image;
    image.width = static_cast<int>(png.width);
    image.height = static_cast<int>(png.height);
    image.pixels.resize(PNG_IMAGE_SIZE(png));
    if (png_image_finish_read(&png, nullptr, image.pixels.data(), 0, nullptr) == 0) {
        error = path.string() + ": " + png.message;
        png_image_free(&png);
        return std::nullopt;
    }
    return image;
}

bool PngFile::write(const std::filesystem::path& path, const rgba_image_t& image,
                    std::string& error) {
    if (image.isEmpty() ||
        image.pixels.size() != static_cast<std::size_t>(image.width) * image.height * 4u) {
        error = path.string() + ": no picture to write";
        return false;
    }
    png_image png;
    std::memset(&png, 0, sizeof png);
    png.version = PNG_IMAGE_VERSION;
    png.width = static_cast<png_uint_32>(image.width);
    png.height = static_cast<png_uint_32>(image.height);
    png.format = PNG_FORMAT_RGBA;
    if (png_image_write_to_file(&png, path.c_str(), 0, image.pixels.data(), 0, nullptr) == 0) {
        error = path.string() + ": " + png.message;
        return false;
    }
    return true;
}

} // namespace ox::image
