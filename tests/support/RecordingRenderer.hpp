#pragma once

#include "renderer/IRenderer.hpp"
#include "renderer/IRendererWindowFactory.hpp"

#include <string>
#include <utility>
#include <vector>

namespace ox::test {

// An IRenderer that only writes down the error polls and messages it is
// asked for, in order: "poll:<call name>" and "message:<type>:<text>".
// Everything else is inert. Lets code that reports through the renderer be
// checked without GLFW.
class RecordingRenderer : public renderer::IRenderer {
public:
    void attachEvents(std::shared_ptr<renderer::IRendererEvents>) override {}
    void detachEvents() override {}
    const bool& getErrorPolling() const override { return errorPolling; }
    void setErrorPolling(const bool& enabled) override { errorPolling = enabled; }
    void pollErrors(const std::string_view& callName) override {
        calls.push_back("poll:" + std::string(callName));
    }
    void reportMessage(std::int32_t type, const std::string_view& text) override {
        calls.push_back("message:" + std::to_string(type) + ":" + std::string(text));
    }
    void monitorInitialized(std::shared_ptr<renderer::IMonitor>) override {}
    void windowCreated(std::shared_ptr<renderer::IRendererWindow>) override {}
    void windowDestroyed(std::shared_ptr<renderer::IRendererWindow>) override {}
    bool init() override { return true; }
    void deinit() override {}
    bool isInitialized() const override { return true; }
    const std::vector<std::shared_ptr<renderer::IMonitor>>& getMonitors() const override {
        return monitors;
    }
    std::shared_ptr<renderer::IMonitor> getPrimaryMonitor() const override { return nullptr; }
    std::unique_ptr<renderer::IRendererWindowFactory> createWindowFactory() override {
        return nullptr;
    }
    std::shared_ptr<renderer::IRenderingApi> getRenderingApi() const override { return nullptr; }
    void setSwapInterval(bool) override {}
    double getTime() const override { return 0.0; }
    void pollEvents() override {}

    std::vector<std::string> calls;

private:
    bool errorPolling = true;
    std::vector<std::shared_ptr<renderer::IMonitor>> monitors;
};

} // namespace ox::test
