#include "core/logger/impl/StreamWriter.hpp"

namespace ox::core::logger::impl {

StreamWriter::StreamWriter(std::FILE* stream, const ELogLevel& threshold)
    : LoggerThresholdFilter(threshold)
    , stream(stream) {}

ELogLevel StreamWriter::setThreshold(const ELogLevel& level) {
    return LoggerThresholdFilter::setThreshold(level);
}

ELogLevel StreamWriter::getThreshold() {
    return LoggerThresholdFilter::getThreshold();
}

bool StreamWriter::isEnabled(const ELogLevel& level) {
    return LoggerThresholdFilter::isEnabled(level);
}

void StreamWriter::write(const ELogLevel& level, const std::string_view& line) {
    if (stream == nullptr || !isEnabled(level)) {
        return;
    }
    // A closed or broken stream loses the line; the log file still has it.
    std::fwrite(line.data(), 1, line.size(), stream);
    std::fputc('\n', stream);
    std::fflush(stream);
}

} // namespace ox::core::logger::impl
