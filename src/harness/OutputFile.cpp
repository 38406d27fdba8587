#include "harness/OutputFile.hpp"

#include "platform/FileAccess.hpp"
#include "platform/Utf8Path.hpp"

#include <cerrno>
#include <cstring>
#include <utility>

namespace ox::harness {

OutputFile::OutputFile(std::filesystem::path path, std::FILE* stream)
    : file(std::move(path))
    , stream(stream)
    , buffer(std::make_unique<std::array<char, 1 << 16>>()) {
    std::setvbuf(stream, buffer->data(), _IOFBF, buffer->size());
}

OutputFile::~OutputFile() {
    std::string ignored;
    close(ignored);
}

namespace {

namespace fs = std::filesystem;

// The one question this file asks the operating system directly: may this
// process add names to `path` (a folder), or write it (a file)? 0, or the
// reason it may not.
int writeRefusal(const fs::path& path, bool folder) {
    return folder ? platform::folderWriteError(path) : platform::fileWriteError(path);
}

std::string cannotBeWritten(const fs::path& path, int reason) {
    return platform::utf8FromPath(path) + ": cannot be written (" + std::strerror(reason) + ")";
}

} // namespace

bool OutputFile::check(const fs::path& path, std::string& error) {
    std::error_code code;
    const fs::file_status status = fs::status(path, code);
    if (fs::is_directory(status)) {
        error = platform::utf8FromPath(path) + ": is a directory";
        return false;
    }
    const bool exists = fs::exists(status);
    const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
    const fs::file_status folderStatus = fs::status(folder, code);
    int reason = 0;
    if (!exists && fs::exists(folderStatus) && !fs::is_directory(folderStatus)) {
        reason = ENOTDIR;
    } else {
        // A new name needs its folder there, writable and searchable.
        reason = exists ? writeRefusal(path, false) : writeRefusal(folder, true);
    }
    if (reason != 0) {
        error = cannotBeWritten(path, reason);
        return false;
    }
    return true;
}

bool OutputFile::checkFolder(const fs::path& path, std::string& error) {
    std::error_code code;
    // The nearest part of the path that is there decides: the folder itself,
    // or the parent it would be created in.
    fs::path existing = fs::absolute(path, code).lexically_normal();
    while (!fs::exists(fs::status(existing, code)) && existing.has_relative_path()) {
        existing = existing.parent_path();
    }
    int reason = 0;
    if (!fs::is_directory(fs::status(existing, code))) {
        reason = ENOTDIR;
    } else {
        reason = writeRefusal(existing, true);
    }
    if (reason != 0) {
        error = platform::utf8FromPath(path) + ": cannot create the folder or write into it (" +
                std::strerror(reason) + ")";
        return false;
    }
    return true;
}

bool OutputFile::createFolder(const fs::path& path, std::string& error) {
    std::error_code code;
    fs::create_directories(path, code);
    if (code || !fs::is_directory(path, code)) {
        error = platform::utf8FromPath(path) + ": cannot create the folder" +
                (code ? " (" + code.message() + ")" : std::string());
        return false;
    }
    return true;
}

std::unique_ptr<OutputFile> OutputFile::open(const std::filesystem::path& path,
                                             std::string& error) {
    std::error_code code;
    if (std::filesystem::is_directory(path, code)) {
        error = platform::utf8FromPath(path) + ": is a directory";
        return nullptr;
    }
    std::FILE* stream = platform::openFile(path, "w");
    if (stream == nullptr) {
        error = cannotBeWritten(path, errno);
        return nullptr;
    }
    return std::unique_ptr<OutputFile>(new OutputFile(path, stream));
}

bool OutputFile::write(std::string_view text) {
    if (stream == nullptr || !failure.empty()) {
        return false;
    }
    if (std::fwrite(text.data(), 1, text.size(), stream) != text.size()) {
        failure = std::strerror(errno);
        return false;
    }
    return true;
}

bool OutputFile::close(std::string& error) {
    if (stream == nullptr) {
        return true;
    }
    if (std::fflush(stream) != 0 && failure.empty()) {
        failure = std::strerror(errno);
    }
    if (std::fclose(stream) != 0 && failure.empty()) {
        failure = std::strerror(errno);
    }
    stream = nullptr;
    if (!failure.empty()) {
        error = platform::utf8FromPath(file) + ": " + failure;
        return false;
    }
    return true;
}

} // namespace ox::harness
