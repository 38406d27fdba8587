#include "app/LoggingContext.hpp"
#include "app/RendererContext.hpp"
#include "engine/mesh/MeshRegister.hpp"
#include "image/PngFile.hpp"
#include "mesh/TestTriangle.hpp"
#include "renderer/IRenderingApi.hpp"
#include "support/ChildProcess.hpp"
#include "support/ReadFile.hpp"
#include "support/RepositoryShaders.hpp"
#include "support/TempDir.hpp"
#include "support/XdoTool.hpp"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <regex>
#include <sstream>

namespace {

using namespace std::chrono_literals;
using ox::test::commandOutput;
using ox::test::readFile;

// Runs the program in `dir` with `arguments` (shell words) and returns what it
// printed on standard error followed by "exit=<code>"; `timeout` is the
// deadline should it not end by itself.
std::string runVexel(const std::filesystem::path& dir, const std::string& arguments,
                     int timeoutSeconds, const std::string& environment = "") {
    // Mesa is unloaded when GLFW terminates, so the child's leak checker can
    // only report its remains; the exit code speaks for the program.
    return commandOutput("cd '" + dir.string() + "' && " + environment +
                         " ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0 timeout " +
                         std::to_string(timeoutSeconds) + " " + VEXEL_BINARY + " " + arguments +
                         " 2>&1 >/dev/null; echo exit=$?");
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        result.push_back(line);
    }
    return result;
}

std::vector<double> csvFields(const std::string& row) {
    std::vector<double> fields;
    std::istringstream stream(row);
    for (std::string field; std::getline(stream, field, ',');) {
        fields.push_back(field.empty() ? -1.0 : std::stod(field));
    }
    return fields;
}

// One scripted flight with every file instrument on, then its recording
// replayed: the end-of-run line sits between the last frame and shut-down,
// the CSV has a row per frame with GPU times that add up, and the replay
// draws the very same frames.
TEST(InstrumentsGLTest, RecordedFlightReplaysByteForByteWithTimingsAndGpuTimes) {
    ox::test::TempDir dir;
    ox::test::copyRepositoryShaders(dir.path());
    const std::string frames = "1,61,62,64,65,90";
    const std::string flight = std::string(OX_GOLDEN_DIR) + "/flight.input";
    const std::string recorded =
        runVexel(dir.path(),
                 "--fixed-dt 0.016 --frames 90 --input '" + flight +
                     "' --record session.input --stats stats.csv --gpu-timing --capture a "
                     "--capture-frames " +
                     frames,
                 100);
    ASSERT_EQ(recorded, "exit=0") << readFile(dir / "vexel.log");
    const std::string log = readFile(dir / "vexel.log");

    // The line, then shut-down: the scene's meshes, the window, the renderer.
    const std::regex summary(
        R"(\(l:inf\) main > 90 frames; frame time without the first: mean (\d+\.\d{3}) ms, )"
        R"(median \d+\.\d{3} ms, 95th percentile \d+\.\d{3} ms, 99th percentile \d+\.\d{3} ms, )"
        R"(longest (\d+\.\d{3}) ms; GPU time per frame: mean \d+\.\d{3} ms, 99th percentile )"
        R"(\d+\.\d{3} ms(; render group \d: mean \d+\.\d{3} ms, 99th percentile \d+\.\d{3} )"
        R"(ms){3}\.$)");
    const auto all = lines(log);
    const auto at = std::find_if(all.begin(), all.end(), [&](const std::string& line) {
        return std::regex_search(line, summary);
    });
    ASSERT_NE(at, all.end()) << log;
    EXPECT_EQ(
        std::count_if(all.begin(), all.end(),
                      [](const std::string& line) { return line.find(" frames; ") != line.npos; }),
        1);
    const auto destroy = std::find_if(all.begin(), all.end(), [](const std::string& line) {
        return line.find("renderer > Destroying window") != line.npos;
    });
    EXPECT_LT(at, destroy) << log;
    EXPECT_TRUE(all.back().ends_with("renderer > Event dispatcher detached.")) << all.back();
    EXPECT_EQ(log.find("(l:err)"), std::string::npos) << log;

    // One row per frame; the frame's GPU time is the sum of segments that
    // include every group, so it is never below the longest group's.
    const auto rows = lines(readFile(dir / "stats.csv"));
    ASSERT_EQ(rows.size(), 91u);
    EXPECT_EQ(rows[0], "frame,frame_ms,gpu_frame_ms,gpu_group0_ms,gpu_group1_ms,gpu_group2_ms");
    for (std::size_t frame = 1; frame < rows.size(); ++frame) {
        const auto fields = csvFields(rows[frame]);
        ASSERT_EQ(fields.size(), 6u) << rows[frame];
        EXPECT_EQ(fields[0], static_cast<double>(frame)) << rows[frame];
        EXPECT_GT(fields[1], 0.0) << rows[frame];
        // Group 0 holds all 362 meshes; groups 1 and 2 are empty but timed.
        EXPECT_GT(fields[3], 0.0) << rows[frame];
        EXPECT_GE(fields[4], 0.0) << rows[frame];
        EXPECT_GE(fields[5], 0.0) << rows[frame];
        // Each field is rounded to a microsecond on its own.
        EXPECT_GE(fields[2] + 0.002, std::max({fields[3], fields[4], fields[5]})) << rows[frame];
    }

    // The recording is an input script with the flight's events at their frames.
    const std::string session = readFile(dir / "session.input");
    for (const char* event : {"\n2 key down T\n", "\n62 key up T\n", "\n63 button down 1\n",
                              "\n64 cursor 572 542\n", "\n65 button up 1\n"}) {
        EXPECT_NE(session.find(event), std::string::npos) << event << "\n" << session;
    }
    const std::string replayed =
        runVexel(dir.path(),
                 "--fixed-dt 0.016 --frames 90 --input session.input --capture b "
                 "--capture-frames " +
                     frames,
                 100);
    ASSERT_EQ(replayed, "exit=0") << readFile(dir / "vexel.log");
    for (const char* frame : {"1", "61", "62", "64", "65", "90"}) {
        const std::string name = std::string("frame-") + frame + ".png";
        const std::string original = readFile(dir / "a" / name);
        EXPECT_GT(original.size(), 1000u) << name;
        EXPECT_TRUE(original == readFile(dir / "b" / name)) << name << " differs in the replay";
    }
}

// A real F12 on the virtual display: the screenshot numbers on from the files
// there, is logged with its frame, and shows what a capture of that frame of
// the same fixed-step run shows.
TEST(InstrumentsGLTest, F12WritesTheFrameACaptureWouldShow) {
    ox::test::TempDir dir;
    ox::test::copyRepositoryShaders(dir.path());
    std::filesystem::create_directories(dir / "screenshots");
    std::ofstream(dir / "screenshots" / "vexel-4.png") << "an older screenshot";
    const std::regex written(R"(\(l:inf\) main > Screenshot of frame (\d+) written to )"
                             R"('screenshots/vexel-5\.png'\.)");
    std::smatch match;
    std::string log;
    {
        ox::test::ChildProcess vexel(VEXEL_BINARY, dir.path(), {{"ASAN_OPTIONS", "detect_leaks=0"}},
                                     {"--fixed-dt", "0.016"});
        const std::string window = ox::test::waitForMappedWindow(vexel.id(), 30s);
        ASSERT_FALSE(window.empty()) << "no mapped window appeared within 30 s";
        ASSERT_TRUE(ox::test::holdKeyUntil(
            window, "F12",
            [&] {
                log = readFile(dir / "vexel.log");
                return std::regex_search(log, match, written);
            },
            30s))
            << "the window would not take the keyboard focus";
        ASSERT_FALSE(match.empty()) << "no screenshot line within 30 s\n" << log;
        std::optional<int> code;
        ASSERT_TRUE(ox::test::holdKeyUntil(
            window, "Escape", [&] { return (code = vexel.waitFor(0ms)).has_value(); }, 20s));
        ASSERT_TRUE(code.has_value()) << "still running after Escape";
        EXPECT_EQ(*code, 0);
    }
    const std::string frame = match[1].str();
    const std::string captured = runVexel(
        dir.path(), "--fixed-dt 0.016 --frames " + frame + " --capture c --capture-frames " + frame,
        100);
    ASSERT_EQ(captured, "exit=0") << readFile(dir / "vexel.log");

    std::string error;
    const auto shot = ox::image::PngFile::read(dir / "screenshots" / "vexel-5.png", error);
    const auto capture = ox::image::PngFile::read(dir / "c" / ("frame-" + frame + ".png"), error);
    ASSERT_TRUE(shot && capture) << error;
    EXPECT_EQ(shot->width, 1024);
    EXPECT_EQ(shot->height, 1024);
    EXPECT_TRUE(shot->pixels == capture->pixels) << "frame " << frame;
    EXPECT_EQ(readFile(dir / "screenshots" / "vexel-4.png"), "an older screenshot");
}

// The terminal says why a start failed; the log file still has it all.
TEST(InstrumentsGLTest, AStartWithoutADisplayPrintsTheFatalLineOnStandardError) {
    ox::test::TempDir dir;
    const std::string output = runVexel(dir.path(), "", 20, "env -u DISPLAY -u WAYLAND_DISPLAY");
    EXPECT_TRUE(std::regex_search(
        output, std::regex(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d \(l:ftl\) main > Unable to )"
                           R"(initialize OpenGL renderer\.\n)")))
        << output;
    EXPECT_TRUE(output.ends_with("exit=1")) << output;
    // Only error and fatal lines go there.
    EXPECT_EQ(output.find("(l:inf)"), std::string::npos) << output;
    EXPECT_EQ(output.find("(l:dbg)"), std::string::npos) << output;
    EXPECT_NE(readFile(dir / "vexel.log").find("(l:ftl) main > Unable to initialize"),
              std::string::npos);
}

// In process: a debug context turns a deliberate GL error into a driver
// message line on "renderer", and the meshes' objects carry their labels.
TEST(InstrumentsGLTest, DriverMessagesAndLabelsWithADebugContext) {
    ox::test::TempDir dir;
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    std::vector<std::string> memoryLog;
    {
        ox::app::LoggingContext logging;
        ASSERT_TRUE(ox::app::setupLogging(memoryLog, logging));
        ox::app::RendererContext context;
        ox::renderer::opengl::renderer_options_t options;
        options.debugContext = true;
        ASSERT_TRUE(ox::app::setupRenderer(logging, context, options));
        ASSERT_TRUE(context.renderer->enableDriverMessages());
        const auto api = context.renderer->getRenderingApi();

        // 4242 was never generated: binding it is GL_INVALID_OPERATION.
        api->bindBuffer(ox::renderer::EBufferTarget::ArrayBuffer, 4242);

        auto meshes = std::make_shared<ox::engine::mesh::MeshRegister>(api);
        meshes->setDebugAnnotations(true);
        meshes->add(std::make_shared<ox::mesh::TestTriangle>(1.0f, 0.0f));
        meshes->initAll();
        std::vector<std::string> labels;
        const struct {
            GLenum type;
            GLboolean (*exists)(GLuint);
        } kinds[] = {
            {GL_PROGRAM, glIsProgram}, {GL_VERTEX_ARRAY, glIsVertexArray}, {GL_BUFFER, glIsBuffer}};
        for (const auto& kind : kinds) {
            // Names count up from 1; the triangle has few objects.
            for (GLuint name = 1; name <= 16; ++name) {
                if (kind.exists(name) != GL_TRUE) {
                    continue;
                }
                std::array<char, 128> text{};
                GLsizei length = 0;
                glGetObjectLabel(kind.type, name, static_cast<GLsizei>(text.size()), &length,
                                 text.data());
                if (length > 0) {
                    labels.emplace_back(text.data(), static_cast<std::size_t>(length));
                }
            }
        }
        std::sort(labels.begin(), labels.end());
        EXPECT_EQ(labels, (std::vector<std::string>{
                              "TestTriangle z=1 buffer 1", "TestTriangle z=1 buffer 2",
                              "TestTriangle z=1 program", "TestTriangle z=1 vertex array"}));
        meshes->deinitAll();
        meshes.reset();
        context.renderer->deinit();
        ox::app::releaseRenderer(context);
        ox::app::releaseLogging(logging);
    }
    std::filesystem::current_path(previous);
    const std::regex driverLine(R"(\(l:err\) renderer > OpenGL driver message: source API, )"
                                R"(type error, id \d+, severity (high|medium): .+)");
    const auto found = std::find_if(memoryLog.begin(), memoryLog.end(), [&](const auto& line) {
        return std::regex_search(line, driverLine);
    });
    EXPECT_NE(found, memoryLog.end()) << "no driver message line";
    // The driver's line comes with the checked layer's own.
    EXPECT_NE(std::find_if(memoryLog.begin(), memoryLog.end(),
                           [](const auto& line) {
                               return line.find("after 'glBindBuffer' call.") != line.npos;
                           }),
              memoryLog.end());
}

} // namespace
