#pragma once

#include "app/IFrameObserver.hpp"
#include "core/logger/ILogApi.hpp"
#include "renderer/IRendererWindowEventsDispatcher.hpp"
#include "renderer/IRenderingApi.hpp"
#include "renderer/dimension_t.hpp"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace ox::harness {

// F12 saves the window as "screenshots/vexel-<n>.png" under the working
// directory, numbering on from the files already there and never replacing
// one. The key only asks; the picture is read back after the next frame is
// drawn, through the same read-back as frame captures. As a frame observer it
// listens to the main window, takes the picture when the frame is drawn and
// reports an F12 left without a frame at the end; the path and every failure
// go on "main". Main thread with the window's context current.
class ScreenshotKey : public app::IFrameObserver {
public:
    static constexpr const char* directory = "screenshots";

    void attach(const app::LoggingContext& logging, const app::RendererContext& context) override;
    void beginFrame(std::uint32_t frame) override { lastFrame = frame; }
    // After a frame is drawn and before it is shown: writes the screenshot
    // when one was asked for. A failure is one error line and the run goes on.
    void frameDrawn(std::uint32_t frame, renderer::IRenderingApi& api,
                    const renderer::IRendererWindow& window) override;
    // An F12 that came while the run's last frame was shown has no drawn
    // frame left to read; one error line says so.
    void loopEnded() override;

    // The highest n of the "vexel-<n>.png" files in `folder`; 0 when there
    // is none or no folder.
    static std::uint64_t highestNumber(const std::filesystem::path& folder);
    // Creates, empty, the first "vexel-<n>.png" in `folder` with n above
    // `highest` that does not exist yet (another program may have taken the
    // next name meanwhile), so that no file is ever replaced. Nothing, with a
    // one-line reason in `error`, when it cannot or no number is left.
    static std::optional<std::filesystem::path>
    createAfter(const std::filesystem::path& folder, std::uint64_t highest, std::string& error);

private:
    void report(core::logger::ELogLevel level, const std::string& text) const;

    std::shared_ptr<core::logger::ILogApi> log;
    // Shared with the window's key listener, which may outlive this.
    std::shared_ptr<bool> pending = std::make_shared<bool>(false);
    std::uint32_t lastFrame = 0;
};

} // namespace ox::harness
