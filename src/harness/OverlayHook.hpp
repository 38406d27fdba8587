#pragma once

#include "app/IFrameObserver.hpp"
#include "core/logger/ILogApi.hpp"
#include "core/logger/impl/RecentLinesWriter.hpp"
#include "harness/FrameTimings.hpp"
#include "overlay/DebugOverlay.hpp"
#include "overlay/overlay_model_t.hpp"
#include "renderer/IRenderer.hpp"

#include <cstdint>
#include <memory>

namespace ox::harness {

// Brings the debug overlay (--overlay) into a run of any program on the
// shell: it adds a writer that keeps the recent log lines, lets the overlay
// listen to the window before the scene does, and draws it over every frame
// after the other observers have seen the frame, from the run's frame
// timings, the scene's camera and the live shader programs. Keep it alive
// for the whole run, with the timings it reads; main thread only.
class OverlayHook : public app::IFrameObserver {
public:
    // Log lines kept for the panel.
    static constexpr std::size_t keptLogLines = 64;

    explicit OverlayHook(const FrameTimings& timings);

    void attach(const app::LoggingContext& logging, const app::RendererContext& context) override;
    void loopEnded() override;

    void drawOver(std::uint32_t frame, const app::IScene& scene, renderer::IRenderingApi& api,
                  const renderer::IRendererWindow& window) override;

    const overlay::DebugOverlay& overlay() const { return debugOverlay; }
    overlay::DebugOverlay& overlay() { return debugOverlay; }

private:
    const FrameTimings& timings;
    overlay::DebugOverlay debugOverlay;
    overlay::overlay_model_t model;
    std::shared_ptr<core::logger::impl::RecentLinesWriter> recentLines;
    // Not owned: the program releases the renderer before its logging, and
    // an observer that kept it would keep it past that.
    std::weak_ptr<renderer::IRenderer> renderer;
    bool ready = false;
};

} // namespace ox::harness
