#pragma once

#include "core/logger/ILogApi.hpp"
#include "renderer/IRendererWindowEventsDispatcher.hpp"
#include "renderer/IRenderingApi.hpp"
#include "renderer/dimension_t.hpp"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>

namespace ox::harness {

// F12 saves the window as "screenshots/vexel-<n>.png" under the working
// directory, numbering on from the files already there. The key only asks;
// the picture is read back after the next frame is drawn, through the same
// read-back as frame captures. Main thread with the window's context current.
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

    // "vexel-<n>.png" in `folder` with n one above the highest already there
    // (1 in an empty or missing folder).
    static std::filesystem::path nextFile(const std::filesystem::path& folder);

private:
    std::shared_ptr<core::logger::ILogApi> log;
    std::shared_ptr<bool> pending = std::make_shared<bool>(false);
};

} // namespace ox::harness
