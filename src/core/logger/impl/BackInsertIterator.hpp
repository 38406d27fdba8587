#pragma once

#include "core/logger/ILogWriter.hpp"
#include "core/logger/impl/LoggerThresholdFilter.hpp"

#include <cstddef>
#include <limits>
#include <string>
#include <vector>

namespace ox::core::logger::impl {

// Appends lines to a list of strings it does not own; the list must outlive
// the writer. With a line limit the list keeps only the most recent lines:
// once it holds that many, each new line drops the oldest one, so a program
// that logs an error every frame for hours cannot run out of memory through
// it. Main thread only.
class BackInsertIterator : public ILogWriter, public LoggerThresholdFilter {
public:
    static constexpr std::size_t unlimited = std::numeric_limits<std::size_t>::max();

    BackInsertIterator(std::vector<std::string>* lines, const ELogLevel& threshold,
                       std::size_t lineLimit = unlimited);

    ELogLevel setThreshold(const ELogLevel& level) override;
    ELogLevel getThreshold() override;
    bool isEnabled(const ELogLevel& level) override;

    void write(const ELogLevel& level, const std::string_view& line) override;

private:
    std::vector<std::string>* lines;
    std::size_t lineLimit;
};

} // namespace ox::core::logger::impl
