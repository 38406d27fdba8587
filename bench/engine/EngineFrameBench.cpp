// The engine's own CPU work in one demo frame, measured piece by piece with a
// rendering API that makes no OpenGL call (so what is timed is the engine, not
// the driver):
//   - one render pass of the mesh register over the demo's 362 meshes (which
//     includes the two file-based meshes polling their shader files);
//   - one evaluation pass of the demo's computation graph (built by the
//     application's own set-up);
//   - the title formatting (done at most once a second; timed every call here);
//   - one poll of an unchanged pair of shader files;
//   - one log line through a channel to a memory writer (a steady frame logs
//     nothing; timed as if it logged one).
// At the end it prints the per-frame sum of these and, when VEXEL_ENGINE_CPU_OUT
// names a file, writes it there for the frame-rate comparison, which sets it
// against the demo's frame time.

#include "EngineFrameSum.hpp"
#include "baseline/BaselineShaders.hpp"
#include "support/RecordingRenderingApi.hpp"

#include "app/FrameStatistics.hpp"
#include "app/LoggingContext.hpp"
#include "app/RendererContext.hpp"
#include "app/Scene.hpp"
#include "app/SceneContext.hpp"
#include "core/logger/ELogLevel.hpp"
#include "core/logger/LoggerMachinery.hpp"
#include "core/logger/impl/BackInsertIterator.hpp"
#include "engine/mesh/MeshRegister.hpp"
#include "engine/shader/ShaderReloader.hpp"
#include "mesh/TestSpaceGrid.hpp"
#include "mesh/TestTriangle.hpp"
#include "mesh/TestTriangleInstanced.hpp"
#include "renderer/RendererWindowEventsDispatcher.hpp"

#include <benchmark/benchmark.h>
#include <fmt/format.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

// The baseline must compile the very shaders the tunnel triangles compile.
static_assert(vexel::baseline::triangleVertexSource == ox::mesh::TestTriangle::vertexShaderSource);
static_assert(vexel::baseline::triangleFragmentSource ==
              ox::mesh::TestTriangle::fragmentShaderSource);

namespace {

using ox::core::logger::ELogLevel;

// The tests' recording API with its recording off: no GL call, no formatting.
std::shared_ptr<ox::test::RecordingRenderingApi> silentApi() {
    auto api = std::make_shared<ox::test::RecordingRenderingApi>();
    api->recording = false;
    return api;
}

// The shader files are read relative to the working directory, as in the demo.
void enterSourceTree() {
    std::filesystem::current_path(VEXEL_SOURCE_DIR);
}

std::shared_ptr<ox::core::logger::LoggerMachinery> memoryLogger(std::vector<std::string>& lines) {
    auto machinery = std::make_shared<ox::core::logger::LoggerMachinery>();
    machinery->addWriter(
        std::make_shared<ox::core::logger::impl::BackInsertIterator>(&lines, ELogLevel::Debug));
    return machinery;
}

void BM_RegisterRenderPass(benchmark::State& state) {
    enterSourceTree();
    std::vector<std::string> lines;
    const auto logger = memoryLogger(lines);
    const auto api = silentApi();
    const auto meshes = std::make_shared<ox::engine::mesh::MeshRegister>(api);
    for (int i = 0; i < 360; ++i) {
        meshes->add(std::make_shared<ox::mesh::TestTriangle>(static_cast<float>(-180 + i),
                                                             static_cast<float>(i)));
    }
    const auto swarm = std::make_shared<ox::mesh::TestTriangleInstanced>(logger);
    meshes->add(swarm);
    meshes->add(std::make_shared<ox::mesh::TestSpaceGrid>(logger));
    meshes->initAll();

    ox::engine::mesh::mesh_render_data_t data;
    float time = 0.0f;
    for (auto _ : state) {
        time += 1.0f / 150.0f;
        data.viewProjection[3][0] = time;
        meshes->setRenderData(data);
        swarm->timeElapsed = time;
        meshes->renderAll();
    }
    meshes->deinitAll();
    state.counters["meshes"] = 362;
    for (const std::string& line : lines) {
        if (line.find("(l:err)") != std::string::npos) {
            state.SkipWithError(line.c_str());
            break;
        }
    }
}
BENCHMARK(BM_RegisterRenderPass);

// The demo's own graph, as the application builds it, with a memory-only
// logging context and a window events dispatcher for its key listener.
struct demo_graph_t {
    std::vector<std::string> lines;
    ox::app::LoggingContext logging;
    ox::app::RendererContext renderer;
    ox::app::SceneContext graph;
    bool built = false;

    demo_graph_t() {
        auto machinery = memoryLogger(lines);
        logging.logApiFactory = machinery->getLogApiFactory();
        logging.machinery = machinery;
        logging.mainLog = logging.logApiFactory->createLogApi("main", ELogLevel::Debug);
        logging.rendererLog = logging.logApiFactory->createLogApi("renderer", ELogLevel::Debug);
        logging.windowLog = logging.logApiFactory->createLogApi("window", ELogLevel::Debug);
        renderer.windowEvents = std::make_shared<ox::renderer::RendererWindowEventsDispatcher>();
        built = ox::app::setupSceneGraph(logging, renderer, graph);
        // Keys held, so that the camera really turns and moves.
        for (const auto key : {ox::renderer::EInputKey::W, ox::renderer::EInputKey::T}) {
            renderer.windowEvents->invokeOnKeyEvent(nullptr, key, 0,
                                                    ox::renderer::EInputAction::Press, 0);
        }
    }
    ~demo_graph_t() { ox::app::releaseSceneGraph(graph); }
};

void BM_DemoGraphPass(benchmark::State& state) {
    demo_graph_t demo;
    if (!demo.built) {
        state.SkipWithError("the demo's graph could not be built");
        return;
    }
    double time = 0.0;
    for (auto _ : state) {
        time += 1.0 / 150.0;
        demo.graph.timeTicks->value = time;
        demo.graph.manager->update();
        benchmark::DoNotOptimize(demo.graph.camera->value);
    }
}
BENCHMARK(BM_DemoGraphPass);

// Not one of the summed parts, because it contains two of them: the scene's
// whole frame update and draw step (graph pass, field of view, projection,
// render data, register pass over its 362 meshes), as the frame loop calls it.
void BM_SceneUpdateAndDraw(benchmark::State& state) {
    enterSourceTree();
    demo_graph_t demo;
    if (!demo.built) {
        state.SkipWithError("the demo's graph could not be built");
        return;
    }
    ox::app::Scene scene(demo.logging, demo.graph);
    scene.assemble(demo.renderer, silentApi());
    double time = 0.0;
    for (auto _ : state) {
        time += 1.0 / 150.0;
        scene.update(time);
        scene.draw();
    }
    scene.shutdown();
}
BENCHMARK(BM_SceneUpdateAndDraw);

void BM_TitleFormatting(benchmark::State& state) {
    ox::app::FrameStatistics statistics;
    statistics.start(0.0);
    double now = 0.0;
    for (auto _ : state) {
        // More than a second per call, so that every call formats.
        now += 1.5;
        statistics.beginFrame(now);
        benchmark::DoNotOptimize(statistics.refreshTitle(now, 45.0, 1.25, -3.5, 120.75));
        benchmark::DoNotOptimize(statistics.title());
    }
}
BENCHMARK(BM_TitleFormatting);

void BM_ShaderFilePollUnchanged(benchmark::State& state) {
    enterSourceTree();
    std::vector<std::string> lines;
    const auto logger = memoryLogger(lines);
    ox::engine::shader::ShaderReloader reloader(silentApi());
    reloader.setLogger("file reloader", logger->createLogApi("TestSpaceGrid", ELogLevel::Debug));
    reloader.setShaderFiles("shaders/test-space-grid.vert", "shaders/test-space-grid.frag");
    if (!reloader.reloadIfChanged()) {
        state.SkipWithError("the shader files of the grid cannot be read");
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(reloader.reloadIfChanged());
    }
}
BENCHMARK(BM_ShaderFilePollUnchanged);

void BM_LogLineToMemory(benchmark::State& state) {
    std::vector<std::string> lines;
    const auto logger = memoryLogger(lines);
    const auto channel = logger->createLogApi("window", ELogLevel::Debug);
    bool active = false;
    for (auto _ : state) {
        active = !active;
        const std::string text = fmt::format("Mouse look {}activated.", active ? "" : "de");
        if (channel->isEnabled(ELogLevel::Debug)) {
            channel->log(ELogLevel::Debug, text);
        }
        // The memory log keeps every line; emptied now and then so the run
        // measures the line, not an ever larger vector. The emptying is timed
        // too, spread over the lines it frees.
        if (lines.size() >= 4096) {
            lines.clear();
        }
    }
}
BENCHMARK(BM_LogLineToMemory);

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    vexel::bench::EngineFrameSum reporter({
        "BM_RegisterRenderPass",
        "BM_DemoGraphPass",
        "BM_TitleFormatting",
        "BM_ShaderFilePollUnchanged",
        "BM_LogLineToMemory",
    });
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return reporter.finish() ? 0 : 1;
}
