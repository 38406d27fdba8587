#include "platform/FileStatus.hpp"

#include "support/TempDir.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <system_error>

namespace {

namespace fs = std::filesystem;

// The time and size of one query agree with what the standard library reads
// for the same file (to the second: MinGW's library reads no finer), also
// after the time was set to a second in 2021 or moved by one second; other
// files are refused with the standard library's errors.
TEST(FileStatusTest, ReportsTheWriteTimeAndSizeOfRegularFilesAndRefusesOthers) {
    const ox::test::TempDir dir;
    std::ofstream(dir / "shader.frag", std::ios::binary) << "void main() {}\n";
    fs::create_directory(dir / "folder");
    // 2021-01-01 00:00:00 UTC.
    const auto fixed = fs::file_time_type::clock::from_sys(
        std::chrono::sys_seconds(std::chrono::seconds(1609459200)));

    struct row_t {
        const char* what;
        const char* name;
        fs::file_time_type setTime;
        std::errc error;
    };
    const row_t rows[] = {
        {"as written", "shader.frag", {}, {}},
        {"set to 2021", "shader.frag", fixed, {}},
        {"one second later", "shader.frag", fixed + std::chrono::seconds(1), {}},
        {"a folder", "folder", {}, std::errc::is_a_directory},
        {"missing", "missing.frag", {}, std::errc::no_such_file_or_directory},
        {"in a missing folder", "missing/shader.frag", {}, std::errc::no_such_file_or_directory},
    };
    for (const row_t& row : rows) {
        SCOPED_TRACE(row.what);
        const fs::path path = dir / row.name;
        if (row.setTime != fs::file_time_type{}) {
            fs::last_write_time(path, row.setTime);
        }
        std::error_code error;
        const auto status = ox::platform::fileStatus(path, error);
        if (row.error != std::errc{}) {
            EXPECT_EQ(error, std::make_error_code(row.error)) << error.message();
            continue;
        }
        ASSERT_FALSE(error) << error.message();
        EXPECT_EQ(status.size, 15u);
        using std::chrono::floor;
        using std::chrono::seconds;
        EXPECT_EQ(floor<seconds>(status.lastWriteTime), floor<seconds>(fs::last_write_time(path)));
        if (row.setTime != fs::file_time_type{}) {
            EXPECT_EQ(status.lastWriteTime, row.setTime);
        }
    }
}

} // namespace
