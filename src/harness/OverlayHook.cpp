#include "harness/OverlayHook.hpp"

#include "app/key_bindings.hpp"
#include "engine/shader/ReloadableProgram.hpp"

#include <fmt/format.h>

namespace ox::harness {

using core::logger::ELogLevel;

namespace {

// The run's median and 99th percentile walk the whole histogram; they move
// slowly, so they are read again only every this many frames.
constexpr std::uint32_t runFiguresEvery = 30;

} // namespace

OverlayHook::OverlayHook(const FrameTimings& timings)
    : timings(timings) {}

void OverlayHook::attach(const app::LoggingContext& logging, const app::RendererContext& context) {
    recentLines =
        std::make_shared<core::logger::impl::RecentLinesWriter>(keptLogLines, ELogLevel::Debug);
    if (logging.machinery) {
        logging.machinery->addWriter(recentLines);
    }
    renderer = context.renderer;
    auto api = context.renderer ? context.renderer->getRenderingApi() : nullptr;
    const float scale = context.window ? context.window->getContentScale() : 1.0f;
    ready =
        context.windowEvents && api &&
        debugOverlay.attach(*context.windowEvents, api, app::keyFor(app::EControl::Overlay), scale);
    if (!ready && logging.mainLog && logging.mainLog->isEnabled(ELogLevel::Error)) {
        logging.mainLog->log(ELogLevel::Error,
                             "The overlay is not shown: its program could not be built.");
    } else if (ready && scale != 1.0f && logging.mainLog &&
               logging.mainLog->isEnabled(ELogLevel::Info)) {
        logging.mainLog->log(ELogLevel::Info,
                             fmt::format("The overlay's text and panel are drawn at the "
                                         "monitor's content scale, {:.2f}.",
                                         scale));
    }
}

void OverlayHook::drawOver(std::uint32_t frame, const app::IScene& scene, renderer::IRenderingApi&,
                           const renderer::IRendererWindow& window) {
    if (!ready) {
        return;
    }
    const FrameTimings::recent_ms_t& recent = timings.recentFrameMs();
    model.recentMs = recent;
    model.recentStart = timings.recentStart();
    model.recentCount = timings.recentFrames();
    const DurationHistogram& cpu = timings.frameTimes();
    if (frame % runFiguresEvery == 0 || model.runFrames == 0) {
        model.runFrames = cpu.count();
        model.runMedianMs = cpu.percentile(0.5) * 1000.0;
        model.runP99Ms = cpu.percentile(0.99) * 1000.0;
    }
    model.gpuTiming = timings.gpuFrameTimes().count() != 0;
    model.gpuFrameMs = timings.lastGpuSeconds() * 1000.0;
    model.gpuGroupSeconds = timings.lastGpuGroupSeconds();
    model.cameraPosition = scene.cameraPosition();
    model.cameraForward = scene.cameraForward();
    model.fieldOfView = scene.fieldOfView();
    model.programs = engine::shader::ReloadableProgram::live();
    model.log = recentLines.get();
    const auto owner = renderer.lock();
    debugOverlay.draw(model, window.getSize(), owner ? owner->getTime() : 0.0);
}

void OverlayHook::loopEnded() {
    debugOverlay.shutdown();
    ready = false;
}

} // namespace ox::harness
