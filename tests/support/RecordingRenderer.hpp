#pragma once

#include "renderer/IRenderer.hpp"
#include "renderer/IRendererWindowFactory.hpp"
#include "renderer/IRenderingApi.hpp"

#include <GL/glew.h>
#include <string>
#include <vector>

namespace ox::test {

// A renderer that records the report names of error polls and the messages it
// is asked to report. Each poll drains the GL error queue into `errors` so
// the caller can see which call raised what.
class RecordingRenderer : public renderer::IRenderer {
public:
    std::vector<std::string> polls;
    std::vector<std::pair<std::string, GLenum>> errors;
    std::vector<std::string> messages;
    bool polling = true;

    void attachEvents(std::shared_ptr<renderer::IRendererEvents>) override {}
    void detachEvents() override {}
    const bool& getErrorPolling() const override { return polling; }
    void setErrorPolling(const bool& enabled) override { polling = enabled; }
    void pollErrors(const std::string_view& callName) override {
        polls.emplace_back(callName);
        for (GLenum code = glGetError(); code != GL_NO_ERROR; code = glGetError()) {
            errors.emplace_back(callName, code);
        }
    }
    void reportMessage(std::int32_t, const std::string_view& text) override {
        messages.emplace_back(text);
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
    std::shared_ptr<renderer::IRenderingApi> getRenderingApi() const override { return api; }
    void setSwapInterval(bool) override {}
    double getTime() const override { return 0.0; }
    void pollEvents() override {}

    std::shared_ptr<renderer::IRenderingApi> api;

private:
    std::vector<std::shared_ptr<renderer::IMonitor>> monitors;
};

} // namespace ox::test
