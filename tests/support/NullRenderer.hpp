#pragma once

#include "renderer/IRenderer.hpp"
#include "renderer/IRendererWindowFactory.hpp"
#include "renderer/IRenderingApi.hpp"

#include <vector>

namespace ox::test {

// An IRenderer that does nothing: a stand-in where only a renderer's identity
// matters (event arguments, back references), or its clock and rendering API,
// which a test sets.
class NullRenderer : public renderer::IRenderer {
public:
    std::shared_ptr<renderer::IRenderingApi> renderingApi;
    double time = 0.0;

    void attachEvents(std::shared_ptr<renderer::IRendererEvents>) override {}
    void detachEvents() override {}
    const bool& getErrorPolling() const override { return errorPolling; }
    void setErrorPolling(const bool& enabled) override { errorPolling = enabled; }
    void pollErrors(const std::string_view&) override {}
    void reportMessage(std::int32_t, const std::string_view&) override {}
    void monitorInitialized(std::shared_ptr<renderer::IMonitor>) override {}
    void windowCreated(std::shared_ptr<renderer::IRendererWindow>) override {}
    void windowDestroyed(std::shared_ptr<renderer::IRendererWindow>) override {}
    bool init() override { return false; }
    void deinit() override {}
    bool isInitialized() const override { return false; }
    const std::vector<std::shared_ptr<renderer::IMonitor>>& getMonitors() const override {
        return monitors;
    }
    std::shared_ptr<renderer::IMonitor> getPrimaryMonitor() const override { return {}; }
    std::unique_ptr<renderer::IRendererWindowFactory> createWindowFactory() override { return {}; }
    std::shared_ptr<renderer::IRenderingApi> getRenderingApi() const override {
        return renderingApi;
    }
    void setSwapInterval(bool) override {}
    bool enableDriverMessages() override { return false; }
    double getTime() const override { return time; }
    void pollEvents() override {}

private:
    bool errorPolling = false;
    std::vector<std::shared_ptr<renderer::IMonitor>> monitors;
};

} // namespace ox::test
