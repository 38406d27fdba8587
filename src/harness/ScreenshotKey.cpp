#include "harness/ScreenshotKey.hpp"

#include "harness/FrameCapture.hpp"

#include <fmt/format.h>

#include <charconv>
#include <string>
#include <utility>

namespace ox::harness {

using core::logger::ELogLevel;
using renderer::EInputAction;
using renderer::EInputKey;

ScreenshotKey::ScreenshotKey(std::shared_ptr<core::logger::ILogApi> log)
    : log(std::move(log)) {}

void ScreenshotKey::listen(renderer::IRendererWindowEventsDispatcher& events) {
    events.addOnKeyEventListener([pending = pending](std::shared_ptr<renderer::IRendererWindow>,
                                                     EInputKey key, std::int32_t,
                                                     EInputAction action, std::uint16_t) {
        if (key == EInputKey::F12 && action == EInputAction::Press) {
            *pending = true;
        }
    });
}

std::filesystem::path ScreenshotKey::nextFile(const std::filesystem::path& folder) {
    std::uint64_t highest = 0;
    std::error_code code;
    for (auto it = std::filesystem::directory_iterator(folder, code);
         !code && it != std::filesystem::directory_iterator(); it.increment(code)) {
        const std::string name = it->path().filename().string();
        constexpr std::string_view prefix = "vexel-";
        constexpr std::string_view suffix = ".png";
        if (name.size() <= prefix.size() + suffix.size() || !name.starts_with(prefix) ||
            !name.ends_with(suffix)) {
            continue;
        }
        std::uint64_t number = 0;
        const char* first = name.data() + prefix.size();
        const char* last = name.data() + name.size() - suffix.size();
        const auto [end, error] = std::from_chars(first, last, number);
        if (error == std::errc() && end == last && number > highest) {
            highest = number;
        }
    }
    return folder / fmt::format("vexel-{}.png", highest + 1);
}

void ScreenshotKey::takeIfRequested(std::uint32_t frame, renderer::IRenderingApi& api,
                                    const renderer::dimension_t& size) {
    if (!*pending) {
        return;
    }
    *pending = false;
    const auto report = [this](ELogLevel level, const std::string& text) {
        if (log != nullptr && log->isEnabled(level)) {
            log->log(level, text);
        }
    };
    std::error_code code;
    std::filesystem::create_directories(directory, code);
    if (code) {
        report(ELogLevel::Error, fmt::format("Screenshot of frame {} not written: cannot create "
                                             "'{}' ({}).",
                                             frame, directory, code.message()));
        return;
    }
    const std::filesystem::path file = nextFile(directory);
    std::string error;
    if (!FrameCapture::writeWindow(file, api, size, error)) {
        report(ELogLevel::Error,
               fmt::format("Screenshot of frame {} not written: {}", frame, error));
        return;
    }
    report(ELogLevel::Info,
           fmt::format("Screenshot of frame {} written to '{}'.", frame, file.string()));
}

} // namespace ox::harness
