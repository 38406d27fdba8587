#include "harness/FrameCapture.hpp"

#include "image/PngFile.hpp"

#include <fmt/format.h>

#include <algorithm>
#include <cstring>
#include <utility>

namespace ox::harness {

using core::logger::ELogLevel;

FrameCapture::FrameCapture(std::filesystem::path directory, std::vector<std::uint32_t> frames,
                           std::shared_ptr<core::logger::ILogApi> log)
    : directory(std::move(directory))
    , frames(std::move(frames))
    , log(std::move(log)) {}

void FrameCapture::attach(const app::LoggingContext& logging, const app::RendererContext&) {
    if (log == nullptr) {
        log = logging.mainLog;
    }
}

void FrameCapture::frameDrawn(std::uint32_t frame, renderer::IRenderingApi& api,
                              const renderer::IRendererWindow& window) {
    if (wants(frame)) {
        capture(frame, api, window.getSize());
    }
}

bool FrameCapture::wants(std::uint32_t frame) const {
    return std::binary_search(frames.begin(), frames.end(), frame);
}

std::filesystem::path FrameCapture::fileFor(std::uint32_t frame) const {
    return directory / fmt::format("frame-{}.png", frame);
}

bool FrameCapture::capture(std::uint32_t frame, renderer::IRenderingApi& api,
                           const renderer::dimension_t& size) const {
    std::string error;
    if (writeWindow(fileFor(frame), api, size, error)) {
        return true;
    }
    const std::string text = fmt::format("Frame {} not captured: {}", frame, error);
    if (log != nullptr && log->isEnabled(ELogLevel::Error)) {
        log->log(ELogLevel::Error, text);
    }
    return false;
}

bool FrameCapture::writeWindow(const std::filesystem::path& file, renderer::IRenderingApi& api,
                               const renderer::dimension_t& size, std::string& error) {
    image::rgba_image_t picture;
    picture.width = size.width;
    picture.height = size.height;
    if (picture.isEmpty()) {
        error = fmt::format("the window is {}x{}.", size.width, size.height);
        return false;
    }
    std::vector<std::uint8_t> rows(static_cast<std::size_t>(size.width) * size.height * 4u);
    if (!api.readPixels({0, 0}, {size.width, size.height}, rows)) {
        error = "the pixels could not be read.";
        return false;
    }
    // GL hands the bottom row first, PNG wants the top row first. The
    // window's alpha is never shown, so the file is opaque like the window.
    const std::size_t stride = static_cast<std::size_t>(size.width) * 4u;
    picture.pixels.resize(rows.size());
    for (int y = 0; y < size.height; ++y) {
        std::memcpy(&picture.pixels[static_cast<std::size_t>(y) * stride],
                    &rows[static_cast<std::size_t>(size.height - 1 - y) * stride], stride);
    }
    for (std::size_t alpha = 3; alpha < picture.pixels.size(); alpha += 4) {
        picture.pixels[alpha] = 255;
    }
    return image::PngFile::write(file, picture, error);
}

} // namespace ox::harness
