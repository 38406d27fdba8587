#include "platform/FileStatus.hpp"

#include <sys/stat.h>

#include <cerrno>
#include <chrono>

namespace ox::platform {

file_status_t fileStatus(const std::filesystem::path& path, std::error_code& error) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        error.assign(errno, std::generic_category());
        return {};
    }
    if (S_ISDIR(info.st_mode)) {
        error = std::make_error_code(std::errc::is_a_directory);
        return {};
    }
    if (!S_ISREG(info.st_mode)) {
        error = std::make_error_code(std::errc::not_supported);
        return {};
    }
    const std::chrono::sys_time<std::chrono::nanoseconds> written{
        std::chrono::seconds(info.st_mtim.tv_sec) + std::chrono::nanoseconds(info.st_mtim.tv_nsec)};
    return {std::chrono::file_clock::from_sys(written), static_cast<std::uintmax_t>(info.st_size)};
}

} // namespace ox::platform
