#pragma once

#include "renderer/opengl/device_choice_t.hpp"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

namespace ox::harness {

// What the command line asks of one run. Every member empty means the program
// runs as it does without options: real clock, real input only, until closed.
struct run_options_t {
    // Seconds the graph's time advances per frame, from 0 at the first frame.
    std::optional<double> fixedDelta;
    // The run ends after this many frames, as if Escape had been pressed.
    std::optional<std::uint32_t> frames;
    // Scripted input events, fed into the main window's input.
    std::optional<std::filesystem::path> inputFile;
    // Directory for "frame-<n>.png" captures, and the frames to capture
    // (ascending, without repeats); both set or both empty.
    std::optional<std::filesystem::path> captureDir;
    std::vector<std::uint32_t> captureFrames;
    // One CSV row per frame: frame number, frame time, GPU times if measured.
    std::optional<std::filesystem::path> statsFile;
    // GPU time per frame and render group from timer queries.
    bool gpuTiming = false;
    // A debug context: driver messages in the log, labels and debug groups.
    bool glDebug = false;
    // The session's input, written as an input script.
    std::optional<std::filesystem::path> recordFile;
    // Buffer swaps wait for the display's refresh (swap interval 1).
    bool vsync = false;
    // The headless back end: no window system, a device's off-screen
    // surface, input only from the script.
    bool headless = false;
    // The device a headless run draws with.
    renderer::opengl::device_choice_t device;
    // The debug overlay over every frame, F1 to hide and show it.
    bool overlay = false;
    // RenderDoc in the process, so that F11 captures the next frame; set by
    // --renderdoc and by --renderdoc-frames.
    bool renderdoc = false;
    // Frames written as RenderDoc captures (ascending, without repeats).
    std::vector<std::uint32_t> renderdocFrames;
};

} // namespace ox::harness
