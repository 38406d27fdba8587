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

bool OutputFile::check(const std::filesystem::path& path, std::string& error) {
    namespace fs = std::filesystem;
    const auto refuse = [&](int reason) {
        error =
            platform::utf8FromPath(path) + ": cannot be written (" + std::strerror(reason) + ")";
        return false;
    };
    std::error_code code;
    const fs::file_status status = fs::status(path, code);
    if (fs::is_directory(status)) {
        error = platform::utf8FromPath(path) + ": is a directory";
        return false;
    }
    if (fs::exists(status)) {
        const int reason = platform::fileWriteError(path);
        return reason == 0 || refuse(reason);
    }
    const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
    const fs::file_status folderStatus = fs::status(folder, code);
    if (fs::exists(folderStatus) && !fs::is_directory(folderStatus)) {
        return refuse(ENOTDIR);
    }
    const int reason = platform::folderWriteError(folder);
    return reason == 0 || refuse(reason);
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
        error = platform::utf8FromPath(path) + ": cannot be written (" + std::strerror(errno) + ")";
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
