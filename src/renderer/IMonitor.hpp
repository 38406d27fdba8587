#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>

namespace ox::renderer {

struct IRenderer;
struct IMonitorVideoMode;

// A monitor discovered by the renderer. Owned through std::shared_ptr by the
// renderer; never deleted through this interface. Main thread only.
struct IMonitor {
    virtual std::shared_ptr<IRenderer> getRenderer() const = 0;
    // The window system's monitor handle, opaque here.
    virtual void* getNativeHandle() const = 0;
    virtual bool isPrimary() const = 0;
    // Origin (x, y) on the virtual desktop.
    virtual std::pair<std::int32_t, std::int32_t> getPosition() const = 0;
    // (width, height) in millimetres.
    virtual std::pair<std::int32_t, std::int32_t> getPhysicalSize() const = 0;
    virtual const std::string& getName() const = 0;
    // The pointers are valid only during the call.
    virtual void forEachVideoMode(std::function<void(const IMonitorVideoMode*)> visitor) = 0;
    // Null if not found.
    virtual const IMonitorVideoMode* getCurrentVideoMode() const = 0;
    virtual void setGamma(float gamma) = 0;

protected:
    ~IMonitor() = default;
};

} // namespace ox::renderer
