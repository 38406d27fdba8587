#include "harness/CommandLine.hpp"

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

namespace {

using ox::harness::CommandLine;
using EOutcome = ox::harness::CommandLine::EOutcome;

CommandLine parse(std::vector<std::string_view> arguments) {
    return CommandLine::parse(arguments);
}

TEST(CommandLineTest, AcceptsEveryOptionInBothSpellings) {
    const CommandLine spaced =
        parse({"--fixed-dt", "0.016", "--frames", "90", "--input", "flight.input", "--capture",
               "out", "--capture-frames", "61,1,62,61"});
    const CommandLine joined = parse({"--fixed-dt=0.016", "--frames=90", "--input=flight.input",
                                      "--capture=out", "--capture-frames=61,1,62,61"});
    for (const CommandLine* line : {&spaced, &joined}) {
        ASSERT_EQ(line->outcome, EOutcome::Run) << line->error;
        EXPECT_EQ(line->options.fixedDelta, 0.016);
        EXPECT_EQ(line->options.frames, 90u);
        EXPECT_EQ(line->options.inputFile, "flight.input");
        EXPECT_EQ(line->options.captureDir, "out");
        // Sorted, the repeated 61 once.
        EXPECT_EQ(line->options.captureFrames, (std::vector<std::uint32_t>{1, 61, 62}));
    }
}

TEST(CommandLineTest, InstrumentOptions) {
    const CommandLine line =
        parse({"--stats", "build/stats.csv", "--gpu-timing", "--gl-debug", "--record=session.input",
               "--vsync", "--fixed-dt", "60", "--overlay"});
    ASSERT_EQ(line.outcome, EOutcome::Run) << line.error;
    EXPECT_EQ(line.options.statsFile, "build/stats.csv");
    EXPECT_EQ(line.options.recordFile, "session.input");
    EXPECT_TRUE(line.options.gpuTiming);
    EXPECT_TRUE(line.options.glDebug);
    EXPECT_TRUE(line.options.vsync);
    EXPECT_TRUE(line.options.overlay);
    EXPECT_EQ(line.options.fixedDelta, 60.0);

    const CommandLine none = parse({});
    EXPECT_FALSE(none.options.statsFile || none.options.recordFile || none.options.gpuTiming ||
                 none.options.glDebug || none.options.vsync || none.options.overlay);
    // The help lists the controls too.
    for (const char* text : {"--stats FILE", "--record FILE", "--overlay", "F1 ", "F12", "Escape",
                             "W / S", "C held"}) {
        EXPECT_NE(std::string_view(CommandLine::usage("vexel")).find(text), std::string_view::npos)
            << text;
    }
}

TEST(CommandLineTest, HeadlessWithTheDeviceByNumberOrSoftware) {
    using ox::renderer::egl::EEglDevicePreference;
    const struct {
        std::vector<std::string_view> arguments;
        EEglDevicePreference preference;
        std::uint32_t index;
    } cases[] = {
        {{"--headless"}, EEglDevicePreference::Hardware, 0},
        {{"--headless", "--egl-device", "2"}, EEglDevicePreference::Index, 2},
        {{"--egl-device=0", "--headless"}, EEglDevicePreference::Index, 0},
        {{"--headless", "--egl-device", "software"}, EEglDevicePreference::Software, 0},
    };
    for (const auto& c : cases) {
        const CommandLine line = parse(c.arguments);
#ifdef _WIN32
        // No EGL on Windows: refused with its reason, whatever the device.
        EXPECT_EQ(line.outcome, EOutcome::Error);
        EXPECT_TRUE(line.error.starts_with("--headless is not available on Windows")) << line.error;
        continue;
#endif
        ASSERT_EQ(line.outcome, EOutcome::Run) << line.error;
        EXPECT_TRUE(line.options.headless);
        EXPECT_EQ(line.options.eglDevice.preference, c.preference);
        if (c.preference == EEglDevicePreference::Index) {
            EXPECT_EQ(line.options.eglDevice.index, c.index);
        }
    }
    EXPECT_FALSE(parse({}).options.headless);
}

TEST(CommandLineTest, NoOptionsRunsAsBeforeAndHelpWinsOverValidOptions) {
    const CommandLine none = parse({});
    EXPECT_EQ(none.outcome, EOutcome::Run);
    EXPECT_FALSE(none.options.fixedDelta || none.options.frames || none.options.inputFile ||
                 none.options.captureDir);
    EXPECT_EQ(parse({"--frames", "3", "--help"}).outcome, EOutcome::Help);
    EXPECT_NE(std::string_view(CommandLine::usage("vexel")).find("--capture-frames"),
              std::string_view::npos);
}

TEST(CommandLineTest, EachBadCommandLineGetsItsOwnMessage) {
    const struct {
        std::vector<std::string_view> arguments;
        const char* message;
    } cases[] = {
        {{"--fly"}, "unknown option '--fly' (try --help)"},
        {{"-h"}, "unknown option '-h' (try --help)"},
        {{"frames"}, "unknown option 'frames' (try --help)"},
        {{"--help=yes"}, "unknown option '--help=yes' (try --help)"},
        {{"--frames"}, "--frames needs a value"},
        {{"--frames", "0"}, "--frames needs a positive whole number, not '0'"},
        {{"--frames", "-3"}, "--frames needs a positive whole number, not '-3'"},
        {{"--frames", "12x"}, "--frames needs a positive whole number, not '12x'"},
        {{"--frames", "99999999999"}, "--frames needs a positive whole number, not '99999999999'"},
        {{"--fixed-dt", "0"}, "--fixed-dt needs a positive number of seconds up to 60, not '0'"},
        {{"--fixed-dt", "-0.5"},
         "--fixed-dt needs a positive number of seconds up to 60, not '-0.5'"},
        {{"--fixed-dt", "inf"},
         "--fixed-dt needs a positive number of seconds up to 60, not 'inf'"},
        {{"--fixed-dt", "nan"},
         "--fixed-dt needs a positive number of seconds up to 60, not 'nan'"},
        {{"--fixed-dt="}, "--fixed-dt needs a positive number of seconds up to 60, not ''"},
        {{"--input="}, "--input needs a path, not an empty value"},
        {{"--capture", "out", "--capture-frames", "1,,2"},
         "--capture-frames needs positive frame numbers separated by commas, not '1,,2'"},
        {{"--capture", "out", "--capture-frames", "1,0"},
         "--capture-frames needs positive frame numbers separated by commas, not '1,0'"},
        {{"--capture", "out"}, "--capture and --capture-frames go together"},
        {{"--capture-frames", "1"}, "--capture and --capture-frames go together"},
        {{"--frames", "61", "--capture", "out", "--capture-frames", "1,62"},
         "--capture-frames 62 is after the last frame (--frames 61)"},
        // Past a minute per frame; 1e39 would not even fit the graph's floats.
        {{"--fixed-dt", "60.001"},
         "--fixed-dt needs a positive number of seconds up to 60, not "
         "'60.001'"},
        {{"--fixed-dt", "1e39"},
         "--fixed-dt needs a positive number of seconds up to 60, not "
         "'1e39'"},
        {{"--stats"}, "--stats needs a value"},
        {{"--stats="}, "--stats needs a path, not an empty value"},
        {{"--record", ""}, "--record needs a path, not an empty value"},
        {{"--gpu-timing=yes"}, "--gpu-timing takes no value"},
        {{"--gl-debug=1"}, "--gl-debug takes no value"},
        {{"--vsync=0"}, "--vsync takes no value"},
        {{"--headless=1"}, "--headless takes no value"},
        {{"--egl-device", "0"}, "--egl-device needs --headless"},
        {{"--headless", "--egl-device", "gpu"},
         "--egl-device needs a device number from 0 or 'software', not 'gpu'"},
        {{"--headless", "--egl-device", "-1"},
         "--egl-device needs a device number from 0 or 'software', not '-1'"},
        {{"--headless", "--egl-device="},
         "--egl-device needs a device number from 0 or 'software', not ''"},
        {{"--headless", "--vsync"}, "--vsync has no display to wait for with --headless"},
        {{"--overlay=on"}, "--overlay takes no value"},
    };
    for (const auto& c : cases) {
        const CommandLine line = parse(c.arguments);
        EXPECT_EQ(line.outcome, EOutcome::Error) << c.message;
        EXPECT_EQ(line.error, c.message);
    }
}

} // namespace
