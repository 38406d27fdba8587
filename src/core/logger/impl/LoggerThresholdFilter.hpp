#pragma once

#include "core/logger/ILoggerThresholdFilter.hpp"

namespace ox::core::logger::impl {

// Threshold mix-in shared by channels and writers; they forward their
// interface's threshold operations here so each object has one threshold.
class LoggerThresholdFilter : public ILoggerThresholdFilter {
public:
    explicit LoggerThresholdFilter(const ELogLevel& threshold)
        : threshold(threshold) {}

    ELogLevel setThreshold(const ELogLevel& level) override;
    ELogLevel getThreshold() override;
    bool isEnabled(const ELogLevel& level) override;

private:
    ELogLevel threshold;
};

} // namespace ox::core::logger::impl
