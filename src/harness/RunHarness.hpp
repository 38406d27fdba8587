#pragma once

#include "app/IFrameObserver.hpp"
#include "harness/InputScript.hpp"

#include <memory>

namespace ox::harness {

// A run's scripted input, as a frame observer: the script's events go in
// through the main window's events dispatcher, and its keys through a window
// that wraps the main one (wrap()), so that whatever asks the window for a
// key sees them. A script's events for frame n arrive where the window's own
// events for it do, right after the poll at the end of frame n - 1 (those of
// frame 1 before the first frame), so a replayed session ends and draws
// exactly as the live one it was recorded from. Keep it alive for the whole
// run. Main thread only.
class RunHarness : public app::IFrameObserver {
public:
    explicit RunHarness(InputScript script);

    // The main window as the run shows it to everything else: the real one,
    // which this keeps as the source of the script's events, wrapped.
    std::shared_ptr<renderer::IRendererWindow>
    wrap(std::shared_ptr<renderer::IRendererWindow> window);

    void attach(const app::LoggingContext& logging, const app::RendererContext& context) override;
    void beginFrame(std::uint32_t frame) override;
    void eventsPolled(std::uint32_t frame) override;

private:
    InputScript script;
    // The dispatcher the script's events go to, and the real window they
    // come from, as a real event would.
    std::shared_ptr<renderer::IRendererWindowEvents> events;
    std::shared_ptr<renderer::IRendererWindow> window;
};

} // namespace ox::harness
