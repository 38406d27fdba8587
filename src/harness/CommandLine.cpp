#include "harness/CommandLine.hpp"

#include "app/key_bindings.hpp"
#include "platform/Utf8Path.hpp"
#include "renderer/opengl/RendererFactory.hpp"

#include <fmt/format.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <string>

namespace ox::harness {

namespace {

std::optional<std::uint32_t> parsePositive(std::string_view text) {
    std::uint32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value == 0) {
        return std::nullopt;
    }
    return value;
}

// A step longer than a minute is no frame of an animation; the bound also
// keeps every frame's time, (frame - 1) x step for up to 2^32 frames, far
// inside the single precision the graph computes in.
constexpr double longestFixedDelta = 60.0;

std::optional<double> parseSeconds(std::string_view text) {
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value) ||
        value <= 0.0 || value > longestFixedDelta) {
        return std::nullopt;
    }
    return value;
}

// "software", or an index into the headless renderer's device list from 0.
std::optional<renderer::opengl::device_choice_t> parseDevice(std::string_view text) {
    using renderer::opengl::EDevicePreference;
    if (text == "software") {
        return renderer::opengl::device_choice_t{EDevicePreference::Software, 0};
    }
    std::uint32_t index = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), index);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) {
        return std::nullopt;
    }
    return renderer::opengl::device_choice_t{EDevicePreference::Index, index};
}

// "1,61,62": positive frame numbers, returned sorted without repeats.
std::optional<std::vector<std::uint32_t>> parseFrameList(std::string_view text) {
    std::vector<std::uint32_t> frames;
    while (true) {
        const auto comma = text.find(',');
        const auto frame = parsePositive(text.substr(0, comma));
        if (!frame) {
            return std::nullopt;
        }
        frames.push_back(*frame);
        if (comma == std::string_view::npos) {
            break;
        }
        text.remove_prefix(comma + 1);
    }
    std::sort(frames.begin(), frames.end());
    frames.erase(std::unique(frames.begin(), frames.end()), frames.end());
    return frames;
}

} // namespace

std::string CommandLine::usage(std::string_view program) {
    return fmt::format("usage: {} [options]\n", program) +
           "Without options the program runs on the real clock until its window is closed.\n"
           "  --help                  print this text and exit\n"
           "  --fixed-dt SECONDS      advance the scene's time by exactly SECONDS per frame,\n"
           "                          from 0 (the title's frame rate stays real)\n"
           "  --frames N              end after N frames, as if Escape had been pressed\n"
           "  --input FILE            replay scripted input: one event per line,\n"
           "                          FRAME EVENT ARGUMENTS, delivered before that frame:\n"
           "                            FRAME key down|up NAME      (A-Z, 0-9, Escape, Space, "
           "...)\n"
           "                            FRAME wheel DX DY\n"
           "                            FRAME cursor X Y\n"
           "                            FRAME button down|up left|right|middle|1-8\n"
           "                          '#' starts a comment; frames count from 1\n"
           "  --capture DIR           write DIR/frame-<n>.png after drawing each frame of\n"
           "  --capture-frames LIST   LIST, comma-separated frame numbers (1,61,62)\n"
           "  --stats FILE            write one CSV row per frame to FILE: frame number,\n"
           "                          frame time and, with --gpu-timing, the GPU times (ms)\n"
           "  --gpu-timing            measure the GPU time of every frame and render group\n"
           "  --gl-debug              debug context: driver messages in the log, labelled\n"
           "                          GL objects and a debug group around every mesh\n"
           "  --record FILE           write the session's input to FILE as an --input script\n"
           "  --vsync                 wait for the display's refresh at every swap\n"
           "  --headless              no window and no X server: draw into an off-screen\n"
           "                          surface of an EGL device; input comes only from\n"
           "                          --input, and the run ends with --frames, the script's\n"
           "                          Escape, SIGINT or SIGTERM\n"
           "  --egl-device N|software with --headless: the EGL device to draw with, by its\n"
           "                          number in the log's list, or Mesa's software device\n"
           "                          (default: the first hardware device, else software)\n"
           "  --overlay               show the debug overlay: frame times, GPU times, the\n"
           "                          camera, the shader programs and the log (F1 hides it;\n"
           "                          captures and screenshots leave it out)\n"
           "  --renderdoc             start with RenderDoc (package librenderdoc) in the\n"
           "                          process, so that F11 captures the next frame; the\n"
           "                          library named by VEXEL_RENDERDOC_LIBRARY if set\n"
           "  --renderdoc-frames LIST the same, and capture each frame of LIST\n"
           "                          (1,61,62) as vexel-<run>-frame-<n>.rdc beside the\n"
           "                          log; the capture's calls carry debug groups\n"
           "Controls (rates per second of the program's clock):\n" +
           app::controlsHelp();
}

CommandLine CommandLine::parse(std::span<const std::string_view> arguments) {
    CommandLine result;
    const auto fail = [&result](std::string message) {
        result.outcome = EOutcome::Error;
        result.error = std::move(message);
        return result;
    };

    bool deviceGiven = false;
    std::vector<std::string_view> given;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        std::string_view name = arguments[i];
        std::optional<std::string_view> value;
        if (const auto equals = name.find('='); name.starts_with("--") && equals != name.npos) {
            value = name.substr(equals + 1);
            name = name.substr(0, equals);
        }
        if (name == "--help" && !value) {
            result.outcome = EOutcome::Help;
            continue;
        }
        if (name == "--gpu-timing" || name == "--gl-debug" || name == "--vsync" ||
            name == "--headless" || name == "--overlay" || name == "--renderdoc") {
            if (value) {
                return fail(std::string(name) + " takes no value");
            }
            run_options_t& options = result.options;
            (name == "--gpu-timing" ? options.gpuTiming
             : name == "--gl-debug" ? options.glDebug
             : name == "--vsync"    ? options.vsync
             : name == "--headless" ? options.headless
             : name == "--overlay"  ? options.overlay
                                    : options.renderdoc) = true;
            continue;
        }
        const bool known = name == "--fixed-dt" || name == "--frames" || name == "--input" ||
                           name == "--capture" || name == "--capture-frames" || name == "--stats" ||
                           name == "--record" || name == "--egl-device" ||
                           name == "--renderdoc-frames";
        if (!known) {
            return fail("unknown option '" + std::string(arguments[i]) + "' (try --help)");
        }
        if (!value) {
            if (i + 1 == arguments.size()) {
                return fail(std::string(name) + " needs a value");
            }
            value = arguments[++i];
        }
        // The last one winning would silently drop the first, which may be
        // the file the run was meant to read rather than write.
        if (std::find(given.begin(), given.end(), name) != given.end()) {
            return fail(std::string(name) + " is given twice; it takes one value");
        }
        given.push_back(name);
        // Formatted rather than concatenated: GCC 12's -Wrestrict misreads the
        // inlined concatenation of a one-character literal at -O2.
        const std::string quoted = fmt::format("'{}'", *value);
        run_options_t& options = result.options;
        if (name == "--fixed-dt") {
            options.fixedDelta = parseSeconds(*value);
            if (!options.fixedDelta) {
                return fail("--fixed-dt needs a positive number of seconds up to 60, not " +
                            quoted);
            }
        } else if (name == "--frames") {
            options.frames = parsePositive(*value);
            if (!options.frames) {
                return fail("--frames needs a positive whole number, not " + quoted);
            }
        } else if (name == "--capture-frames") {
            auto frames = parseFrameList(*value);
            if (!frames) {
                return fail("--capture-frames needs positive frame numbers separated by commas, "
                            "not " +
                            quoted);
            }
            options.captureFrames = std::move(*frames);
        } else if (name == "--renderdoc-frames") {
            auto frames = parseFrameList(*value);
            if (!frames) {
                return fail("--renderdoc-frames needs positive frame numbers separated by "
                            "commas, not " +
                            quoted);
            }
            options.renderdocFrames = std::move(*frames);
            options.renderdoc = true;
        } else if (name == "--egl-device") {
            const auto device = parseDevice(*value);
            if (!device) {
                return fail("--egl-device needs a device number from 0 or 'software', not " +
                            quoted);
            }
            options.device = *device;
            deviceGiven = true;
        } else if (value->empty()) {
            return fail(std::string(name) + " needs a path, not an empty value");
        } else if (name == "--input") {
            options.inputFile = platform::pathFromUtf8(*value);
        } else if (name == "--stats") {
            options.statsFile = platform::pathFromUtf8(*value);
        } else if (name == "--record") {
            options.recordFile = platform::pathFromUtf8(*value);
        } else {
            options.captureDir = platform::pathFromUtf8(*value);
        }
    }
    if (result.outcome == EOutcome::Help) {
        return result;
    }
    if (deviceGiven && !result.options.headless) {
        return fail("--egl-device needs --headless");
    }
    // An off-screen surface is never shown, so there is no refresh to wait for.
    if (result.options.vsync && result.options.headless) {
        return fail("--vsync has no display to wait for with --headless");
    }
    if (result.options.captureDir.has_value() != !result.options.captureFrames.empty()) {
        return fail("--capture and --capture-frames go together");
    }
    // A frame the run never reaches would silently be missing from the captures.
    if (const auto& options = result.options; options.frames && !options.captureFrames.empty() &&
                                              options.captureFrames.back() > *options.frames) {
        return fail("--capture-frames " + std::to_string(options.captureFrames.back()) +
                    " is after the last frame (--frames " + std::to_string(*options.frames) + ")");
    }
    if (const auto& options = result.options; options.frames && !options.renderdocFrames.empty() &&
                                              options.renderdocFrames.back() > *options.frames) {
        return fail("--renderdoc-frames " + std::to_string(options.renderdocFrames.back()) +
                    " is after the last frame (--frames " + std::to_string(*options.frames) + ")");
    }
    if (const char* missing = renderer::opengl::RendererFactory::headlessUnavailable();
        missing != nullptr && result.options.headless) {
        return fail(missing);
    }
    return result;
}

} // namespace ox::harness
