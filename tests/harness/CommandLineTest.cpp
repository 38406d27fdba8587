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

// --renderdoc-frames implies --renderdoc: both put RenderDoc in the process.
TEST(CommandLineTest, RenderDocFramesSortedAndRenderDocImplied) {
    const CommandLine frames = parse({"--renderdoc-frames=61,1,61"});
    ASSERT_EQ(frames.outcome, EOutcome::Run) << frames.error;
    EXPECT_EQ(frames.options.renderdocFrames, (std::vector<std::uint32_t>{1, 61}));
    EXPECT_TRUE(frames.options.renderdoc);
    const CommandLine key = parse({"--renderdoc"});
    EXPECT_TRUE(key.options.renderdoc);
    EXPECT_TRUE(key.options.renderdocFrames.empty());
    EXPECT_FALSE(parse({}).options.renderdoc);
}

TEST(CommandLineTest, HeadlessWithTheDeviceByNumberOrSoftware) {
    using ox::renderer::opengl::EDevicePreference;
    const struct {
        std::vector<std::string_view> arguments;
        EDevicePreference preference;
        std::uint32_t index;
    } cases[] = {
        {{"--headless"}, EDevicePreference::Hardware, 0},
        {{"--headless", "--egl-device", "2"}, EDevicePreference::Index, 2},
        {{"--egl-device=0", "--headless"}, EDevicePreference::Index, 0},
        {{"--headless", "--egl-device", "software"}, EDevicePreference::Software, 0},
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
        EXPECT_EQ(line.options.device.preference, c.preference);
        if (c.preference == EDevicePreference::Index) {
            EXPECT_EQ(line.options.device.index, c.index);
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
        {{"--renderdoc=1"}, "--renderdoc takes no value"},
        {{"--renderdoc-frames", "2,x"},
         "--renderdoc-frames needs positive frame numbers separated by commas, not '2,x'"},
        {{"--frames", "9", "--renderdoc-frames", "10,2"},
         "--renderdoc-frames 10 is after the last frame (--frames 9)"},
        {{"--egl-device", "0"}, "--egl-device needs --headless"},
        {{"--headless", "--egl-device", "gpu"},
         "--egl-device needs a device number from 0 or 'software', not 'gpu'"},
        {{"--headless", "--egl-device", "-1"},
         "--egl-device needs a device number from 0 or 'software', not '-1'"},
        {{"--headless", "--egl-device="},
         "--egl-device needs a device number from 0 or 'software', not ''"},
        {{"--headless", "--vsync"}, "--vsync has no display to wait for with --headless"},
        {{"--overlay=on"}, "--overlay takes no value"},
        // One value each: the last one winning would drop the first unseen.
        {{"--input", "a", "--input", "b"}, "--input is given twice; it takes one value"},
        {{"--stats=s.csv", "--frames", "3", "--stats", "s.csv"},
         "--stats is given twice; it takes one value"},
        {{"--record", "r", "--record=r"}, "--record is given twice; it takes one value"},
        {{"--frames", "3", "--frames", "4"}, "--frames is given twice; it takes one value"},
        {{"--fixed-dt", "1", "--fixed-dt=1"}, "--fixed-dt is given twice; it takes one value"},
        {{"--capture", "a", "--capture-frames", "1", "--capture", "b"},
         "--capture is given twice; it takes one value"},
        {{"--capture", "a", "--capture-frames", "1", "--capture-frames", "2"},
         "--capture-frames is given twice; it takes one value"},
        {{"--headless", "--egl-device", "0", "--egl-device", "software"},
         "--egl-device is given twice; it takes one value"},
    };
    for (const auto& c : cases) {
        const CommandLine line = parse(c.arguments);
        EXPECT_EQ(line.outcome, EOutcome::Error) << c.message;
        EXPECT_EQ(line.error, c.message);
    }
}

} // namespace
