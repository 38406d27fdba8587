#pragma once

#include <cstdio>
#include <filesystem>

namespace ox::platform {

// Opening and probing files by std::filesystem paths, whatever characters
// they hold. The caller owns every stream returned and closes it with
// std::fclose. Failures leave the reason in errno, as the C library does.

// std::fopen with a C mode ("r", "w", "a", with "b" for binary). Text modes
// end lines the system's way ("\r\n" on Windows).
std::FILE* openFile(const std::filesystem::path& path, const char* mode);

// A new, empty file opened for binary writing; null with errno EEXIST when
// the name is taken, so that of several writers exactly one gets the name.
std::FILE* createNewFile(const std::filesystem::path& path);

// 0 when an existing file may be written, otherwise the errno value saying
// why not. Reads only.
int fileWriteError(const std::filesystem::path& path);

// 0 when an existing folder takes new files, otherwise the errno value
// saying why not. Reads only.
int folderWriteError(const std::filesystem::path& folder);

} // namespace ox::platform
