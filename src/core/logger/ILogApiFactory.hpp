#pragma once

#include "core/logger/ILogApi.hpp"

#include <memory>
#include <string_view>

namespace ox::core::logger {

// Creates independent channels by name; the caller owns what it receives.
// Main thread only.
struct ILogApiFactory {
    virtual ~ILogApiFactory() = default;
    virtual std::shared_ptr<ILogApi> createLogApi(const std::string_view& name,
                                                  const ELogLevel& threshold) = 0;
};

} // namespace ox::core::logger
