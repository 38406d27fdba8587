#pragma once

#include "app/IFrameObserver.hpp"
#include "core/logger/ILogApi.hpp"
#include "harness/RenderDocApi.hpp"
#include "harness/run_options_t.hpp"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace ox::harness {

// RenderDoc captures of chosen frames (--renderdoc-frames) and of the frame
// after each F11, written beside the log as "vexel-<run>-frame-<n>.rdc",
// where <run> is the run's start time and process number; each path, or why
// a capture was not written, is logged on "main". A capture holds a frame's
// calls from the start of the frame to its end of drawing, so it replays to
// the pixels a --capture of that frame reads back. It uses a RenderDoc
// already in the process and never loads one (see RenderDocPreload); without
// one, F11 gets an error line. Keep it alive for the whole run; main thread
// only.
class RenderDocCapture : public app::IFrameObserver {
public:
    explicit RenderDocCapture(const run_options_t& options);

    void attach(const app::LoggingContext& logging, const app::RendererContext& context) override;
    void beginFrame(std::uint32_t frame) override;
    void frameDrawn(std::uint32_t frame, renderer::IRenderingApi& api,
                    const renderer::IRendererWindow& window) override;
    void loopEnded() override;

    // "vexel-<run>-frame-<n>.rdc" in `directory`.
    static std::filesystem::path fileFor(const std::filesystem::path& directory,
                                         const std::string& run, std::uint32_t frame);

private:
    void report(core::logger::ELogLevel level, const std::string& text) const;

    std::vector<std::uint32_t> frames;
    bool wanted = false;
    std::shared_ptr<core::logger::ILogApi> log;
    std::unique_ptr<RenderDocApi> api;
    std::filesystem::path directory;
    std::string run;
    std::shared_ptr<bool> keyPressed = std::make_shared<bool>(false);
    std::uint32_t capturing = 0;
    std::uint32_t frame = 0;
};

} // namespace ox::harness
