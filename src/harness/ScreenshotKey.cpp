#include "harness/ScreenshotKey.hpp"

#include "app/key_bindings.hpp"
#include "harness/FrameCapture.hpp"
#include "platform/FileAccess.hpp"
#include "platform/Utf8Path.hpp"

#include <fmt/format.h>

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <limits>

namespace ox::harness {

using core::logger::ELogLevel;
using renderer::EInputAction;
using renderer::EInputKey;

void ScreenshotKey::attach(const app::LoggingContext& logging,
                           const app::RendererContext& context) {
    log = logging.mainLog;
    if (!context.windowEvents) {
        return;
    }
    context.windowEvents->addOnKeyEventListener(
        [pending = pending](std::shared_ptr<renderer::IRendererWindow>, EInputKey key, std::int32_t,
                            EInputAction action, std::uint16_t) {
            if (key == app::keyFor(app::EControl::Screenshot) && action == EInputAction::Press) {
                *pending = true;
            }
        });
}

std::uint64_t ScreenshotKey::highestNumber(const std::filesystem::path& folder) {
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
    return highest;
}

std::optional<std::filesystem::path> ScreenshotKey::createAfter(const std::filesystem::path& folder,
                                                                std::uint64_t highest,
                                                                std::string& error) {
    constexpr std::uint64_t last = std::numeric_limits<std::uint64_t>::max();
    for (std::uint64_t number = highest; number != last;) {
        std::filesystem::path file = folder / fmt::format("vexel-{}.png", ++number);
        // Made here or not at all, so the name is ours alone.
        if (std::FILE* stream = platform::createNewFile(file)) {
            std::fclose(stream);
            return file;
        }
        if (errno != EEXIST) {
            error = fmt::format("'{}' cannot be created ({}).", platform::utf8FromPath(file),
                                std::strerror(errno));
            return std::nullopt;
        }
    }
    error = fmt::format("no number is left after '{}'.",
                        (folder / fmt::format("vexel-{}.png", last)).string());
    return std::nullopt;
}

void ScreenshotKey::frameDrawn(std::uint32_t frame, renderer::IRenderingApi& api,
                               const renderer::IRendererWindow& window) {
    if (!*pending) {
        return;
    }
    *pending = false;
    const auto fail = [this, frame](const std::string& reason) {
        report(ELogLevel::Error,
               fmt::format("Screenshot of frame {} not written: {}", frame, reason));
    };
    std::error_code code;
    std::filesystem::create_directories(directory, code);
    if (code) {
        fail(fmt::format("cannot create '{}' ({}).", directory, code.message()));
        return;
    }
    std::string error;
    const auto file = createAfter(directory, highestNumber(directory), error);
    if (!file) {
        fail(error);
        return;
    }
    if (!FrameCapture::writeWindow(*file, api, window.getSize(), error)) {
        // Made empty above, so removing it takes nothing that was there.
        std::filesystem::remove(*file, code);
        fail(error);
        return;
    }
    report(ELogLevel::Info,
           fmt::format("Screenshot of frame {} written to '{}'.", frame, file->string()));
}

void ScreenshotKey::loopEnded() {
    if (!*pending) {
        return;
    }
    *pending = false;
    report(ELogLevel::Error,
           fmt::format("Screenshot not written: F12 came while frame {}, the last of the run, was "
                       "shown, and no frame was drawn after it.",
                       lastFrame));
}

void ScreenshotKey::report(ELogLevel level, const std::string& text) const {
    if (log != nullptr && log->isEnabled(level)) {
        log->log(level, text);
    }
}

} // namespace ox::harness
