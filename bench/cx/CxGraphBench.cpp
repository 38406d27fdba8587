// One evaluation pass of a graph wired like the demo scene's: time source and
// deltas, seven two-key axes (fourteen watched keys), the rotation and movement
// vectors and the free camera.

#include "cx/CxManager.hpp"
#include "cx/CxStatic.hpp"
#include "cx/camera/FreeCamera.hpp"
#include "cx/convert/StaticCast.hpp"
#include "cx/generator/TimeDelta.hpp"
#include "cx/generator/TimeTicks.hpp"
#include "cx/glm/Vec3.hpp"
#include "cx/input/KeyIdentifier.hpp"
#include "cx/input/KeyPressed.hpp"
#include "cx/input/KeysPressed.hpp"
#include "cx/logic/Switch.hpp"
#include "cx/math/Multiple.hpp"
#include "cx/math/Plus.hpp"
#include "cx/math/UnaryMinus.hpp"

#include <benchmark/benchmark.h>

#include <memory>
#include <utility>

namespace {

namespace cx = ox::cx;
using ox::renderer::EInputAction;
using ox::renderer::EInputKey;

class DemoGraph {
public:
    DemoGraph() {
        auto zero = make<cx::CxStatic<float>>(0.0f);
        ticks = make<cx::generator::TimeTicks>();
        make<cx::convert::StaticCast<float, double>>(ticks);
        auto delta =
            make<cx::convert::StaticCast<float, double>>(make<cx::generator::TimeDelta>(ticks));
        keys = make<cx::input::KeysPressed>();

        auto localZero = make<cx::CxStatic<float>>(0.0f);
        auto turnSpeed =
            make<cx::math::Multiple<float, float>>(delta, make<cx::CxStatic<float>>(2.0f));
        auto moveSpeed =
            make<cx::math::Multiple<float, float>>(delta, make<cx::CxStatic<float>>(20.0f));
        auto moveZ = keyAxis(EInputKey::T, EInputKey::G, localZero, moveSpeed);
        auto moveY = keyAxis(EInputKey::F, EInputKey::H, localZero, moveSpeed);
        auto moveX = keyAxis(EInputKey::R, EInputKey::Y, localZero, moveSpeed);
        auto movement = make<cx::glm::Vec3<float>>(moveX, moveY, moveZ);
        auto roll = keyAxis(EInputKey::E, EInputKey::Q, localZero, turnSpeed);
        auto pitch = keyAxis(EInputKey::S, EInputKey::W, localZero, turnSpeed);
        auto yaw = keyAxis(EInputKey::D, EInputKey::A, localZero, turnSpeed);
        auto rotation = make<cx::glm::Vec3<float>>(yaw, pitch, roll);
        camera = make<cx::camera::FreeCamera>(rotation, movement);

        auto fovSpeed =
            make<cx::math::Multiple<float, float>>(delta, make<cx::CxStatic<float>>(10.0f));
        fovDelta = keyAxis(EInputKey::X, EInputKey::Z, zero, fovSpeed);
    }

    template <typename Kind, typename... Args>
    std::shared_ptr<Kind> make(Args&&... args) {
        ++nodes;
        return manager.create<Kind>(std::forward<Args>(args)...);
    }

    std::shared_ptr<cx::Cx0<float>> keyAxis(EInputKey negative, EInputKey positive,
                                            std::shared_ptr<cx::Cx0<float>> zero,
                                            std::shared_ptr<cx::Cx0<float>> speed) {
        auto negativeHeld =
            make<cx::input::KeyPressed>(keys, make<cx::input::KeyIdentifier>(negative));
        auto negativeRate = make<cx::math::UnaryMinus<float>>(
            make<cx::logic::Switch<float>>(negativeHeld, zero, speed));
        auto positiveHeld =
            make<cx::input::KeyPressed>(keys, make<cx::input::KeyIdentifier>(positive));
        auto positiveRate = make<cx::logic::Switch<float>>(positiveHeld, zero, speed);
        return make<cx::math::Plus<float, float>>(negativeRate, positiveRate);
    }

    cx::CxManager manager;
    int nodes = 0;
    std::shared_ptr<cx::generator::TimeTicks> ticks;
    std::shared_ptr<cx::input::KeysPressed> keys;
    std::shared_ptr<cx::camera::FreeCamera> camera;
    std::shared_ptr<cx::Cx0<float>> fovDelta;
};

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
