#include "overlay/DebugOverlay.hpp"

#include <imgui.h>

#include <atomic>
#include <cstdlib>

namespace ox::overlay {

using renderer::EInputAction;
using renderer::EInputKey;

namespace {

std::atomic<std::uint64_t> allocations{0};

void* allocate(std::size_t size, void*) {
    allocations.fetch_add(1, std::memory_order_relaxed);
    return std::malloc(size);
}

void release(void* pointer, void*) {
    std::free(pointer);
}

// Restores the ImGui context that was current before, so that overlays
// (one per run, or several in a test) never draw into each other.
class ContextScope {
public:
    explicit ContextScope(ImGuiContext* context)
        : previous(ImGui::GetCurrentContext()) {
        ImGui::SetCurrentContext(context);
    }
    ~ContextScope() { ImGui::SetCurrentContext(previous); }
    ContextScope(const ContextScope&) = delete;
    ContextScope& operator=(const ContextScope&) = delete;

private:
    ImGuiContext* previous;
};

} // namespace

DebugOverlay::DebugOverlay() {
    ImGui::SetAllocatorFunctions(allocate, release);
    const ContextScope scope(nullptr);
    context = ImGui::CreateContext();
    ImGui::SetCurrentContext(context);
    ImGuiIO& io = ImGui::GetIO();
    // Nothing is written into the working directory.
    io.IniFilename = nullptr;
    io.LogFilename = nullptr;
    io.BackendRendererName = "vexel checked rendering API";
    io.BackendPlatformName = "vexel window events";
    ImGui::StyleColorsDark();
    ImGui::GetStyle().Alpha = 0.92f;
}

DebugOverlay::~DebugOverlay() {
    ImGui::DestroyContext(context);
}

std::uint64_t DebugOverlay::imguiAllocations() {
    return allocations.load(std::memory_order_relaxed);
}

bool DebugOverlay::attach(renderer::RendererWindowEventsDispatcher& events,
                          std::shared_ptr<renderer::IRenderingApi> api, EInputKey toggleKey,
                          float contentScale) {
    events.addOnKeyEventListener(
        [shown = visible, toggleKey](std::shared_ptr<renderer::IRendererWindow>, EInputKey key,
                                     std::int32_t, EInputAction action, std::uint16_t) {
            if (key == toggleKey && action == EInputAction::Press) {
                *shown = !*shown;
            }
        });
    OverlayInput::listen(input, events);
    const ContextScope scope(context);
    if (contentScale != 1.0f) {
        // The font rasterised at the scaled size rather than stretched, so
        // the text stays sharp; the atlas is built by the renderer's init.
        scale = contentScale;
        ImFontConfig font;
        font.SizePixels = 13.0f * scale;
        ImGui::GetIO().Fonts->AddFontDefault(&font);
        ImGui::GetStyle().ScaleAllSizes(scale);
    }
    return imguiRenderer.init(std::move(api));
}

void DebugOverlay::draw(const overlay_model_t& model, const renderer::dimension_t& size,
                        double seconds) {
    if (!*visible || !imguiRenderer.isReady() || size.width <= 0 || size.height <= 0) {
        input->setPanel(0.0f, 0.0f, 0.0f, 0.0f);
        return;
    }
    const ContextScope scope(context);
    ImGuiIO& io = ImGui::GetIO();
    io.DisplaySize = ImVec2(static_cast<float>(size.width), static_cast<float>(size.height));
    // ImGui needs time to pass; a clock that stands still (or a first frame)
    // counts as a frame at 60 Hz.
    const double elapsed = seconds - lastSeconds;
    io.DeltaTime = lastSeconds >= 0.0 && elapsed > 0.0 ? static_cast<float>(elapsed) : 1.0f / 60.0f;
    lastSeconds = seconds;
    input->feed(io);

    ImGui::NewFrame();
    overlayPanel.draw(model, io.DisplaySize.y, scale);
    ImGui::Render();
    imguiRenderer.render(*ImGui::GetDrawData());
    const OverlayPanel::rect_t& rect = overlayPanel.rect();
    input->setPanel(rect.left, rect.top, rect.right, rect.bottom);
}

void DebugOverlay::shutdown() {
    const ContextScope scope(context);
    imguiRenderer.shutdown();
}

} // namespace ox::overlay
