#include "support/ChildProcess.hpp"
#include "support/DirectorySnapshot.hpp"
#include "support/ReadFile.hpp"
#include "support/TempDir.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

namespace {

// An output that is another name of a file the run reads or writes, or that
// cannot be written, is refused with one line (exit code 2) before anything
// is touched; a start that fails (no display, exit code 1) creates no output
// either, so every file but the log stays as it was.
TEST(LaunchTest, NoFileChangesUnlessTheRunStarts) {
    ox::test::TempDir dir;
    std::ofstream(dir / "s.input") << "2 key down T\n";
    std::ofstream(dir / "old.csv") << "frame,frame_ms\n1,16.000\n";
    std::ofstream(dir / "vexel.log") << "the log of an earlier run\n";
    std::filesystem::create_hard_link(dir / "s.input", dir / "hard.csv");
    std::filesystem::create_directory(dir / "sub");
    const struct {
        std::string arguments;
        std::string says;
        int exit = 2;
    } cases[] = {
        {"--input s.input --record s.input --frames 5",
         "vexel: --record s.input: is the same file as --input s.input\n"},
        {"--input s.input --stats ./s.input", ": is the same file as --input s.input\n"},
        {"--input s.input --stats " + (dir / "s.input").string(), ": is the same file as --input"},
        {"--input s.input --stats hard.csv",
         "vexel: --stats hard.csv: is the same file as --input"},
        {"--record ./vexel.log", "vexel: --record ./vexel.log: is the same file as the log file"},
        {"--stats new.csv --record ./new.csv", "--record ./new.csv: is the same file as --stats"},
        {"--capture . --capture-frames 1 --stats frame-1.png",
         "vexel: --capture ./frame-1.png: is the same file as --stats frame-1.png\n"},
        {"--stats old.csv --record nodir/rec.txt",
         "vexel: --record nodir/rec.txt: cannot be written (No such file or directory)\n"},
        {"--stats old.csv --record sub", "vexel: --record sub: is a directory\n"},
        {"--input s.input --stats x.csv --input s.input",
         "vexel: --input is given twice; it takes one value\n"},
        {"--input s.input --stats old.csv --record new.csv --frames 5",
         "(l:ftl) main > Unable to initialize OpenGL renderer.\n", 1},
    };
    auto before = ox::test::snapshot(dir.path());
    for (const auto& c : cases) {
        // Without a display: a command line wrongly let through fails to start.
        const std::string output = ox::test::commandOutput(
            "cd '" + dir.path().string() + "' && env -u DISPLAY -u WAYLAND_DISPLAY timeout 20 " +
            VEXEL_BINARY + " " + c.arguments + " 2>&1 >/dev/null; echo exit=$?");
        EXPECT_NE(output.find(c.says), std::string::npos) << c.arguments << "\n" << output;
        EXPECT_TRUE(output.ends_with("\nexit=" + std::to_string(c.exit))) << output;
        auto after = ox::test::snapshot(dir.path());
        if (c.exit == 2) {
            EXPECT_EQ(std::count(output.begin(), output.end(), '\n'), 1) << output;
        } else {
            // The log is the one file every start empties and writes.
            after.erase("vexel.log");
            before.erase("vexel.log");
        }
        EXPECT_EQ(after, before) << c.arguments;
    }
}

} // namespace
