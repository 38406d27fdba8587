#pragma once

#include "harness/InputScript.hpp"
#include "renderer/IRendererWindow.hpp"

#include <memory>

namespace ox::harness {

// The main window as a scripted run shows it to the program: every operation
// goes to the real window, and a key counts as pressed when the real window
// says so or the script's keyboard does. So whatever asks the window for a key's
// state (the scene, the frame loop's Escape check) sees scripted keys without
// knowing that scripts exist. Owns the real window; the script is not owned
// and must outlive it. Main thread only.
class ScriptedWindow : public renderer::IRendererWindow {
public:
    ScriptedWindow(std::shared_ptr<renderer::IRendererWindow> window, InputScript& script);

    const std::shared_ptr<renderer::IRendererWindow>& wrapped() const { return window; }

    bool isKeyPressed(renderer::EInputKey key) const override;

    std::shared_ptr<renderer::IRenderer> getRenderer() const override;
    std::shared_ptr<renderer::IMonitor> getMonitor() const override;
    void attachEvents(std::shared_ptr<renderer::IRendererWindowEvents> events) override;
    void detachEvents() override;
    bool isValid() const override;
    void handleResize(std::int32_t width, std::int32_t height) override;
    void setCursorMode(renderer::ECursorMode mode) override;
    std::optional<renderer::ECursorMode> getCursorMode() const override;
    void setTitle(const std::string_view& title) override;
    const std::string& getTitle() const override;
    void focus() override;
    void makeContextCurrent() override;
    renderer::dimension_t getSize() const override;
    float getContentScale() const override { return window->getContentScale(); }
    void setAspectRatio(float ratio) override;
    void setAspectRatio(std::int32_t width, std::int32_t height) override;
    float getAspectRatio() const override;
    void swapBuffers() override;
    void setShouldClose(bool value) override;
    bool shouldClose() const override;
    void destroy() override;

private:
    std::shared_ptr<renderer::IRendererWindow> window;
    InputScript& script;
};

} // namespace ox::harness
