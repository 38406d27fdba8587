#include "harness/RunOutputs.hpp"
#include "support/CurrentDirectory.hpp"
#include "support/RecordingLoggingContext.hpp"
#include "support/TempDir.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <utility>
#include <vector>

namespace {

namespace kinds = ox::harness::output_kinds;
using ox::harness::output_kind_t;
using ox::harness::RunOutputs;

// Outputs that are other names of a file the run reads or writes, or that
// cannot be made, are refused with one line naming both; the check itself
// creates nothing.
TEST(RunOutputsTest, CollisionsByFileIdentityAndUnwritableOutputsAreRefusedUntouched) {
    ox::test::TempDir dir;
    ox::test::CurrentDirectory inside(dir.path());
    std::ofstream("s.input") << "2 key down T\n";
    std::ofstream("file") << "in the way\n";
    std::ofstream("vexel.log") << "the log of an earlier run\n";
    std::filesystem::create_hard_link("s.input", "hard.csv");
    std::filesystem::create_symlink("vexel.log", "link.log");
    using files_t = std::vector<std::pair<const output_kind_t*, std::string>>;
    const struct {
        files_t files;
        std::string error; // empty: accepted
    } cases[] = {
        {{{&kinds::input, "s.input"}, {&kinds::stats, "./s.input"}},
         "--stats ./s.input: is the same file as --input s.input"},
        {{{&kinds::input, "s.input"}, {&kinds::record, "hard.csv"}},
         "--record hard.csv: is the same file as --input s.input"},
        {{{&kinds::log, "./vexel.log"}, {&kinds::stats, "link.log"}},
         "--stats link.log: is the same file as the log file ./vexel.log"},
        {{{&kinds::stats, "out/frame-1.png"},
          {&kinds::capture, "out/frame-1.png"},
          {&kinds::captureFolder, "out"}},
         "--capture out/frame-1.png: is the same file as --stats out/frame-1.png"},
        {{{&kinds::stats, "frames"}, {&kinds::captureFolder, "frames"}},
         "--capture frames: is the same file as --stats frames"},
        {{{&kinds::record, "screenshots"}, {&kinds::screenshots, "screenshots"}},
         "the F12 screenshots folder screenshots: is the same file as --record screenshots"},
        {{{&kinds::captureFolder, "file/frames"}},
         "--capture file/frames: cannot create the folder or write into it (Not a directory)"},
        {{{&kinds::record, "nodir/r.input"}},
         "--record nodir/r.input: cannot be written (No such file or directory)"},
        // Captures are distinct names, and folders only gain names of their
        // own: a shared folder is no collision, nor a device.
        {{{&kinds::capture, "out/frame-1.png"},
          {&kinds::capture, "out/frame-2.png"},
          {&kinds::captureFolder, "new/deeper/out"},
          {&kinds::screenshots, "new/deeper/out"},
          {&kinds::stats, "/dev/null"},
          {&kinds::record, "/dev/null"}},
         ""},
    };
    for (const auto& c : cases) {
        RunOutputs outputs;
        for (const auto& [kind, path] : c.files) {
            outputs.add(*kind, path);
        }
        std::string error;
        EXPECT_EQ(outputs.check(error), c.error.empty()) << c.error;
        EXPECT_EQ(error, c.error);
    }
    EXPECT_FALSE(std::filesystem::exists("new")) << "a check creates nothing";
}

// Nothing is created before the start; at the start the capture folder is,
// and each file on request; at the end a file that lost bytes is reported.
TEST(RunOutputsTest, FilesAreCreatedOnlyOnceStartedAndAnIncompleteOneIsReportedAtTheEnd) {
    if (!std::filesystem::exists("/dev/full")) {
        GTEST_SKIP() << "no /dev/full on this machine";
    }
    ox::test::TempDir dir;
    ox::test::RecordingLoggingContext logging;
    RunOutputs outputs;
    outputs.add(kinds::stats, "/dev/full");
    outputs.add(kinds::record, dir / "r.input");
    outputs.add(kinds::captureFolder, dir / "frames");
    outputs.attach(logging.logging, {});
    EXPECT_EQ(outputs.open(kinds::record), nullptr);
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));

    outputs.started();
    EXPECT_TRUE(std::filesystem::is_directory(dir / "frames"));
    EXPECT_EQ(outputs.open(kinds::input), nullptr) << "not registered";
    ox::harness::OutputFile* record = outputs.open(kinds::record);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(outputs.open(kinds::record), record) << "one file per output";
    ox::harness::OutputFile* stats = outputs.open(kinds::stats);
    ASSERT_NE(stats, nullptr);
    record->write("1 key down T\n");
    stats->write(std::string(1 << 17, 'x'));
    EXPECT_TRUE(logging.writer->lines.empty());

    outputs.loopEnded();
    EXPECT_EQ(logging.writer->messages(),
              std::vector<std::string>{
                  "Frame statistics incomplete: /dev/full: No space left on device"});
    EXPECT_FALSE(record->write("late\n")) << "closed at the end";
    std::ifstream written(dir / "r.input");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(written), {}), "1 key down T\n");
}

} // namespace
