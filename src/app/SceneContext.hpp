#pragma once

#include "app/LoggingContext.hpp"
#include "app/RendererContext.hpp"
#include "cx/Cx0.hpp"
#include "cx/CxManager.hpp"
#include "cx/camera/FreeCamera.hpp"
#include "cx/generator/TimeDelta.hpp"
#include "cx/generator/TimeTicks.hpp"
#include "cx/input/KeysPressed.hpp"

#include <memory>

namespace ox::app {

// The computation graph of the demo: time and held keys in, camera motion and
// the field-of-view rate out. The manager owns every node for the whole run;
// the members share the ones the scene reads or writes. Node kinds that exist
// only for the demo are held through their Cx0 value type. Filled only when
// the set-up succeeds; members are released last to first. Main thread only.
struct SceneContext {
    std::shared_ptr<cx::CxManager> manager;
    // 0, the rate of a field-of-view key that is not held.
    std::shared_ptr<cx::Cx0<float>> zero;
    // Renderer time in seconds, written by the frame update before each pass.
    std::shared_ptr<cx::generator::TimeTicks> timeTicks;
    std::shared_ptr<cx::Cx0<float>> time;
    // Seconds since the previous pass.
    std::shared_ptr<cx::generator::TimeDelta> timeDelta;
    std::shared_ptr<cx::Cx0<float>> delta;
    // Fed by a key listener on the main window's events dispatcher.
    std::shared_ptr<cx::input::KeysPressed> keysPressed;
    std::shared_ptr<cx::camera::FreeCamera> camera;
    // Degrees per pass at the full rate of 10 degrees per second.
    std::shared_ptr<cx::Cx0<float>> fovSpeed;
    // Field-of-view change of this pass in degrees: Z widens, X narrows.
    std::shared_ptr<cx::Cx0<float>> fovDelta;
};

// Builds the graph and registers the keyboard node as a key listener on the
// renderer context's window events dispatcher. Fails, with one fatal line on
// "main" and `context` left as it was, when there is no dispatcher to listen
// to or a node could not be built.
bool setupSceneGraph(const LoggingContext& logging, const RendererContext& renderer,
                     SceneContext& context);

// Releases the members last to first.
void releaseSceneGraph(SceneContext& context);

} // namespace ox::app
