#include "platform/FileAccess.hpp"

#include <unistd.h>

#include <cerrno>

namespace ox::platform {

std::FILE* openFile(const std::filesystem::path& path, const char* mode) {
    return std::fopen(path.c_str(), mode);
}

std::FILE* createNewFile(const std::filesystem::path& path) {
    return std::fopen(path.c_str(), "wbx");
}

int fileWriteError(const std::filesystem::path& path) {
    return ::access(path.c_str(), W_OK) == 0 ? 0 : errno;
}

int folderWriteError(const std::filesystem::path& folder) {
    // A new name needs its folder writable and searchable.
    return ::access(folder.c_str(), W_OK | X_OK) == 0 ? 0 : errno;
}

} // namespace ox::platform
