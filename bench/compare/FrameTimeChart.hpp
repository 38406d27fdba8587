#pragma once

#include <algorithm>
#include <cmath>
#include <fstream>
#include <string>
#include <vector>

#include <fmt/format.h>

namespace vexel::bench {

// Writes an SVG of per-frame times, one panel per run, side by side on the
// same scales: x is the time since the run's first frame, y the frame's time
// in milliseconds, with the median as a dashed line. Plain SVG 1.1, so any
// browser shows it and nothing has to be installed to make it.
class FrameTimeChart {
public:
    struct series_t {
        std::string title;
        std::vector<double> swapSeconds; // presented frames, from the first one
    };

    static bool write(const std::string& path, const std::vector<series_t>& panels) {
        constexpr double panelWidth = 460.0;
        constexpr double panelHeight = 260.0;
        constexpr double left = 56.0;
        constexpr double top = 40.0;
        constexpr double gap = 70.0;
        constexpr double bottom = 46.0;

        double duration = 0.0;
        std::vector<double> all;
        for (const series_t& s : panels) {
            if (!s.swapSeconds.empty()) {
                duration = std::max(duration, s.swapSeconds.back());
            }
            const auto times = frameMs(s);
            all.insert(all.end(), times.begin(), times.end());
        }
        if (all.empty() || duration <= 0.0) {
            return false;
        }
        // The scale ends a little above the 99.5th percentile, so that a few
        // stalls do not flatten everything else; frames above it are drawn at
        // the top edge and counted in the caption.
        std::sort(all.begin(), all.end());
        const double p995 = all[std::min(all.size() - 1, all.size() * 995 / 1000)];
        const double yMax = niceCeiling(p995 * 1.15);

        const double width = left + panels.size() * (panelWidth + gap);
        const double height = top + panelHeight + bottom;
        std::string svg = fmt::format(
            "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"{0:.0f}\" height=\"{1:.0f}\" "
            "viewBox=\"0 0 {0:.0f} {1:.0f}\" font-family=\"sans-serif\" font-size=\"12\">\n"
            "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n",
            width, height);

        for (std::size_t p = 0; p < panels.size(); ++p) {
            const series_t& s = panels[p];
            const double x0 = left + static_cast<double>(p) * (panelWidth + gap);
            const auto times = frameMs(s);
            auto sorted = times;
            std::sort(sorted.begin(), sorted.end());
            const double median = sorted.empty() ? 0.0 : sorted[sorted.size() / 2];
            const auto clipped =
                std::count_if(times.begin(), times.end(), [&](double t) { return t > yMax; });

            svg += fmt::format("<text x=\"{:.1f}\" y=\"{:.1f}\" font-size=\"14\" "
                               "font-weight=\"bold\">{}</text>\n",
                               x0, top - 22.0, escape(s.title));
            svg += fmt::format("<text x=\"{:.1f}\" y=\"{:.1f}\">{} frames, median {:.2f} ms "
                               "({:.1f} fps){}</text>\n",
                               x0, top - 7.0, times.size() + 1, median,
                               median > 0.0 ? 1000.0 / median : 0.0,
                               clipped > 0 ? fmt::format(", {} above the scale", clipped) : "");
            svg += fmt::format("<rect x=\"{:.1f}\" y=\"{:.1f}\" width=\"{:.1f}\" height=\"{:.1f}\" "
                               "fill=\"none\" stroke=\"#888\"/>\n",
                               x0, top, panelWidth, panelHeight);
            for (int tick = 0; tick <= 4; ++tick) {
                const double value = yMax * tick / 4.0;
                const double y = top + panelHeight - panelHeight * tick / 4.0;
                svg += fmt::format("<line x1=\"{0:.1f}\" x2=\"{1:.1f}\" y1=\"{2:.1f}\" "
                                   "y2=\"{2:.1f}\" stroke=\"#ddd\"/>\n"
                                   "<text x=\"{3:.1f}\" y=\"{4:.1f}\" text-anchor=\"end\">{5:g} "
                                   "ms</text>\n",
                                   x0, x0 + panelWidth, y, x0 - 4.0, y + 4.0, value);
            }
            const int seconds = static_cast<int>(std::floor(duration));
            const int step = std::max(1, seconds / 5);
            for (int t = 0; t <= seconds; t += step) {
                const double x = x0 + panelWidth * t / duration;
                svg += fmt::format("<text x=\"{:.1f}\" y=\"{:.1f}\" text-anchor=\"middle\">{} "
                                   "s</text>\n",
                                   x, top + panelHeight + 16.0, t);
            }
            svg += fmt::format("<text x=\"{:.1f}\" y=\"{:.1f}\" text-anchor=\"middle\">time since "
                               "the first frame</text>\n",
                               x0 + panelWidth / 2.0, top + panelHeight + 34.0);

            std::string points;
            for (std::size_t i = 0; i < times.size(); ++i) {
                const double x = x0 + panelWidth * s.swapSeconds[i + 1] / duration;
                const double y = top + panelHeight - panelHeight * std::min(times[i], yMax) / yMax;
                points += fmt::format("{:.1f},{:.1f} ", x, y);
            }
            svg += fmt::format("<polyline fill=\"none\" stroke=\"{}\" stroke-width=\"0.8\" "
                               "points=\"{}\"/>\n",
                               p == 0 ? "#c0392b" : "#2471a3", points);
            const double medianY = top + panelHeight - panelHeight * std::min(median, yMax) / yMax;
            svg += fmt::format("<line x1=\"{0:.1f}\" x2=\"{1:.1f}\" y1=\"{2:.1f}\" y2=\"{2:.1f}\" "
                               "stroke=\"black\" stroke-dasharray=\"5,4\"/>\n",
                               x0, x0 + panelWidth, medianY);
        }
        svg += "</svg>\n";

        std::ofstream out(path);
        out << svg;
        return static_cast<bool>(out);
    }

private:
    static std::vector<double> frameMs(const series_t& s) {
        std::vector<double> times;
        for (std::size_t i = 1; i < s.swapSeconds.size(); ++i) {
            times.push_back((s.swapSeconds[i] - s.swapSeconds[i - 1]) * 1000.0);
        }
        return times;
    }

    // 1, 2 or 5 times a power of ten, at least `value`.
    static double niceCeiling(double value) {
        if (value <= 0.0) {
            return 1.0;
        }
        const double power = std::pow(10.0, std::floor(std::log10(value)));
        for (const double m : {1.0, 2.0, 5.0, 10.0}) {
            if (m * power >= value) {
                return m * power;
            }
        }
        return 10.0 * power;
    }

    static std::string escape(const std::string& text) {
        std::string out;
        for (const char c : text) {
            switch (c) {
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '&':
                out += "&amp;";
                break;
            default:
                out += c;
            }
        }
        return out;
    }
};

} // namespace vexel::bench
