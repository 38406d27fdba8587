#include "support/ChildProcess.hpp"
#include "support/Deadlines.hpp"
#include "support/ReadFile.hpp"
#include "support/RepositoryShaders.hpp"
#include "support/TempDir.hpp"
#include "support/XdoTool.hpp"

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <regex>

using namespace std::chrono_literals;
using ox::test::ChildProcess;
using ox::test::readFile;

namespace {

// Faults injected into the running program from outside, the way they reach a
// user: a log file that cannot be written, no shaders/ folder, and (through
// the GL probe, tests/soak/GlProbe.cpp) a burst of GL errors and a key code
// that no table knows, as the driver and the window system would deliver them.

const std::string stamp = R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d )";

std::ptrdiff_t countMatches(const std::string& text, const std::string& pattern) {
    const std::regex regex(pattern);
    return std::distance(std::sregex_iterator(text.begin(), text.end(), regex),
                         std::sregex_iterator());
}

// The demo in a scratch working directory with the GL probe preloaded.
struct ProbedVexel {
    ox::test::TempDir dir;
    std::unique_ptr<ChildProcess> process;
    std::string window;

    void start(bool withShaders = true) {
        if (withShaders) {
            ox::test::copyRepositoryShaders(dir.path());
        }
        const char* current = std::getenv("ASAN_OPTIONS");
        const std::string asan = current != nullptr ? std::string(current) + ":" : std::string();
        process = std::make_unique<ChildProcess>(
            VEXEL_BINARY, dir.path(),
            std::vector<std::pair<std::string, std::optional<std::string>>>{
                {"LD_PRELOAD", OX_GL_PROBE},
                {"OX_GL_PROBE_OUT", (dir / "gl-objects.txt").string()},
                // The probe is loaded ahead of the sanitizer runtime; leak
                // checking is off for the reason VexelAppGLTest gives.
                {"ASAN_OPTIONS", asan + "verify_asan_link_order=0:detect_leaks=0"}});
        window = ox::test::waitForMappedWindow(process->id(), 20s);
    }

    std::string log() const { return readFile(dir / "vexel.log"); }

    // True once the frame loop has set its first statistics title.
    bool waitForFrames() const {
        return ox::test::waitForTitle(window, "FPS: ", ox::test::firstFrameDeadline);
    }

    bool waitForLog(const std::string& pattern, std::ptrdiff_t count = 1,
                    std::chrono::milliseconds timeout = 10s) const {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while (countMatches(log(), pattern) < count) {
            if (std::chrono::steady_clock::now() >= deadline) {
                return false;
            }
            std::this_thread::sleep_for(50ms);
        }
        return true;
    }

    // Escape, held until the program ends, as the user ends it; its exit code,
    // or empty if it still runs after three tries. Another test's window
    // opening may take the focus while the key is held, so a lost Escape is
    // sent again.
    std::optional<int> quit() {
        std::optional<int> code;
        for (int attempt = 0; attempt < 3 && !code; ++attempt) {
            ox::test::holdKeyUntil(
                window, "Escape", [&] { return (code = process->waitFor(0ms)).has_value(); }, 5s);
        }
        return code ? code : process->waitFor(0ms);
    }
};

TEST(VexelFaultInjectionGLTest, UnwritableLogFileLeavesTheProgramRunning) {
    ProbedVexel vexel;
    std::filesystem::create_directory(vexel.dir / "vexel.log");
    vexel.start();
    ASSERT_FALSE(vexel.window.empty()) << "no mapped window appeared within 20 s";
    EXPECT_TRUE(vexel.waitForFrames()) << "the frame loop never set its title";
    EXPECT_EQ(vexel.quit(), std::optional<int>(0));
    EXPECT_TRUE(std::filesystem::is_directory(vexel.dir / "vexel.log"));
    EXPECT_TRUE(std::filesystem::is_empty(vexel.dir / "vexel.log"));
}

TEST(VexelFaultInjectionGLTest, SixtyQueuedGlErrorsGiveFiftyOneLinesThenTheBailLine) {
    ProbedVexel vexel;
    vexel.start();
    ASSERT_FALSE(vexel.window.empty()) << "no mapped window appeared within 20 s";
    ASSERT_TRUE(vexel.waitForFrames()) << "the frame loop never set its title";
    ASSERT_EQ(vexel.log().find("OpenGL error"), std::string::npos) << vexel.log();

    kill(vexel.process->id(), SIGUSR1);
    const std::string error =
        stamp + R"(\(l:err\) renderer > OpenGL error InvalidOperation \(internal: 0x0502\) )"
                R"(after '([^']+)' call\.\n)";
    const std::string bail = stamp + R"(\(l:err\) renderer > Too many renderer errors caused by )"
                                     R"('([^']+)', bailing error code polling!\n)";
    // The nine codes left queued: one taken by the bail, eight reported by the
    // next poll.
    ASSERT_TRUE(vexel.waitForLog(bail) && vexel.waitForLog(error, 51 + 8))
        << "no bail line, or fewer than 59 error lines:\n"
        << vexel.log();

    const std::string log = vexel.log();
    std::vector<std::string> lines;
    for (std::size_t start = 0, end; (end = log.find('\n', start)) != std::string::npos;
         start = end + 1) {
        lines.push_back(log.substr(start, end + 1 - start));
    }
    const std::regex errorLine(error);
    const std::regex bailLine(bail);
    std::smatch match;
    const auto bailAt = std::find_if(lines.begin(), lines.end(), [&](const std::string& text) {
        return std::regex_match(text, bailLine);
    });
    ASSERT_NE(bailAt, lines.end());
    ASSERT_TRUE(std::regex_match(*bailAt, match, bailLine));
    const std::string call = match[1];
    ASSERT_GE(bailAt - lines.begin(), 51);
    for (auto line = bailAt - 51; line != bailAt; ++line) {
        ASSERT_TRUE(std::regex_match(*line, match, errorLine) && match[1] == call)
            << "the bail line naming '" << call
            << "' does not follow 51 error lines of that call:\n"
            << log;
    }
    // Exactly 51: the burst starts right there.
    EXPECT_TRUE(bailAt - lines.begin() == 51 || !std::regex_match(*(bailAt - 52), errorLine))
        << "more than 51 error lines before the bail line:\n"
        << log;
    EXPECT_EQ(countMatches(log, error), 51 + 8) << log;
    EXPECT_EQ(vexel.quit(), std::optional<int>(0));
}

TEST(VexelFaultInjectionGLTest, UnknownKeyCodeGivesOneTranslationErrorAndTheProgramGoesOn) {
    ProbedVexel vexel;
    vexel.start();
    ASSERT_FALSE(vexel.window.empty()) << "no mapped window appeared within 20 s";
    ASSERT_TRUE(vexel.waitForFrames()) << "the frame loop never set its title";

    kill(vexel.process->id(), SIGUSR2);
    const std::string line =
        stamp + R"(\(l:err\) renderer > Failed to translate keyCode and/or actionCode\. Inputs: )"
                R"(keyCode = 999, actionCode = 1\. Translations statuses: keyCode = failed, )"
                R"(actionCode = ok\n)";
    ASSERT_TRUE(vexel.waitForLog(line)) << vexel.log();
    // A few more frames: nothing else comes of it.
    std::this_thread::sleep_for(500ms);
    EXPECT_EQ(countMatches(vexel.log(), line), 1) << vexel.log();
    EXPECT_EQ(countMatches(vexel.log(), R"(\(l:(err|ftl)\))"), 1) << vexel.log();
    EXPECT_EQ(vexel.quit(), std::optional<int>(0));
}

} // namespace

namespace {

TEST(VexelFaultInjectionGLTest, MissingShadersFolderIsReportedOnceAndPickedUpWhenItAppears) {
    ProbedVexel vexel;
    vexel.start(false);
    ASSERT_FALSE(vexel.window.empty()) << "no mapped window appeared within 20 s";
    ASSERT_TRUE(vexel.waitForFrames()) << "the frame loop never set its title";

    const std::vector<std::pair<std::string, std::string>> files = {
        {"TestSpaceGrid", "shaders/test-space-grid.frag"},
        {"TestSpaceGrid", "shaders/test-space-grid.vert"},
        {"TestTriangleInstanced", "shaders/test-triangle-instanced.frag"},
        {"TestTriangleInstanced", "shaders/test-triangle-instanced.vert"}};
    const auto missing = [](const std::pair<std::string, std::string>& file) {
        return stamp + R"(\(l:err\) )" + file.first + " > file reloader > Cannot read file '" +
               file.second + R"(': No such file or directory\.
)";
    };
    for (const auto& file : files) {
        EXPECT_TRUE(vexel.waitForLog(missing(file))) << file.second << ":\n" << vexel.log();
    }
    // Many frames later each is still reported once: the cause has not changed.
    std::this_thread::sleep_for(1s);
    for (const auto& file : files) {
        EXPECT_EQ(countMatches(vexel.log(), missing(file)), 1) << file.second;
    }

    const std::size_t before = vexel.log().size();
    ox::test::copyRepositoryShaders(vexel.dir.path());
    for (const auto& file : files) {
        EXPECT_TRUE(vexel.waitForLog(stamp + R"(\(l:dbg\) )" + file.first +
                                     " > file reloader > Reloading file '" + file.second +
                                     R"('\.
)")) << file.second
     << " was not picked up:\n"
     << vexel.log();
    }
    std::this_thread::sleep_for(500ms);
    EXPECT_EQ(countMatches(vexel.log().substr(before), R"(\(l:(err|ftl)\))"), 0)
        << "the files put back were not accepted:\n"
        << vexel.log().substr(before);
    EXPECT_EQ(vexel.quit(), std::optional<int>(0));
}

} // namespace
