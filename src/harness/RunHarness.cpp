#include "harness/RunHarness.hpp"

#include <utility>

namespace ox::harness {

RunHarness::RunHarness(InputScript script)
    : script(std::make_shared<InputScript>(std::move(script))) {}

void RunHarness::attach(const app::LoggingContext&, const app::RendererContext& context) {
    // The window's own input, where its live events enter; a window without
    // one (none of the back end's) gets no scripted input.
    input = std::dynamic_pointer_cast<renderer::IWindowInput>(context.window);
    if (input) {
        input->addInputSource(script);
    }
}

void RunHarness::beginFrame(std::uint32_t frame) {
    // Nothing was polled before the first frame; every later frame's events
    // come with the poll at the end of the frame before.
    if (frame == 1 && input) {
        input->pollInputSources();
    }
}

} // namespace ox::harness
