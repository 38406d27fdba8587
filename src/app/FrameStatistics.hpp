#pragma once

#include <array>
#include <cstdint>

namespace ox::app {

// Frame counter and the window title text of the frame loop. The title is
// reformatted at most once per second from the average frame rate since the
// loop started; until the first refresh it is the empty text.
class FrameStatistics {
public:
    static constexpr std::size_t titleCapacity = 512;
    // snprintf limit: at most 510 characters and the terminating zero.
    static constexpr std::size_t titleLimit = 511;

    // Called once just before the first frame with the renderer's time.
    void start(double now);
    // Called at the start of every frame with the renderer's time.
    void beginFrame(double now);
    // Rewrites the title when more than a second has passed since the last
    // refresh, or always when `force` is set; returns whether it did.
    bool refreshTitle(double now, double fieldOfView, double cameraX, double cameraY,
                      double cameraZ, bool force = false);

    // Average frames per second from the start time to the current frame's start.
    double averageFrameRate() const;
    const char* title() const { return titleText.data(); }
    std::uint32_t frameCount() const { return frames; }

private:
    std::uint32_t frames = 0;
    double startTime = 0.0;
    double frameTime = 0.0;
    double lastRefresh = 0.0;
    std::array<char, titleCapacity> titleText{};
};

} // namespace ox::app
