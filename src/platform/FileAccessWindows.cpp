#include "platform/FileAccess.hpp"

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <cerrno>
#include <string>

namespace ox::platform {

namespace {

// The C runtime every Windows has (msvcrt) knows no "x" mode and reads
// narrow names in the ANSI code page: files are opened by their UTF-16 names.
std::wstring wideMode(const char* mode) {
    std::wstring wide;
    for (const char* c = mode; *c != '\0'; ++c) {
        wide.push_back(static_cast<wchar_t>(*c));
    }
    return wide;
}

} // namespace

std::FILE* openFile(const std::filesystem::path& path, const char* mode) {
    return _wfopen(path.c_str(), wideMode(mode).c_str());
}

std::FILE* createNewFile(const std::filesystem::path& path) {
    const int descriptor =
        _wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
    if (descriptor < 0) {
        return nullptr;
    }
    std::FILE* stream = _fdopen(descriptor, "wb");
    if (stream == nullptr) {
        const int reason = errno;
        _close(descriptor);
        errno = reason;
    }
    return stream;
}

int fileWriteError(const std::filesystem::path& path) {
    // Windows has no write bit: the read-only attribute is what refuses.
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return GetLastError() == ERROR_ACCESS_DENIED ? EACCES : ENOENT;
    }
    return (attributes & FILE_ATTRIBUTE_READONLY) != 0 ? EACCES : 0;
}

int folderWriteError(const std::filesystem::path& folder) {
    // The read-only attribute of a folder does not stop new files in it;
    // only its existence can be checked without writing.
    const DWORD attributes = GetFileAttributesW(folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return GetLastError() == ERROR_ACCESS_DENIED ? EACCES : ENOENT;
    }
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? 0 : ENOTDIR;
}

} // namespace ox::platform
