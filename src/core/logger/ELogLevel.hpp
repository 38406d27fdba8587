#pragma once

#include <cstdint>
#include <string_view>

namespace ox::core::logger {

// Severity of a log line. Stored in one byte; any byte value is accepted and
// compared numerically, values above Fatal simply carry the tag "unk".
enum class ELogLevel : std::uint8_t {
    None = 0,
    Debug = 1,
    Info = 2,
    Warning = 3,
    Error = 4,
    Fatal = 5,
};

// Three-letter tag written into every log line.
constexpr std::string_view logLevelTag(ELogLevel level) noexcept {
    switch (level) {
    case ELogLevel::None:
        return "non";
    case ELogLevel::Debug:
        return "dbg";
    case ELogLevel::Info:
        return "inf";
    case ELogLevel::Warning:
        return "wrn";
    case ELogLevel::Error:
        return "err";
    case ELogLevel::Fatal:
        return "ftl";
    }
    return "unk";
}

} // namespace ox::core::logger
