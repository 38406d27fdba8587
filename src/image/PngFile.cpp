#include "image/PngFile.hpp"

#include "platform/FileAccess.hpp"
#include "platform/Utf8Path.hpp"

#include <png.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <system_error>

namespace ox::image {

std::optional<rgba_image_t> PngFile::read(const std::filesystem::path& path, std::string& error) {
    png_image png;
    std::memset(&png, 0, sizeof png);
    png.version = PNG_IMAGE_VERSION;
    // Opened here rather than by libpng, which takes narrow names only.
    std::FILE* file = platform::openFile(path, "rb");
    if (file == nullptr) {
        error = platform::utf8FromPath(path) + ": " + std::strerror(errno);
        return std::nullopt;
    }
    const auto fail = [&] {
        error = platform::utf8FromPath(path) + ": " + png.message;
        png_image_free(&png);
        std::fclose(file);
        return std::nullopt;
    };
    if (png_image_begin_read_from_stdio(&png, file) == 0) {
        return fail();
    }
    png.format = PNG_FORMAT_RGBA;
    rgba_image_t image;
    image.width = static_cast<int>(png.width);
    image.height = static_cast<int>(png.height);
    image.pixels.resize(PNG_IMAGE_SIZE(png));
    if (png_image_finish_read(&png, nullptr, image.pixels.data(), 0, nullptr) == 0) {
        return fail();
    }
    std::fclose(file);
    return image;
}

bool PngFile::write(const std::filesystem::path& path, const rgba_image_t& image,
                    std::string& error) {
    if (image.isEmpty() ||
        image.pixels.size() != static_cast<std::size_t>(image.width) * image.height * 4u) {
        error = platform::utf8FromPath(path) + ": no picture to write";
        return false;
    }
    png_image png;
    std::memset(&png, 0, sizeof png);
    png.version = PNG_IMAGE_VERSION;
    png.width = static_cast<png_uint_32>(image.width);
    png.height = static_cast<png_uint_32>(image.height);
    png.format = PNG_FORMAT_RGBA;
    std::FILE* file = platform::openFile(path, "wb");
    if (file == nullptr) {
        error = platform::utf8FromPath(path) + ": " + std::strerror(errno);
        return false;
    }
    const bool written =
        png_image_write_to_stdio(&png, file, 0, image.pixels.data(), 0, nullptr) != 0;
    const std::string reason = written ? std::string() : std::string(png.message);
    const bool flushed = std::fflush(file) == 0;
    const int flushError = errno;
    const bool closed = std::fclose(file) == 0;
    if (written && flushed && closed) {
        return true;
    }
    // As libpng does for the files it opens: no half-written picture stays.
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
    error = platform::utf8FromPath(path) + ": " +
            (!written ? reason : std::string(std::strerror(flushed ? errno : flushError)));
    return false;
}

} // namespace ox::image
