#pragma once

#include "core/logger/ILogWriter.hpp"
#include "core/logger/impl/LoggerThresholdFilter.hpp"

#include <string>
#include <vector>

namespace ox::core::logger::impl {

// Appends lines to a list of strings it does not own; the list must outlive
// the writer. Main thread only.
class BackInsertIterator : public ILogWriter, public LoggerThresholdFilter {
public:
    BackInsertIterator(std::vector<std::string>* lines, const ELogLevel& threshold);

    ELogLevel setThreshold(const ELogLevel& level) override;
    ELogLevel getThreshold() override;
    bool isEnabled(const ELogLevel& level) override;

    void write(const ELogLevel& level, const std::string_view& line) override;

private:
    std::vector<std::string>* lines;
};

} // namespace ox::core::logger::impl
