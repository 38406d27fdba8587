#pragma once

#include <cstdint>

namespace ox::renderer {

// One video mode of a monitor. Owned by its IMonitor, which hands out plain
// pointers to it; never deleted through this interface. Main thread only.
struct IMonitorVideoMode {
    virtual std::int32_t getWidth() const = 0;
    virtual std::int32_t getHeight() const = 0;
    virtual std::int32_t getRedBits() const = 0;
    virtual std::int32_t getGreenBits() const = 0;
    virtual std::int32_t getBlueBits() const = 0;
    virtual std::int32_t getRefreshRate() const = 0;

protected:
    ~IMonitorVideoMode() = default;
};

} // namespace ox::renderer
