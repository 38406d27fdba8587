#include "platform/FileAccess.hpp"

#include "support/TempDir.hpp"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace {

namespace fs = std::filesystem;

std::string bytesOf(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Text mode ends lines the system's way, binary mode keeps the bytes, and
// appending adds to what is there.
TEST(FileAccessTest, TextModeEndsLinesTheSystemsWayAndBinaryKeepsTheBytes) {
#ifdef _WIN32
    const std::string lineEnd = "\r\n";
#else
    const std::string lineEnd = "\n";
#endif
    struct row_t {
        const char* mode;
        const char* before;
        std::string after;
    };
    const row_t rows[] = {
        {"w", "old", "one" + lineEnd + "two" + lineEnd},
        {"wb", "old", "one\ntwo\n"},
        {"a", "old", "old" + ("one" + lineEnd) + "two" + lineEnd},
    };
    for (const row_t& row : rows) {
        SCOPED_TRACE(row.mode);
        const ox::test::TempDir dir;
        std::ofstream(dir / "vexel.log", std::ios::binary) << row.before;
        std::FILE* stream = ox::platform::openFile(dir / "vexel.log", row.mode);
        ASSERT_NE(stream, nullptr);
        std::fputs("one\ntwo\n", stream);
        std::fclose(stream);
        EXPECT_EQ(bytesOf(dir / "vexel.log"), row.after);
    }
}

// Of two creations under one name exactly one succeeds; the other says the
// name is taken and leaves the file as the first one wrote it.
TEST(FileAccessTest, ExclusiveCreationGivesANameToOneWriterOnly) {
    const ox::test::TempDir dir;
    const fs::path file = dir / "vexel-1.png";
    std::FILE* first = ox::platform::createNewFile(file);
    ASSERT_NE(first, nullptr);
    std::fputs("first\n", first);
    std::fclose(first);

    errno = 0;
    EXPECT_EQ(ox::platform::createNewFile(file), nullptr);
    EXPECT_EQ(errno, EEXIST);
    EXPECT_EQ(bytesOf(file), "first\n");

    errno = 0;
    EXPECT_EQ(ox::platform::createNewFile(dir / "missing" / "vexel-1.png"), nullptr);
    EXPECT_EQ(errno, ENOENT);
}

// The checks read only: a writable file passes and opens, a file without
// write permission (Windows: read-only) is refused, unless the user is root,
// whom POSIX systems let write anyway; a missing name or folder is named so.
TEST(FileAccessTest, WriteChecksRefuseReadOnlyFilesAndMissingFolders) {
    const ox::test::TempDir dir;
    std::ofstream(dir / "stats.csv", std::ios::binary) << "kept\n";
    std::ofstream(dir / "locked.csv", std::ios::binary) << "kept\n";
    fs::permissions(dir / "locked.csv",
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
#ifdef _WIN32
    const int lockedError = EACCES;
#else
    const int lockedError = geteuid() == 0 ? 0 : EACCES;
#endif

    EXPECT_EQ(ox::platform::fileWriteError(dir / "stats.csv"), 0);
    EXPECT_EQ(ox::platform::fileWriteError(dir / "locked.csv"), lockedError);
    EXPECT_EQ(bytesOf(dir / "stats.csv"), "kept\n");
    EXPECT_EQ(bytesOf(dir / "locked.csv"), "kept\n");
    std::FILE* stream = ox::platform::openFile(dir / "stats.csv", "a");
    EXPECT_NE(stream, nullptr);
    if (stream != nullptr) {
        std::fclose(stream);
    }
    EXPECT_EQ(ox::platform::fileWriteError(dir / "missing.csv"), ENOENT);

    EXPECT_EQ(ox::platform::folderWriteError(dir.path()), 0);
    EXPECT_EQ(ox::platform::folderWriteError(dir / "missing"), ENOENT);
    fs::permissions(dir / "locked.csv", fs::perms::owner_write, fs::perm_options::add);
}

} // namespace
