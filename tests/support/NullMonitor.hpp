#pragma once

#include "renderer/IMonitor.hpp"

#include <string>

namespace ox::test {

// An IMonitor with no video modes: a stand-in where only a monitor's identity
// matters (event arguments).
class NullMonitor : public renderer::IMonitor {
public:
    std::shared_ptr<renderer::IRenderer> getRenderer() const override { return {}; }
    void* getNativeHandle() const override { return nullptr; }
    bool isPrimary() const override { return false; }
    std::pair<std::int32_t, std::int32_t> getPosition() const override { return {0, 0}; }
    std::pair<std::int32_t, std::int32_t> getPhysicalSize() const override { return {0, 0}; }
    const std::string& getName() const override { return name; }
    void forEachVideoMode(std::function<void(const renderer::IMonitorVideoMode*)>) override {}
    const renderer::IMonitorVideoMode* getCurrentVideoMode() const override { return nullptr; }
    void setGamma(float) override {}

private:
    std::string name = "null monitor";
};

} // namespace ox::test
