#include "harness/OutputFile.hpp"

#include <cerrno>
#include <cstring>
#include <unistd.h>
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
        error = path.string() + ": cannot be written (" + std::strerror(reason) + ")";
        return false;
    };
    std::error_code code;
    const fs::file_status status = fs::status(path, code);
    if (fs::is_directory(status)) {
        error = path.string() + ": is a directory";
        return false;
    }
    if (fs::exists(status)) {
        return ::access(path.c_str(), W_OK) == 0 || refuse(errno);
    }
    const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
    const fs::file_status folderStatus = fs::status(folder, code);
    if (fs::exists(folderStatus) && !fs::is_directory(folderStatus)) {
        return refuse(ENOTDIR);
    }
    // A new name needs its folder there, writable and searchable.
    return ::access(folder.c_str(), W_OK | X_OK) == 0 || refuse(errno);
}

std::unique_ptr<OutputFile> OutputFile::open(const std::filesystem::path& path,
                                             std::string& error) {
    std::error_code code;
    if (std::filesystem::is_directory(path, code)) {
        error = path.string() + ": is a directory";
        return nullptr;
    }
    std::FILE* stream = std::fopen(path.c_str(), "w");
    if (stream == nullptr) {
        error = path.string() + ": cannot be written (" + std::strerror(errno) + ")";
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
        error = file.string() + ": " + failure;
        return false;
    }
    return true;
}

} // namespace ox::harness
