#include "core/logger/impl/BackInsertIterator.hpp"

namespace ox::core::logger::impl {

BackInsertIterator::BackInsertIterator(std::vector<std::string>* lines, const ELogLevel& threshold,
                                       std::size_t lineLimit)
    : LoggerThresholdFilter(threshold)
    , lines(lines)
    , lineLimit(lineLimit) {}

ELogLevel BackInsertIterator::setThreshold(const ELogLevel& level) {
    return LoggerThresholdFilter::setThreshold(level);
}

ELogLevel BackInsertIterator::getThreshold() {
    return LoggerThresholdFilter::getThreshold();
}

bool BackInsertIterator::isEnabled(const ELogLevel& level) {
    return LoggerThresholdFilter::isEnabled(level);
}

void BackInsertIterator::write(const ELogLevel& level, const std::string_view& line) {
    if (lines == nullptr || lineLimit == 0 || !isEnabled(level)) {
        return;
    }
    // Dropping from the front keeps the list in the order the lines came. The
    // shift costs a few microseconds at ten thousand lines, less than the file
    // writer's open and close of the same line.
    if (lines->size() >= lineLimit) {
        lines->erase(lines->begin(),
                     lines->begin() + static_cast<std::ptrdiff_t>(lines->size() - lineLimit + 1));
    }
    lines->emplace_back(line);
}

} // namespace ox::core::logger::impl
