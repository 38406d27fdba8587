#pragma once

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
// drawn, through the same read-back as frame captures. Main thread with the
// window's context current.
class ScreenshotKey {
public:
    static constexpr const char* directory = "screenshots";

    // Logs the written path, or the reason for a failure, on `log`.
    explicit ScreenshotKey(std::shared_ptr<core::logger::ILogApi> log);

    // Listens for F12 on the window's events; the listener shares `pending`.
    void listen(renderer::IRendererWindowEventsDispatcher& events);
    bool isRequested() const { return *pending; }
    // After a frame is drawn and before it is shown: writes the screenshot
    // when one was asked for. A failure is one error line and the run goes on.
    void takeIfRequested(std::uint32_t frame, renderer::IRenderingApi& api,
                         const renderer::dimension_t& size);
    // When the run has ended: an F12 that came while its last frame was shown
    // has no drawn frame left to read; one error line says so.
    void reportUntaken(std::uint32_t lastFrame);

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
    std::shared_ptr<bool> pending = std::make_shared<bool>(false);
};

} // namespace ox::harness
