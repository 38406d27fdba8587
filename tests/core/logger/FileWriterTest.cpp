#include "core/logger/impl/FileWriter.hpp"
#include "core/logger/LoggerMachinery.hpp"
#include "support/ReadFile.hpp"
#include "support/TempDir.hpp"

#include <fstream>
#include <gtest/gtest.h>

using ox::core::logger::ELogLevel;
using ox::core::logger::impl::FileWriter;
using ox::test::readFile;
using ox::test::textLineEnd;

namespace {

TEST(FileWriterTest, ExistingFileIsEmptiedAtConstruction) {
    ox::test::TempDir dir;
    const auto path = dir / "vexel.log";
    std::ofstream(path) << "left over from an earlier run\n";

    FileWriter writer(path.string(), ELogLevel::Debug);
    EXPECT_TRUE(std::filesystem::exists(path));
    EXPECT_EQ(std::filesystem::file_size(path), 0u);
}

TEST(FileWriterTest, EachLineIsOnDiskWhenWriteReturns) {
    ox::test::TempDir dir;
    const auto path = dir / "vexel.log";
    FileWriter writer(path.string(), ELogLevel::Debug);

    writer.write(ELogLevel::Info, "first");
    EXPECT_EQ(readFile(path), "first" + textLineEnd);
    writer.write(ELogLevel::Error, "second {}");
    EXPECT_EQ(readFile(path), "first" + textLineEnd + "second {}" + textLineEnd);
    EXPECT_EQ(FileWriter::getFailureCount(), 0);
}

TEST(FileWriterTest, LevelsBelowThresholdAreNotWritten) {
    ox::test::TempDir dir;
    const auto path = dir / "vexel.log";
    FileWriter writer(path.string(), ELogLevel::Debug);
    writer.write(ELogLevel::None, "dropped");
    writer.setThreshold(ELogLevel::Warning);
    writer.write(ELogLevel::Info, "dropped too");
    writer.write(ELogLevel::Warning, "kept");
    EXPECT_EQ(readFile(path), "kept" + textLineEnd);
}

TEST(FileWriterTest, LinesFromAChannelEndUpInTheFile) {
    ox::test::TempDir dir;
    const auto path = dir / "vexel.log";
    auto root = std::make_shared<ox::core::logger::LoggerMachinery>();
    root->addWriter(std::make_shared<FileWriter>(path.string(), ELogLevel::Debug));
    auto channel = root->createLogApi("main", ELogLevel::Debug);
    channel->log(ELogLevel::Fatal, "Unable to initialize OpenGL renderer.");
    const std::string content = readFile(path);
    EXPECT_TRUE(
        content.ends_with("(l:ftl) main > Unable to initialize OpenGL renderer." + textLineEnd))
        << content;
}

TEST(FileWriterTest, FileRemovedBetweenLinesIsCreatedAgain) {
    ox::test::TempDir dir;
    const auto path = dir / "vexel.log";
    FileWriter writer(path.string(), ELogLevel::Debug);
    writer.write(ELogLevel::Info, "one");
    std::filesystem::remove(path);
    writer.write(ELogLevel::Info, "two");
    EXPECT_EQ(readFile(path), "two" + textLineEnd);
}

} // namespace
