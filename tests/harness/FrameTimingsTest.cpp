#include "harness/FrameTimings.hpp"
#include "harness/DurationHistogram.hpp"

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

namespace {

using ox::harness::DurationHistogram;
using ox::harness::FrameTimings;

std::vector<double> evenlySpread(int count, double firstMs, double stepMs) {
    std::vector<double> values;
    for (int i = 0; i < count; ++i) {
        values.push_back(firstMs + stepMs * i);
    }
    return values;
}

std::vector<double> withOneSpike() {
    std::vector<double> values(99, 1.0);
    values.push_back(1000.0);
    return values;
}

// Nearest-rank percentiles: the smallest time that at least that share of the
// frames do not exceed. The histogram may be off by its bucket width: 0.1 %,
// or a microsecond for the shortest times.
TEST(FrameTimingsTest, FiguresOfKnownFrameTimes) {
    const struct {
        const char* name;
        std::vector<double> ms;
        double mean, median, p95, p99, longest;
    } cases[] = {
        {"steady", std::vector<double>(100, 10.0), 10.0, 10.0, 10.0, 10.0, 10.0},
        {"1 to 100", evenlySpread(100, 1.0, 1.0), 50.5, 50.0, 95.0, 99.0, 100.0},
        {"one spike", withOneSpike(), 10.99, 1.0, 1.0, 1.0, 1000.0},
        {"three", {5.0, 1.0, 3.0}, 3.0, 3.0, 5.0, 5.0, 5.0},
        {"one frame", {16.7}, 16.7, 16.7, 16.7, 16.7, 16.7},
        {"sub-millisecond", evenlySpread(1000, 0.01, 0.001), 0.5095, 0.509, 0.959, 0.999, 1.009},
        {"clock went back", {-3.0, 2.0}, 1.0, 0.0, 2.0, 2.0, 2.0},
        {"nothing", {}, 0.0, 0.0, 0.0, 0.0, 0.0},
    };
    for (const auto& c : cases) {
        DurationHistogram histogram;
        for (const double ms : c.ms) {
            histogram.add(ms / 1000.0);
        }
        const auto expectNear = [&c](double seconds, double expectedMs, const char* figure) {
            EXPECT_NEAR(seconds * 1000.0, expectedMs, expectedMs * 0.001 + 0.001)
                << c.name << ": " << figure;
        };
        EXPECT_EQ(histogram.count(), c.ms.size()) << c.name;
        expectNear(histogram.mean(), c.mean, "mean");
        expectNear(histogram.percentile(0.5), c.median, "median");
        expectNear(histogram.percentile(0.95), c.p95, "95th percentile");
        expectNear(histogram.percentile(0.99), c.p99, "99th percentile");
        expectNear(histogram.longest(), c.longest, "longest");
    }
}

double field(const std::smatch& match, int index) {
    return std::stod(match[index].str());
}

// The end-of-run line: the frame count, then the figures of every frame but
// the first, which carries the start-up; GPU figures only where measured.
TEST(FrameTimingsTest, EndOfRunLine) {
    FrameTimings timings;
    timings.addFrame(1, 2.5); // start-up: left out
    timings.addFrame(2, 0.010);
    timings.addFrame(3, 0.020);
    timings.addFrame(4, 0.030);
    const std::regex cpuOnly(R"(4 frames; frame time without the first: mean (\d+\.\d{3}) ms, )"
                             R"(median (\d+\.\d{3}) ms, 95th percentile (\d+\.\d{3}) ms, )"
                             R"(99th percentile (\d+\.\d{3}) ms, longest (\d+\.\d{3}) ms\.)");
    std::smatch match;
    const std::string line = timings.summary(4);
    ASSERT_TRUE(std::regex_match(line, match, cpuOnly)) << line;
    EXPECT_NEAR(field(match, 1), 20.0, 0.001);
    EXPECT_NEAR(field(match, 2), 20.0, 0.02);
    EXPECT_NEAR(field(match, 3), 30.0, 0.001);
    EXPECT_NEAR(field(match, 5), 30.0, 0.001);

    timings.addGpuFrame(1, 1.0, {1.0, 0.0, 0.0});
    timings.addGpuFrame(2, 0.004, {0.002, 0.001, 0.0005});
    timings.addGpuFrame(3, 0.004, {0.002, 0.001, 0.0005});
    const std::string withGpu = timings.summary(4);
    const std::regex gpu(R"(; GPU time per frame: mean (\d+\.\d{3}) ms, 99th percentile )"
                         R"((\d+\.\d{3}) ms; render group 0: mean (\d+\.\d{3}) ms, 99th )"
                         R"(percentile \d+\.\d{3} ms; render group 1: mean (\d+\.\d{3}) ms, )"
                         R"(99th percentile \d+\.\d{3} ms; render group 2: mean (\d+\.\d{3}) )"
                         R"(ms, 99th percentile \d+\.\d{3} ms\.$)");
    ASSERT_TRUE(std::regex_search(withGpu, match, gpu)) << withGpu;
    EXPECT_TRUE(withGpu.starts_with(line.substr(0, line.size() - 1) + ";")) << withGpu;
    EXPECT_NEAR(field(match, 1), 4.0, 0.005);
    EXPECT_NEAR(field(match, 3), 2.0, 0.005);
    EXPECT_NEAR(field(match, 4), 1.0, 0.005);
    EXPECT_NEAR(field(match, 5), 0.5, 0.005);

    FrameTimings single;
    single.addFrame(1, 2.5);
    EXPECT_EQ(single.summary(1), "1 frame; frame time without the first: no frame to measure.");
}

} // namespace
