#pragma once

#include <cstdint>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace vexel::bench {

// What the frame probe (bench/probe) wrote about one run of a program.
struct ProbeReport {
    struct snapshot_t {
        std::uint64_t frame = 0;
        std::int64_t residentBytes = 0;
        std::uint64_t programs = 0;
        std::uint64_t shaders = 0;
        std::uint64_t buffers = 0;
        std::uint64_t vertexArrays = 0;
    };

    bool found = false;
    std::string end;                 // "stopped" (the probe closed the window) or "exit"
    std::uint64_t frames = 0;        // presented frames
    std::uint64_t titles = 0;        // window title calls up to the last frame
    double firstFrameSeconds = -1.0; // from launch to the first presented frame
    std::vector<double> swapSeconds; // each presented frame, from the first one
    double cpuSeconds = 0.0;         // process CPU time, first to last frame
    double mainCpuSeconds = 0.0;     // the same, of the frame loop's thread only
    std::vector<snapshot_t> snapshots;
    // GL calls counted by the call-counting probe: frame -> name -> total.
    std::map<std::uint64_t, std::map<std::string, std::uint64_t>> calls;

    static ProbeReport read(const std::string& path) {
        ProbeReport report;
        std::ifstream in(path);
        if (!in) {
            return report;
        }
        report.found = true;
        std::string line;
        while (std::getline(in, line)) {
            std::istringstream fields(line);
            std::string key;
            fields >> key;
            if (key == "swap") {
                long long ns = 0;
                fields >> ns;
                report.swapSeconds.push_back(static_cast<double>(ns) * 1e-9);
            } else if (key == "end") {
                fields >> report.end;
            } else if (key == "frames") {
                fields >> report.frames;
            } else if (key == "main_cpu_ns") {
                long long ns = 0;
                fields >> ns;
                report.mainCpuSeconds = static_cast<double>(ns) * 1e-9;
            } else if (key == "cpu_ns") {
                long long ns = 0;
                fields >> ns;
                report.cpuSeconds = static_cast<double>(ns) * 1e-9;
            } else if (key == "titles") {
                fields >> report.titles;
            } else if (key == "first_frame_ns") {
                long long ns = 0;
                fields >> ns;
                report.firstFrameSeconds = static_cast<double>(ns) * 1e-9;
            } else if (key == "calls") {
                std::uint64_t frame = 0;
                std::string name;
                std::uint64_t count = 0;
                fields >> frame >> name >> count;
                report.calls[frame][name] = count;
            } else if (key == "snapshot") {
                snapshot_t s;
                fields >> s.frame >> s.residentBytes >> s.programs >> s.shaders >> s.buffers >>
                    s.vertexArrays;
                report.snapshots.push_back(s);
            }
        }
        return report;
    }

    // Frames per second between the first and the last presented frame.
    double averageFrameRate() const {
        if (swapSeconds.size() < 2 || swapSeconds.back() <= 0.0) {
            return 0.0;
        }
        return static_cast<double>(swapSeconds.size() - 1) / swapSeconds.back();
    }

    // CPU time of the process per frame, in milliseconds.
    double cpuMillisecondsPerFrame() const {
        return swapSeconds.size() < 2
                   ? 0.0
                   : cpuSeconds * 1000.0 / static_cast<double>(swapSeconds.size() - 1);
    }

    // CPU time of the frame loop's thread per frame, in milliseconds.
    double mainCpuMillisecondsPerFrame() const {
        return swapSeconds.size() < 2
                   ? 0.0
                   : mainCpuSeconds * 1000.0 / static_cast<double>(swapSeconds.size() - 1);
    }

    // Time of each frame (from the previous presented frame), in milliseconds.
    std::vector<double> frameMilliseconds() const {
        std::vector<double> times;
        for (std::size_t i = 1; i < swapSeconds.size(); ++i) {
            times.push_back((swapSeconds[i] - swapSeconds[i - 1]) * 1000.0);
        }
        return times;
    }
};

} // namespace vexel::bench
