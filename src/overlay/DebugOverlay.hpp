#pragma once

#include "overlay/ImGuiRenderer.hpp"
#include "overlay/OverlayInput.hpp"
#include "overlay/OverlayPanel.hpp"
#include "overlay/overlay_model_t.hpp"
#include "renderer/IRenderingApi.hpp"
#include "renderer/RendererWindowEventsDispatcher.hpp"
#include "renderer/dimension_t.hpp"

#include <cstdint>
#include <memory>

struct ImGuiContext;

namespace ox::overlay {

// The in-window debug overlay: a Dear ImGui panel in the top left corner
// showing a model of the run (frame times, GPU times, the camera, the shader
// programs, the log), drawn through the checked rendering API. A key (F1 in
// the program) shows and hides it; hidden, it makes no GL call. Its own ImGui context; no ini or
// log file is written. Once warmed up a frame allocates nothing. Main thread with the window's
// context current.
class DebugOverlay {
public:
    DebugOverlay();
    ~DebugOverlay();
    DebugOverlay(const DebugOverlay&) = delete;
    DebugOverlay& operator=(const DebugOverlay&) = delete;

    // Listens to the window's keys (a press of `toggleKey` shows and hides
    // it) and pointer and builds the GL objects through `api`, with text and
    // panel sized for the window's content `scale`
    // (IRendererWindow::getContentScale). False when they could not be built;
    // the overlay then draws nothing.
    bool attach(renderer::RendererWindowEventsDispatcher& events,
                std::shared_ptr<renderer::IRenderingApi> api, renderer::EInputKey toggleKey,
                float scale = 1.0f);
    // Over the frame in the back buffer; `seconds` is the renderer's clock.
    void draw(const overlay_model_t& model, const renderer::dimension_t& size, double seconds);
    // Frees the GL objects; call while the context exists.
    void shutdown();

    bool isVisible() const { return *visible; }
    void setVisible(bool shown) { *visible = shown; }
    const OverlayPanel& panel() const { return overlayPanel; }

    // Allocations ImGui has made in this process, for checking that a warm
    // frame makes none.
    static std::uint64_t imguiAllocations();

private:
    ImGuiContext* context = nullptr;
    ImGuiRenderer imguiRenderer;
    std::shared_ptr<OverlayInput> input = std::make_shared<OverlayInput>();
    OverlayPanel overlayPanel;
    // Shared with the toggle key's listener.
    std::shared_ptr<bool> visible = std::make_shared<bool>(true);
    double lastSeconds = -1.0;
    float scale = 1.0f;
};

} // namespace ox::overlay
