#pragma once

#include "core/logger/ILogWriter.hpp"
#include "core/logger/impl/LoggerThresholdFilter.hpp"

#include <string>
#include <utility>
#include <vector>

namespace ox::test {

// A writer that keeps every line it accepts together with its level.
class RecordingWriter : public core::logger::ILogWriter,
                        public core::logger::impl::LoggerThresholdFilter {
public:
    explicit RecordingWriter(core::logger::ELogLevel threshold = core::logger::ELogLevel::Debug)
        : LoggerThresholdFilter(threshold) {}

    core::logger::ELogLevel setThreshold(const core::logger::ELogLevel& level) override {
        return LoggerThresholdFilter::setThreshold(level);
    }
    core::logger::ELogLevel getThreshold() override {
        return LoggerThresholdFilter::getThreshold();
    }
    bool isEnabled(const core::logger::ELogLevel& level) override {
        return LoggerThresholdFilter::isEnabled(level);
    }
    void write(const core::logger::ELogLevel& level, const std::string_view& line) override {
        if (isEnabled(level)) {
            lines.emplace_back(level, std::string(line));
        }
    }

    std::vector<std::string> messages() const {
        std::vector<std::string> result;
        for (const auto& [level, line] : lines) {
            const auto separator = line.find(" > ");
            result.push_back(separator == std::string::npos ? line : line.substr(separator + 3));
        }
        return result;
    }

    std::vector<std::pair<core::logger::ELogLevel, std::string>> lines;
};

} // namespace ox::test
