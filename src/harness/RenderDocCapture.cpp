#include "harness/RenderDocCapture.hpp"

#include "app/key_bindings.hpp"
#include "platform/LocalTime.hpp"

#include "harness/RenderDocLibrary.hpp"

#include <fmt/format.h>

#include <algorithm>
#include <ctime>
#include <utility>

namespace ox::harness {

using core::logger::ELogLevel;
using renderer::EInputAction;
using renderer::EInputKey;

RenderDocCapture::RenderDocCapture(const run_options_t& options)
    : frames(options.renderdocFrames)
    , wanted(options.renderdoc) {}

std::filesystem::path RenderDocCapture::fileFor(const std::filesystem::path& directory,
                                                const std::string& run, std::uint32_t frame) {
    return directory / fmt::format("vexel-{}-frame-{}.rdc", run, frame);
}

void RenderDocCapture::attach(const app::LoggingContext& logging,
                              const app::RendererContext& context) {
    log = logging.mainLog;
    if (context.windowEvents) {
        context.windowEvents->addOnKeyEventListener(
            [pressed = keyPressed](std::shared_ptr<renderer::IRendererWindow>, EInputKey key,
                                   std::int32_t, EInputAction action, std::uint16_t) {
                if (key == app::keyFor(app::EControl::RenderDocCapture) &&
                    action == EInputAction::Press) {
                    *pressed = true;
                }
            });
    }
    api = RenderDocApi::inProcess();
    if (!api) {
        // A RenderDoc older than the API asked for answers with no table.
        if (RenderDocLibrary::entryPoint() != nullptr) {
            report(ELogLevel::Error,
                   fmt::format("RenderDoc is in the process but does not offer its API {}.{}.{} "
                               "(older than that?): no frame will be captured.",
                               RenderDocApi::requestedVersion / 10000,
                               RenderDocApi::requestedVersion / 100 % 100,
                               RenderDocApi::requestedVersion % 100));
        } else if (wanted) {
            report(ELogLevel::Error, "RenderDoc is not in the process: no frame will be captured.");
        }
        return;
    }
    // Under `renderdoccmd capture` too: F12 must stay the screenshot key alone.
    api->leaveKeysAndPicture();
    std::error_code code;
    directory = std::filesystem::current_path(code);
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    platform::localTime(now, local);
    run = fmt::format("{:04}{:02}{:02}-{:02}{:02}{:02}-{}", local.tm_year + 1900, local.tm_mon + 1,
                      local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec,
                      RenderDocLibrary::processId());
    // Captures RenderDoc takes by itself (asked by its UI) land beside the log too.
    api->setPathPrefix((directory / fmt::format("vexel-{}", run)).string());
    report(ELogLevel::Info, fmt::format("RenderDoc {} is in the process: F11 captures the next "
                                        "frame; its own capture keys and overlay are off.",
                                        api->version()));
}

void RenderDocCapture::beginFrame(std::uint32_t next) {
    frame = next;
    const bool listed = std::binary_search(frames.begin(), frames.end(), next);
    const bool asked = std::exchange(*keyPressed, false);
    if (!listed && !asked) {
        return;
    }
    if (!api) {
        report(ELogLevel::Error,
               fmt::format("RenderDoc capture of frame {} not taken: RenderDoc is not in the "
                           "process; start the program with --renderdoc (package {}).",
                           next, RenderDocLibrary::package));
        return;
    }
    // RenderDoc appends its own suffix; the file is renamed once written.
    api->setPathPrefix((directory / fmt::format(".vexel-{}-frame-{}", run, next)).string());
    api->startFrame();
    capturing = next;
}

void RenderDocCapture::frameDrawn(std::uint32_t drawn, renderer::IRenderingApi&,
                                  const renderer::IRendererWindow&) {
    if (capturing != drawn || !api) {
        return;
    }
    capturing = 0;
    const auto fail = [this, drawn](const std::string& reason) {
        report(ELogLevel::Error,
               fmt::format("RenderDoc capture of frame {} not written: {}", drawn, reason));
    };
    if (!api->endFrame()) {
        fail("RenderDoc wrote no capture.");
        return;
    }
    const auto written = api->newestCapture();
    if (!written) {
        fail("RenderDoc does not say where it wrote the capture.");
        return;
    }
    const std::filesystem::path file = fileFor(directory, run, drawn);
    std::error_code code;
    std::filesystem::rename(*written, file, code);
    if (code) {
        fail(fmt::format("'{}' cannot be renamed to '{}' ({}).", *written, file.string(),
                         code.message()));
        return;
    }
    report(ELogLevel::Info,
           fmt::format("RenderDoc capture of frame {} written to '{}'.", drawn, file.string()));
}

void RenderDocCapture::loopEnded() {
    if (std::exchange(*keyPressed, false)) {
        report(ELogLevel::Error,
               fmt::format("RenderDoc capture not taken: F11 came while frame {}, the last of the "
                           "run, was shown, and no frame was drawn after it.",
                           frame));
    }
}

void RenderDocCapture::report(ELogLevel level, const std::string& text) const {
    if (log != nullptr && log->isEnabled(level)) {
        log->log(level, text);
    }
}

} // namespace ox::harness
