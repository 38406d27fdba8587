#pragma once

#include "core/logger/ILogWriter.hpp"
#include "core/logger/impl/LoggerThresholdFilter.hpp"

#include <string>
#include <string_view>

namespace ox::core::logger::impl {

// Appends lines to a text file, one open-append-close per line, so each line is
// on disk when write() returns. The file is emptied at construction. Failed
// opens and short writes are counted process-wide over all FileWriters; after
// ten of them every FileWriter stops writing for the rest of the process.
// Main thread only: neither the file nor the count is locked.
class FileWriter : public ILogWriter, public LoggerThresholdFilter {
public:
    static constexpr int failureLimit = 10;

    FileWriter(const std::string_view& path, const ELogLevel& threshold);

    ELogLevel setThreshold(const ELogLevel& level) override;
    ELogLevel getThreshold() override;
    bool isEnabled(const ELogLevel& level) override;

    void write(const ELogLevel& level, const std::string_view& line) override;

    // Failures counted so far in this process (never reset).
    static int getFailureCount() noexcept;

private:
    std::string path;
};

} // namespace ox::core::logger::impl
