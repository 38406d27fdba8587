#include "image/PngFile.hpp"
#include "support/ChildProcess.hpp"
#include "support/ReadFile.hpp"
#include "support/RepositoryShaders.hpp"
#include "support/TempDir.hpp"
#include "support/XdoTool.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <regex>

namespace {

using ox::test::commandOutput;
using ox::test::readFile;

std::string runVexel(const std::filesystem::path& dir, const std::string& arguments) {
    return commandOutput(
        "cd '" + dir.string() + "' && ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0 " +
        "timeout 240 " + VEXEL_BINARY + " " + arguments + " 2>&1 >/dev/null; echo exit=$?");
}

// Why this machine cannot take and read back RenderDoc captures; empty when
// it can.
std::string renderdocMissing() {
    if (commandOutput("ldconfig -p 2>/dev/null | grep -c 'librenderdoc\\.so '") == "0" &&
        !std::filesystem::exists("/usr/lib/librenderdoc.so")) {
        return "librenderdoc.so is not installed (package librenderdoc)";
    }
    if (commandOutput("command -v renderdoccmd").empty()) {
        return "renderdoccmd is not installed (package renderdoccmd)";
    }
    if (commandOutput("/usr/bin/python3 -c 'import renderdoc' 2>/dev/null; echo $?") != "0") {
        return "/usr/bin/python3 cannot import renderdoc (package python3-renderdoc)";
    }
    return {};
}

// Frame number -> capture path, from the run's log lines.
std::map<int, std::string> capturesLogged(const std::string& log) {
    static const std::regex line(
        R"(\(l:inf\) main > RenderDoc capture of frame (\d+) written to '([^']+)'\.)");
    std::map<int, std::string> captures;
    for (auto it = std::sregex_iterator(log.begin(), log.end(), line); it != std::sregex_iterator();
         ++it) {
        captures[std::stoi((*it)[1].str())] = (*it)[2].str();
    }
    return captures;
}

ox::image::rgba_image_t readPng(const std::filesystem::path& path) {
    std::string error;
    auto image = ox::image::PngFile::read(path, error);
    EXPECT_TRUE(image.has_value()) << error;
    return image ? *image : ox::image::rgba_image_t{};
}

// The golden flight, headless, with a listed frame and an F11 from the
// script: each capture is named after the run and its frame beside the log,
// replays through RenderDoc's own replay to exactly the pixels --capture read
// back from that frame, and its call list holds the meshes' debug groups.
TEST(RenderDocCaptureGLTest, HeadlessFlightCapturesReplayToTheCapturedPixels) {
    if (const std::string missing = renderdocMissing(); !missing.empty()) {
        GTEST_SKIP() << "RenderDoc is not usable here: " << missing;
    }
    ox::test::TempDir dir;
    ox::test::copyRepositoryShaders(dir.path());
    std::ofstream(dir / "flight.input")
        << readFile(std::filesystem::path(OX_GOLDEN_DIR) / "flight.input")
        << "30 key down F11\n30 key up F11\n";
    const std::string output =
        runVexel(dir.path(), "--headless --fixed-dt 0.016 --input flight.input --frames 62 "
                             "--capture cap --capture-frames 30,61 --renderdoc-frames 61");
    ASSERT_TRUE(output.ends_with("exit=0")) << output;
    const std::string log = readFile(dir / "vexel.log");
    EXPECT_NE(log.find("main > RenderDoc 1."), std::string::npos) << log;

    const auto captures = capturesLogged(log);
    ASSERT_EQ(captures.size(), 2u) << log;
    static const std::regex name(R"(vexel-\d{8}-\d{6}-(\d+)-frame-(\d+)\.rdc)");
    std::string run;
    for (const auto& [frame, path] : captures) {
        SCOPED_TRACE(path);
        const std::filesystem::path file(path);
        EXPECT_EQ(file.parent_path(), dir.path());
        std::smatch match;
        const std::string filename = file.filename().string();
        ASSERT_TRUE(std::regex_match(filename, match, name));
        EXPECT_EQ(match[2].str(), std::to_string(frame));
        run = run.empty() ? match[1].str() : run;
        EXPECT_EQ(match[1].str(), run) << "one run, one name";

        const std::filesystem::path replayed = dir / ("replayed-" + std::to_string(frame) + ".png");
        const std::string replay =
            commandOutput("EGL_PLATFORM=surfaceless timeout 120 /usr/bin/python3 '" OX_SOURCE_DIR
                          "/scripts/renderdoc-replay.py' '" +
                          path + "' '" + replayed.string() + "' 2>&1; echo exit=$?");
        ASSERT_TRUE(replay.ends_with("exit=0")) << replay;
        const auto captured = readPng(dir / "cap" / ("frame-" + std::to_string(frame) + ".png"));
        const auto image = readPng(replayed);
        ASSERT_EQ(image.width, captured.width);
        ASSERT_EQ(image.height, captured.height);
        // RenderDoc replays on the same driver, yet a few pixels of the grid's
        // lines come out one step apart (about 130 of a million, measured);
        // the back buffer's alpha is not part of the picture.
        std::size_t offByOne = 0;
        std::size_t different = 0;
        for (std::size_t i = 0; i < image.pixels.size(); ++i) {
            const int step = std::abs(image.pixels[i] - captured.pixels[i]);
            offByOne += i % 4 != 3 && step == 1 ? 1 : 0;
            different += i % 4 != 3 && step > 1 ? 1 : 0;
        }
        EXPECT_EQ(different, 0u);
        EXPECT_LT(offByOne, image.pixels.size() / 4 / 1000);
    }

    const std::filesystem::path xml = dir / "calls.xml";
    const std::string convert =
        commandOutput("timeout 120 renderdoccmd convert -f '" + captures.at(61) + "' -o '" +
                      xml.string() + "' -c xml 2>&1; echo exit=$?");
    ASSERT_TRUE(convert.ends_with("exit=0")) << convert;
    const std::string calls = readFile(xml);
    // Every mesh's draw in its debug group, named after the mesh.
    for (const char* mesh :
         {"TestSpaceGrid", "TestTriangleInstanced", "TestTriangle z=-180", "TestTriangle z=179"}) {
        EXPECT_NE(calls.find(std::string(R"(<string name="message" typename="string">)") + mesh +
                             "</string>"),
                  std::string::npos)
            << mesh;
    }
    const auto count = [&calls](const std::string& call) {
        std::size_t found = 0;
        for (auto at = calls.find(call); at != std::string::npos; at = calls.find(call, at + 1)) {
            ++found;
        }
        return found;
    };
    EXPECT_EQ(count(R"(name="glPushDebugGroup")"), 362u);
    EXPECT_EQ(count(R"(name="glPopDebugGroup")"), 362u);
}

// Real keys on a window of a run with RenderDoc: F11 captures a frame, F12
// takes a screenshot and nothing else, and Print Screen does nothing;
// RenderDoc's own keys would have left captures of their own beside the log.
TEST(RenderDocCaptureGLTest, EachKeyDoesOneThingUnderRenderDoc) {
    using namespace std::chrono_literals;
    if (const std::string missing = renderdocMissing(); !missing.empty()) {
        GTEST_SKIP() << "RenderDoc is not usable here: " << missing;
    }
    ox::test::TempDir dir;
    ox::test::copyRepositoryShaders(dir.path());
    std::string log;
    const auto logged = [&](const char* text) {
        return [&log, &dir, text] {
            log = readFile(dir / "vexel.log");
            return log.find(text) != std::string::npos;
        };
    };
    ox::test::ChildProcess vexel(VEXEL_BINARY, dir.path(), {{"ASAN_OPTIONS", "detect_leaks=0"}},
                                 {"--renderdoc", "--fixed-dt", "0.016"});
    const std::string window = ox::test::waitForMappedWindow(vexel.id(), 60s);
    ASSERT_FALSE(window.empty()) << "no mapped window appeared within 60 s";
    for (const auto& [key, line] : {std::pair{"F11", "main > RenderDoc capture of frame "},
                                    std::pair{"F12", "main > Screenshot of frame "}}) {
        ASSERT_TRUE(ox::test::holdKeyUntil(window, key, logged(line), 60s));
        ASSERT_NE(log.find(line), std::string::npos) << key << " did nothing\n" << log;
    }
    ox::test::xdotool("key --window " + window + " Print");
    ASSERT_TRUE(ox::test::holdKeyUntil(
        window, "Escape", [&] { return vexel.waitFor(0ms).has_value(); }, 30s));
    ASSERT_EQ(vexel.waitFor(0ms), 0);
    std::vector<std::string> captures;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
        if (entry.path().extension() == ".rdc") {
            captures.push_back(entry.path().filename().string());
        }
    }
    ASSERT_EQ(captures.size(), 1u) << log;
    EXPECT_NE(log.find(captures[0]), std::string::npos) << "the one F11 asked for";
}

// Without RenderDoc in the process, F11 takes nothing and says how to get it.
TEST(RenderDocCaptureGLTest, F11WithoutRenderDocIsAnErrorLine) {
    ox::test::TempDir dir;
    ox::test::copyRepositoryShaders(dir.path());
    std::ofstream(dir / "f11.input") << "2 key down F11\n2 key up F11\n";
    const std::string output =
        runVexel(dir.path(), "--headless --fixed-dt 0.016 --input f11.input --frames 3");
    ASSERT_TRUE(output.ends_with("exit=0")) << output;
    EXPECT_NE(readFile(dir / "vexel.log")
                  .find("(l:err) main > RenderDoc capture of frame 2 not taken: RenderDoc is not "
                        "in the process; start the program with --renderdoc (package "
                        "librenderdoc)."),
              std::string::npos);
}

} // namespace
