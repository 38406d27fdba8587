#pragma once

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string_view>

namespace ox::test {

// Gives `path` a modification time later than any given before in this test
// program, so that a file watcher sees a change at once, however coarse the
// file system's clock and without waiting for it.
inline void stampNewWriteTime(const std::filesystem::path& path) {
    static auto next = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
    next += std::chrono::seconds(1);
    std::filesystem::last_write_time(path, next);
}

// Replaces the file's content byte for byte (creating its folder) and stamps
// it with a new modification time.
inline void writeFile(const std::filesystem::path& path, std::string_view content) {
    std::filesystem::create_directories(path.parent_path());
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(content.data(), static_cast<std::streamsize>(content.size()));
    }
    stampNewWriteTime(path);
}

} // namespace ox::test
