#pragma once

#include "renderer/IRendererWindow.hpp"

#include <string>

namespace ox::test {

// An IRendererWindow without a native window: a stand-in where only a window's
// identity matters (event arguments).
class NullRendererWindow : public renderer::IRendererWindow {
public:
    std::shared_ptr<renderer::IRenderer> getRenderer() const override { return {}; }
    std::shared_ptr<renderer::IMonitor> getMonitor() const override { return {}; }
    void attachEvents(std::shared_ptr<renderer::IRendererWindowEvents>) override {}
    void detachEvents() override {}
    bool isValid() const override { return false; }
    void handleResize(std::int32_t, std::int32_t) override {}
    void setCursorMode(renderer::ECursorMode) override {}
    std::optional<renderer::ECursorMode> getCursorMode() const override { return {}; }
    bool isKeyPressed(renderer::EInputKey) const override { return false; }
    void setTitle(const std::string_view& text) override { title = text; }
    const std::string& getTitle() const override { return title; }
    void focus() override {}
    void makeContextCurrent() override {}
    renderer::dimension_t getSize() const override { return {-1, -1}; }
    void setAspectRatio(float ratio) override { aspectRatio = ratio; }
    void setAspectRatio(std::int32_t width, std::int32_t height) override {
        setAspectRatio(height != 0 ? static_cast<float>(width) / static_cast<float>(height) : 1.0f);
    }
    float getAspectRatio() const override { return aspectRatio; }
    void swapBuffers() override {}
    void setShouldClose(bool) override {}
    bool shouldClose() const override { return false; }
    void destroy() override {}

private:
    std::string title;
    float aspectRatio = 1.0f;
};

} // namespace ox::test
