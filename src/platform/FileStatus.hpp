#pragma once

#include <cstdint>
#include <filesystem>
#include <system_error>

namespace ox::platform {

struct file_status_t {
    std::filesystem::file_time_type lastWriteTime{};
    std::uintmax_t size = 0;
};

// The write time and the size of a regular file from one status query: files
// polled every frame cost one system call, not one per figure. A directory
// reports is_a_directory, any other file that is not a regular one
// not_supported, as the standard library does for the same files.
file_status_t fileStatus(const std::filesystem::path& path, std::error_code& error);

} // namespace ox::platform
