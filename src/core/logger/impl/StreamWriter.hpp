#pragma once

#include "core/logger/ILogWriter.hpp"
#include "core/logger/impl/LoggerThresholdFilter.hpp"

#include <cstdio>
#include <string_view>

namespace ox::core::logger::impl {

// Writes lines at or above its threshold to an open C stream (the standard
// error stream, so that a failed start says why where it was started), each
// flushed as it is written. Does not own the stream. Main thread only.
class StreamWriter : public ILogWriter, public LoggerThresholdFilter {
public:
    StreamWriter(std::FILE* stream, const ELogLevel& threshold);

    ELogLevel setThreshold(const ELogLevel& level) override;
    ELogLevel getThreshold() override;
    bool isEnabled(const ELogLevel& level) override;

    void write(const ELogLevel& level, const std::string_view& line) override;

private:
    std::FILE* stream;
};

} // namespace ox::core::logger::impl
