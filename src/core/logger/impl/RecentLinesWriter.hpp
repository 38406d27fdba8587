#pragma once

#include "core/logger/ILogWriter.hpp"
#include "core/logger/impl/LoggerThresholdFilter.hpp"

#include <array>
#include <cstddef>
#include <string_view>
#include <vector>

namespace ox::core::logger::impl {

// Keeps the most recent lines at or above its threshold in fixed memory, for
// something that shows the log live (a debug overlay): once it holds
// `capacity` lines each new one replaces the oldest, and a line longer than
// `maxLineLength` keeps only its beginning. Allocates when created, never
// when writing. Main thread only.
class RecentLinesWriter : public ILogWriter, public LoggerThresholdFilter {
public:
    static constexpr std::size_t maxLineLength = 255;

    RecentLinesWriter(std::size_t capacity, const ELogLevel& threshold);

    ELogLevel setThreshold(const ELogLevel& level) override;
    ELogLevel getThreshold() override;
    bool isEnabled(const ELogLevel& level) override;

    void write(const ELogLevel& level, const std::string_view& line) override;

    std::size_t size() const { return count; }
    // Lines from the oldest kept (0) to the newest (size() - 1).
    std::string_view line(std::size_t index) const;
    ELogLevel level(std::size_t index) const;
    // Lines written since creation, including those no longer kept: a
    // reader can tell whether anything arrived since it last looked.
    std::size_t written() const { return total; }

private:
    struct entry_t {
        ELogLevel level = ELogLevel::None;
        std::size_t length = 0;
        std::array<char, maxLineLength> text{};
    };
    const entry_t& at(std::size_t index) const;

    std::vector<entry_t> entries;
    std::size_t next = 0;
    std::size_t count = 0;
    std::size_t total = 0;
};

} // namespace ox::core::logger::impl
