#pragma once

#include "app/IFrameObserver.hpp"
#include "core/logger/ILogApi.hpp"
#include "renderer/IRenderingApi.hpp"
#include "renderer/dimension_t.hpp"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace ox::harness {

// Writes chosen frames of the window as "frame-<n>.png" into a directory,
// read back through the rendering API after the frame is drawn and before it
// is shown. As a frame observer it captures each listed frame when it is
// drawn, logging failures on "main"; the directory is the run's outputs' to
// check and create. Main thread with the window's context current.
class FrameCapture : public app::IFrameObserver {
public:
    // `frames` ascending without repeats; failures are logged on `log` (may
    // be empty, then on "main" once attached), which the capture shares.
    FrameCapture(std::filesystem::path directory, std::vector<std::uint32_t> frames,
                 std::shared_ptr<core::logger::ILogApi> log = nullptr);

    void attach(const app::LoggingContext& logging, const app::RendererContext& context) override;
    void frameDrawn(std::uint32_t frame, renderer::IRenderingApi& api,
                    const renderer::IRendererWindow& window) override;

    bool wants(std::uint32_t frame) const;
    // Reads `size` pixels from the lower left corner and writes the file. A
    // failure is logged at error level and returned as false; the run goes on.
    bool capture(std::uint32_t frame, renderer::IRenderingApi& api,
                 const renderer::dimension_t& size) const;

    std::filesystem::path fileFor(std::uint32_t frame) const;

    // The read-back behind every capture and screenshot: `size` pixels from
    // the lower left corner of the read buffer into a PNG file. False with a
    // one-line reason in `error`.
    static bool writeWindow(const std::filesystem::path& file, renderer::IRenderingApi& api,
                            const renderer::dimension_t& size, std::string& error);

private:
    std::filesystem::path directory;
    std::vector<std::uint32_t> frames;
    std::shared_ptr<core::logger::ILogApi> log;
};

} // namespace ox::harness
