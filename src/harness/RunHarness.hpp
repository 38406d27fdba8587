#pragma once

#include "app/IFrameObserver.hpp"
#include "harness/InputScript.hpp"
#include "renderer/IWindowInput.hpp"

#include <memory>

namespace ox::harness {

// A run's scripted input, as a frame observer: the script goes in as an
// input source of the main window, where its live events enter. A script's
// events for frame n arrive with the window's own events for it, in the poll
// at the end of frame n - 1 (those of frame 1 before the first frame), so a
// replayed session ends and draws exactly as the live one it was recorded
// from. Keep it alive for the whole run. Main thread only.
class RunHarness : public app::IFrameObserver {
public:
    explicit RunHarness(InputScript script);

    void attach(const app::LoggingContext& logging, const app::RendererContext& context) override;
    void beginFrame(std::uint32_t frame) override;

private:
    std::shared_ptr<InputScript> script;
    // The main window's input, which the script feeds.
    std::shared_ptr<renderer::IWindowInput> input;
};

} // namespace ox::harness
