#include "core/logger/impl/RecentLinesWriter.hpp"

#include <algorithm>

namespace ox::core::logger::impl {

RecentLinesWriter::RecentLinesWriter(std::size_t capacity, const ELogLevel& threshold)
    : LoggerThresholdFilter(threshold)
    , entries(capacity) {}

ELogLevel RecentLinesWriter::setThreshold(const ELogLevel& level) {
    return LoggerThresholdFilter::setThreshold(level);
}

ELogLevel RecentLinesWriter::getThreshold() {
    return LoggerThresholdFilter::getThreshold();
}

bool RecentLinesWriter::isEnabled(const ELogLevel& level) {
    return LoggerThresholdFilter::isEnabled(level);
}

void RecentLinesWriter::write(const ELogLevel& level, const std::string_view& line) {
    if (entries.empty() || !isEnabled(level)) {
        return;
    }
    entry_t& entry = entries[next];
    entry.level = level;
    entry.length = std::min(line.size(), maxLineLength);
    std::copy_n(line.data(), entry.length, entry.text.data());
    next = (next + 1) % entries.size();
    count = std::min(count + 1, entries.size());
    ++total;
}

const RecentLinesWriter::entry_t& RecentLinesWriter::at(std::size_t index) const {
    // The oldest kept line sits where the next one will go once the ring is full.
    const std::size_t oldest = count < entries.size() ? 0 : next;
    return entries[(oldest + index) % entries.size()];
}

std::string_view RecentLinesWriter::line(std::size_t index) const {
    if (index >= count) {
        return {};
    }
    const entry_t& entry = at(index);
    return {entry.text.data(), entry.length};
}

ELogLevel RecentLinesWriter::level(std::size_t index) const {
    return index < count ? at(index).level : ELogLevel::None;
}

} // namespace ox::core::logger::impl
