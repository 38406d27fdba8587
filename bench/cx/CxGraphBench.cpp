// One evaluation pass of a graph wired like the demo scene's: time source and
// deltas, seven two-key axes (fourteen watched keys), the rotation and movement
// vectors and the free camera.

#include "cx/DemoGraph.hpp"

#include <benchmark/benchmark.h>

namespace {

using ox::renderer::EInputAction;
using ox::renderer::EInputKey;
using vexel::bench::DemoGraph;

void BM_DemoGraphPass(benchmark::State& state) {
    DemoGraph graph;
    // Hold a few keys so the camera really turns and moves.
    graph.keys->onKey(nullptr, EInputKey::W, 0, EInputAction::Press, 0);
    graph.keys->onKey(nullptr, EInputKey::T, 0, EInputAction::Press, 0);
    graph.keys->onKey(nullptr, EInputKey::Q, 0, EInputAction::Press, 0);
    double time = 0.0;
    for (auto _ : state) {
        time += 1.0 / 60.0;
        graph.ticks->value = time;
        graph.manager.update();
        benchmark::DoNotOptimize(graph.camera->value);
        benchmark::DoNotOptimize(graph.fovDelta->value);
    }
    const auto nodes = static_cast<double>(graph.nodes);
    state.counters["nodes"] = nodes;
    state.counters["time/node"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * nodes,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_DemoGraphPass);

} // namespace
