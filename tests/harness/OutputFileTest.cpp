#include "harness/OutputFile.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

using ox::harness::OutputFile;

// A full disk: /dev/full takes the file open and refuses every byte.
TEST(OutputFileTest, AFileThatTakesNoBytesSaysSoAtCloseAndDropsTheRest) {
    if (!std::filesystem::exists("/dev/full")) {
        GTEST_SKIP() << "no /dev/full on this machine";
    }
    std::string error;
    auto file = OutputFile::open("/dev/full", error);
    ASSERT_TRUE(file) << error;
    // More than the file's buffer, so that the device is reached before close.
    const std::string block(48 * 1024, 'x');
    EXPECT_TRUE(file->write(block));
    EXPECT_FALSE(file->write(block));
    EXPECT_FALSE(file->write("one more line\n"));
    EXPECT_FALSE(file->close(error));
    EXPECT_EQ(error, "/dev/full: No space left on device");
    std::string again;
    EXPECT_TRUE(file->close(again)) << "a second close reports nothing new";
}

} // namespace
