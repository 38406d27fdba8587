#include "app/FrameStatistics.hpp"

#include <cmath>
#include <cstdio>

namespace ox::app {

void FrameStatistics::start(double now) {
    startTime = now;
    frameTime = now;
    frames = 0;
}

void FrameStatistics::beginFrame(double now) {
    ++frames;
    frameTime = now;
}

double FrameStatistics::averageFrameRate() const {
    const double elapsed = frameTime - startTime;
    if (std::fabs(elapsed) < 0.0001) {
        return 0.0;
    }
    return static_cast<double>(frames) / elapsed;
}

bool FrameStatistics::refreshTitle(double now, double fieldOfView, double cameraX, double cameraY,
                                   double cameraZ, bool force) {
    if (!force && now - lastRefresh <= 1.0) {
        return false;
    }
    lastRefresh = now;
    std::snprintf(titleText.data(), titleLimit, "FPS: avg: %.2f, fov: %.2f, cam(%.2f,%.2f,%.2f)",
                  averageFrameRate(), fieldOfView, cameraX, cameraY, cameraZ);
    return true;
}

} // namespace ox::app
