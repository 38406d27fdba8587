#include "platform/FileStatus.hpp"

#include <windows.h>

#include <chrono>

namespace ox::platform {

namespace {

// FILETIME counts 100 ns steps from 1601; the system clock counts from 1970.
constexpr std::int64_t fileTimeTicksBefore1970 = 116444736000000000LL;

std::error_code lastError() {
    const DWORD code = GetLastError();
    if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND ||
        code == ERROR_INVALID_NAME) {
        return std::make_error_code(std::errc::no_such_file_or_directory);
    }
    if (code == ERROR_ACCESS_DENIED) {
        return std::make_error_code(std::errc::permission_denied);
    }
    return {static_cast<int>(code), std::system_category()};
}

} // namespace

file_status_t fileStatus(const std::filesystem::path& path, std::error_code& error) {
    WIN32_FILE_ATTRIBUTE_DATA info{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &info)) {
        error = lastError();
        return {};
    }
    if ((info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
        // A link: its own attributes describe the link, not the file behind
        // it; the standard library follows it at the cost of a second query.
        const auto written = std::filesystem::last_write_time(path, error);
        const auto size = error ? 0 : std::filesystem::file_size(path, error);
        return error ? file_status_t{} : file_status_t{written, size};
    }
    if ((info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        error = std::make_error_code(std::errc::is_a_directory);
        return {};
    }
    if ((info.dwFileAttributes & FILE_ATTRIBUTE_DEVICE) != 0) {
        error = std::make_error_code(std::errc::not_supported);
        return {};
    }
    const std::int64_t ticks =
        (static_cast<std::int64_t>(info.ftLastWriteTime.dwHighDateTime) << 32) |
        info.ftLastWriteTime.dwLowDateTime;
    using tick_t = std::chrono::duration<std::int64_t, std::ratio<1, 10000000>>;
    const std::chrono::sys_time<std::chrono::nanoseconds> written{
        std::chrono::duration_cast<std::chrono::nanoseconds>(
            tick_t(ticks - fileTimeTicksBefore1970))};
    const std::uintmax_t size =
        (static_cast<std::uintmax_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    return {std::chrono::file_clock::from_sys(written), size};
}

} // namespace ox::platform
