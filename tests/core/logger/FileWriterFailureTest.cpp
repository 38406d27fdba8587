#include "core/logger/LoggerMachinery.hpp"
#include "core/logger/impl/BackInsertIterator.hpp"
#include "core/logger/impl/FileWriter.hpp"
#include "support/TempDir.hpp"

#include <gtest/gtest.h>

using ox::core::logger::ELogLevel;
using ox::core::logger::impl::BackInsertIterator;
using ox::core::logger::impl::FileWriter;

namespace {

// Runs alone in its process: it exhausts the process-wide failure budget.
TEST(FileWriterFailureTest, UnwritableDirectoryStopsFileWritesAfterTenFailures) {
    ox::test::TempDir dir;
    // A directory that does not exist: permission bits would not stop root.
    const auto missing = dir / "no-such-dir";
    const auto badPath = missing / "vexel.log";

    std::vector<std::string> memory;
    auto root = std::make_shared<ox::core::logger::LoggerMachinery>();
    root->addWriter(std::make_shared<BackInsertIterator>(&memory, ELogLevel::Debug));
    ASSERT_NO_THROW(
        root->addWriter(std::make_shared<FileWriter>(badPath.string(), ELogLevel::Debug)));
    EXPECT_EQ(FileWriter::getFailureCount(), 0) << "a failed truncation is not counted";

    auto channel = root->createLogApi("main", ELogLevel::Debug);
    for (int i = 0; i < 9; ++i) {
        channel->log(ELogLevel::Info, "line");
    }
    EXPECT_EQ(FileWriter::getFailureCount(), 9);

    // Once the directory appears, the writer still has budget left and writes.
    std::filesystem::create_directory(missing);
    channel->log(ELogLevel::Info, "written");
    EXPECT_TRUE(std::filesystem::exists(badPath));
    std::filesystem::remove_all(missing);

    // The tenth failure is the last one: with the directory back, nothing more
    // reaches the file.
    channel->log(ELogLevel::Info, "tenth failure");
    EXPECT_EQ(FileWriter::getFailureCount(), 10);
    std::filesystem::create_directory(missing);
    channel->log(ELogLevel::Info, "silenced");
    channel->log(ELogLevel::Info, "silenced");
    EXPECT_FALSE(std::filesystem::exists(badPath));
    EXPECT_EQ(FileWriter::getFailureCount(), 10);

    // The budget is shared: a new writer on a good path stays silent too.
    const auto goodPath = dir / "good.log";
    FileWriter fresh(goodPath.string(), ELogLevel::Debug);
    fresh.write(ELogLevel::Info, "silenced");
    EXPECT_EQ(std::filesystem::file_size(goodPath), 0u);

    // The memory writer never missed a line.
    EXPECT_EQ(memory.size(), 13u);
}

} // namespace
