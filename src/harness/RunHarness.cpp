#include "harness/RunHarness.hpp"

#include "harness/ScriptedWindow.hpp"

#include <utility>

namespace ox::harness {

RunHarness::RunHarness(InputScript script)
    : script(std::move(script)) {}

std::shared_ptr<renderer::IRendererWindow>
RunHarness::wrap(std::shared_ptr<renderer::IRendererWindow> mainWindow) {
    window = std::move(mainWindow);
    return std::make_shared<ScriptedWindow>(window, script);
}

void RunHarness::attach(const app::LoggingContext&, const app::RendererContext& context) {
    events = context.windowEvents;
}

void RunHarness::beginFrame(std::uint32_t frame) {
    // Nothing was polled before the first frame.
    if (frame == 1 && events) {
        script.dispatch(frame, *events, window);
    }
}

void RunHarness::eventsPolled(std::uint32_t frame) {
    if (events) {
        script.dispatch(frame + 1, *events, window);
    }
}

} // namespace ox::harness
