#include "support/ChildProcess.hpp"
#include "support/Deadlines.hpp"
#include "support/ReadFile.hpp"
#include "support/RepositoryShaders.hpp"
#include "support/TempDir.hpp"
#include "support/XdoTool.hpp"

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

namespace {

using namespace std::chrono_literals;
using ox::test::readFile;

// Enough for the live run however fast its frames are; frames after the last
// one drawn are simply not written.
constexpr int capturedFrames = 1500;

std::string frameList() {
    std::string list = "1";
    for (int frame = 2; frame <= capturedFrames; ++frame) {
        list += "," + std::to_string(frame);
    }
    return list;
}

// The highest frame number written into `folder`, 0 when none is.
int lastCapturedFrame(const std::filesystem::path& folder) {
    int last = 0;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        static const std::regex name(R"(frame-(\d+)\.png)");
        std::smatch match;
        const std::string file = entry.path().filename().string();
        if (std::regex_match(file, match, name)) {
            last = std::max(last, std::stoi(match[1]));
        }
    }
    return last;
}

// The number of frames in the end-of-run line, 0 without one.
int framesDrawn(const std::string& log) {
    static const std::regex summary(R"(main > (\d+) frames; )");
    std::smatch match;
    return std::regex_search(log, match, summary) ? std::stoi(match[1]) : 0;
}

// Real input on the virtual display, recorded, then the recording replayed
// with the same fixed step: the replay must end with the frame the live run
// ended with and draw every frame the same, taps included. A tap arrives
// within one frame's poll, so its press and release share a frame in the
// recording; Escape ends the live run in the frame whose poll brought it.
TEST(SessionReplayGLTest, RealInputRecordedReplaysToTheSameLastFrameAndPictures) {
    ox::test::TempDir dir;
    ox::test::copyRepositoryShaders(dir.path());
    const std::string frames = frameList();
    const struct {
        const char* name;
        const char* xdotool; // %W is the window
        std::vector<std::string> recorded;
    } inputs[] = {
        {"T held", "keydown t sleep 0.4 keyup t", {"key down T", "key up T"}},
        {"a tap of C", "key c", {"key down C", "key up C"}},
        {"a wheel step up", "mousemove --window %W 512 512 click 4", {"wheel 0 1"}},
        {"a tap of Escape", "key Escape", {"key down Escape"}},
    };
    {
        ox::test::ChildProcess vexel(VEXEL_BINARY, dir.path(), {{"ASAN_OPTIONS", "detect_leaks=0"}},
                                     {"--fixed-dt", "0.016", "--record", "live.input", "--capture",
                                      "live", "--capture-frames", frames});
        const std::string window =
            ox::test::waitForMappedWindow(vexel.id(), ox::test::firstFrameDeadline);
        ASSERT_FALSE(window.empty()) << "no mapped window";
        ASSERT_TRUE(ox::test::focusWindow(window, 5s)) << "the window would not take the focus";
        // Waits until `count` more frames are drawn, so that each input
        // lands in frames of its own.
        const auto framesPass = [&](int count, std::chrono::seconds timeout) {
            const int from = lastCapturedFrame(dir / "live");
            const auto deadline = std::chrono::steady_clock::now() + timeout;
            while (lastCapturedFrame(dir / "live") < from + count) {
                if (std::chrono::steady_clock::now() > deadline) {
                    return false;
                }
                std::this_thread::sleep_for(20ms);
            }
            return true;
        };
        ASSERT_TRUE(framesPass(2, ox::test::firstFrameDeadline)) << "the frame loop never ran";
        for (const auto& input : inputs) {
            std::string command = input.xdotool;
            if (const auto at = command.find("%W"); at != std::string::npos) {
                command.replace(at, 2, window);
            }
            ox::test::xdotool(command, 10);
            if (&input != &inputs[std::size(inputs) - 1]) {
                ASSERT_TRUE(framesPass(3, 20s)) << input.name;
            }
        }
        const auto code = vexel.waitFor(20s);
        ASSERT_TRUE(code.has_value()) << "still running 20 s after a tap of Escape";
        EXPECT_EQ(*code, 0);
    }
    const int liveFrames = framesDrawn(readFile(dir / "vexel.log"));
    ASSERT_GT(liveFrames, 0) << readFile(dir / "vexel.log");
    const std::string recording = readFile(dir / "live.input");
    for (const auto& input : inputs) {
        for (const auto& event : input.recorded) {
            EXPECT_TRUE(std::regex_search(recording, std::regex("\n\\d+ " + event + "\n")))
                << input.name << ": no '" << event << "' in\n"
                << recording;
        }
    }

    ox::test::ChildProcess replay(VEXEL_BINARY, dir.path(), {{"ASAN_OPTIONS", "detect_leaks=0"}},
                                  {"--fixed-dt", "0.016", "--input", "live.input", "--capture",
                                   "replay", "--capture-frames", frames});
    const auto code = replay.waitFor(ox::test::firstFrameDeadline + 60s);
    ASSERT_TRUE(code.has_value()) << "the replay did not end by itself";
    EXPECT_EQ(*code, 0);
    EXPECT_EQ(framesDrawn(readFile(dir / "vexel.log")), liveFrames) << recording;
    EXPECT_EQ(lastCapturedFrame(dir / "replay"), lastCapturedFrame(dir / "live"));
    int different = 0;
    for (int frame = 1; frame <= lastCapturedFrame(dir / "live"); ++frame) {
        const std::string name = "frame-" + std::to_string(frame) + ".png";
        if (readFile(dir / "live" / name) != readFile(dir / "replay" / name) && ++different <= 5) {
            ADD_FAILURE() << name << " differs in the replay\n" << recording;
        }
    }
    EXPECT_EQ(different, 0);
}

} // namespace
