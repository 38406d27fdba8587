#include "app/SceneContext.hpp"

#include "app/KeyAxis.hpp"
#include "app/key_bindings.hpp"
#include "core/logger/ELogLevel.hpp"
#include "cx/CxStatic.hpp"
#include "cx/convert/StaticCast.hpp"
#include "cx/glm/Vec3.hpp"
#include "cx/math/Multiple.hpp"
#include "renderer/IRendererWindow.hpp"

#include <utility>

namespace ox::app {

using core::logger::ELogLevel;
using cx::Cx0;
using cx::CxManager;
using cx::CxStatic;
using cx::convert::StaticCast;
using cx::glm::Vec3;
using cx::math::Multiple;
using renderer::EInputKey;

namespace {

// Turning at 2 radians and moving at 20 units per second of the renderer
// clock, applied per pass through the time delta.
std::shared_ptr<cx::camera::FreeCamera>
createCamera(CxManager& manager, const std::shared_ptr<cx::input::KeysPressed>& keys,
             const std::shared_ptr<Cx0<float>>& delta) {
    const auto zero = manager.create<CxStatic<float>>(0.0f);
    const auto rotationSpeed =
        manager.create<Multiple<float, float>>(delta, manager.create<CxStatic<float>>(2.0f));
    const auto movementSpeed =
        manager.create<Multiple<float, float>>(delta, manager.create<CxStatic<float>>(20.0f));

    // Each vector is built z first, then y, then x.
    const auto forward = createKeyAxis(manager, keys, keyFor(EControl::MoveForward),
                                       keyFor(EControl::MoveBackward), zero, movementSpeed);
    const auto sideways = createKeyAxis(manager, keys, keyFor(EControl::MoveLeft),
                                        keyFor(EControl::MoveRight), zero, movementSpeed);
    const auto upward = createKeyAxis(manager, keys, keyFor(EControl::MoveDown),
                                      keyFor(EControl::MoveUp), zero, movementSpeed);
    const auto movement = manager.create<Vec3<float>>(upward, sideways, forward);

    const auto roll = createKeyAxis(manager, keys, keyFor(EControl::RollNegative),
                                    keyFor(EControl::RollPositive), zero, rotationSpeed);
    const auto pitch = createKeyAxis(manager, keys, keyFor(EControl::PitchDown),
                                     keyFor(EControl::PitchUp), zero, rotationSpeed);
    const auto yaw = createKeyAxis(manager, keys, keyFor(EControl::YawRight),
                                   keyFor(EControl::YawLeft), zero, rotationSpeed);
    const auto rotation = manager.create<Vec3<float>>(yaw, pitch, roll);

    return manager.create<cx::camera::FreeCamera>(rotation, movement);
}

} // namespace

bool setupSceneGraph(const LoggingContext& logging, const RendererContext& renderer,
                     SceneContext& context) {
    const auto fail = [&logging] {
        if (const auto& log = logging.mainLog; log && log->isEnabled(ELogLevel::Fatal)) {
            log->log(ELogLevel::Fatal, "Unable to create scene graph.");
        }
        return false;
    };
    // Without the dispatcher no key would ever reach the graph.
    if (!renderer.windowEvents) {
        return fail();
    }

    SceneContext built;
    built.manager = std::make_shared<CxManager>();
    CxManager& manager = *built.manager;
    built.zero = manager.create<CxStatic<float>>(0.0f);
    built.timeTicks = std::make_shared<cx::generator::TimeTicks>();
    manager.add(built.timeTicks, {});
    built.time = manager.create<StaticCast<float, double>>(built.timeTicks);
    built.timeDelta = manager.create<cx::generator::TimeDelta>(built.timeTicks);
    built.delta = manager.create<StaticCast<float, double>>(built.timeDelta);
    built.keysPressed = std::make_shared<cx::input::KeysPressed>();
    manager.add(built.keysPressed, {});
    built.camera = createCamera(manager, built.keysPressed, built.delta);
    built.fovSpeed =
        manager.create<Multiple<float, float>>(built.delta, manager.create<CxStatic<float>>(10.0f));
    built.fovDelta =
        createKeyAxis(manager, built.keysPressed, keyFor(EControl::FieldOfViewNarrower),
                      keyFor(EControl::FieldOfViewWider), built.zero, built.fovSpeed);
    // The manager hands out an empty node when an input was empty, and that
    // reaches the end of every chain built on it.
    if (!built.camera || !built.fovDelta || !built.time) {
        return fail();
    }

    // The dispatcher keeps the keyboard node alive as long as it may call it;
    // the node holds nothing back, so there is no cycle.
    renderer.windowEvents->addOnKeyEventListener(
        [keys = built.keysPressed](std::shared_ptr<renderer::IRendererWindow> window, EInputKey key,
                                   std::int32_t scancode, renderer::EInputAction action,
                                   std::uint16_t mods) {
            keys->onKey(std::move(window), key, scancode, action, mods);
        });

    context = std::move(built);
    return true;
}

void releaseSceneGraph(SceneContext& context) {
    context.fovDelta.reset();
    context.fovSpeed.reset();
    context.camera.reset();
    context.keysPressed.reset();
    context.delta.reset();
    context.timeDelta.reset();
    context.time.reset();
    context.timeTicks.reset();
    context.zero.reset();
    context.manager.reset();
}

} // namespace ox::app
