#include "core/logger/impl/FileWriter.hpp"

#include "platform/FileAccess.hpp"
#include "platform/Utf8Path.hpp"

#include <cstdio>

namespace ox::core::logger::impl {

namespace {
// Shared by every FileWriter: a broken log destination should cost a bounded
// number of attempts, not one per line for the life of the process.
int failureCount = 0;
} // namespace

FileWriter::FileWriter(const std::string_view& path, const ELogLevel& threshold)
    : LoggerThresholdFilter(threshold)
    , path(path) {
    // Truncate once; a failure here is ignored and the first write tries again.
    if (std::FILE* file = platform::openFile(platform::pathFromUtf8(this->path), "w")) {
        std::fclose(file);
    }
}

ELogLevel FileWriter::setThreshold(const ELogLevel& level) {
    return LoggerThresholdFilter::setThreshold(level);
}

ELogLevel FileWriter::getThreshold() {
    return LoggerThresholdFilter::getThreshold();
}

bool FileWriter::isEnabled(const ELogLevel& level) {
    return LoggerThresholdFilter::isEnabled(level);
}

void FileWriter::write(const ELogLevel& level, const std::string_view& line) {
    if (failureCount >= failureLimit) {
        return;
    }
    if (!isEnabled(level)) {
        return;
    }
    std::FILE* file = platform::openFile(platform::pathFromUtf8(path), "a");
    if (file == nullptr) {
        ++failureCount;
        return;
    }
    if (std::fwrite(line.data(), 1, line.size(), file) < line.size()) {
        ++failureCount;
    }
    std::fputc('\n', file);
    std::fclose(file);
}

int FileWriter::getFailureCount() noexcept {
    return failureCount;
}

} // namespace ox::core::logger::impl
