#include "app/Scene.hpp"
#include "camera/Projection.hpp"
#include "renderer/RendererWindowEventsDispatcher.hpp"
#include "support/NullRendererWindow.hpp"
#include "support/RecordingLoggingContext.hpp"

#include <glm/geometric.hpp>
#include <glm/gtc/type_ptr.hpp>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>
#include <tuple>
#include <vector>

namespace {

constexpr double nan = std::numeric_limits<double>::quiet_NaN();

using ox::core::logger::ELogLevel;
using ox::renderer::ECursorMode;
using ox::renderer::EInputAction;
using ox::renderer::EInputKey;
using ox::renderer::EInputMouseButton;

// A window that reports the keys the test holds and records cursor modes.
class FakeWindow : public ox::test::NullRendererWindow {
public:
    std::set<EInputKey> held;
    std::vector<ECursorMode> cursorModes;

    bool isKeyPressed(EInputKey key) const override { return held.contains(key); }
    void setCursorMode(ECursorMode mode) override { cursorModes.push_back(mode); }
};

ox::app::RendererContext windowOnly(std::shared_ptr<FakeWindow> window) {
    ox::app::RendererContext context;
    context.windowEvents = std::make_shared<ox::renderer::RendererWindowEventsDispatcher>();
    context.window = std::move(window);
    return context;
}

// The scene without a rendering API: no meshes, everything else as in the
// program. Input arrives through the window's dispatcher, as from GLFW.
struct SceneTest : ::testing::Test {
    ox::test::RecordingLoggingContext log;
    std::shared_ptr<FakeWindow> window = std::make_shared<FakeWindow>();
    ox::app::RendererContext renderer = windowOnly(window);
    ox::app::SceneContext graph;
    std::unique_ptr<ox::app::Scene> scene;

    void SetUp() override {
        ASSERT_TRUE(ox::app::setupSceneGraph(log.logging, renderer, graph));
        scene = std::make_unique<ox::app::Scene>(log.logging, graph);
        scene->assemble(renderer, nullptr);
    }

    // A fresh graph and scene, as at start.
    void restart() {
        scene.reset();
        graph = {};
        renderer = windowOnly(window);
        SetUp();
    }
    void frame(double time) {
        scene->update(time);
        scene->draw();
    }
    void key(EInputKey key, EInputAction action) {
        renderer.windowEvents->invokeOnKeyEvent(window, key, 0, action, 0);
    }
    void wheel(double x, double y) { renderer.windowEvents->invokeOnScrollEvent(window, x, y); }
    void button(EInputMouseButton button, EInputAction action) {
        renderer.windowEvents->invokeOnMouseButtonEvent(window, button, action, 0);
    }
    void cursor(double x, double y) {
        renderer.windowEvents->invokeOnCursorPositionEvent(window, x, y);
    }
    const ox::camera::FreeCamera& camera() const { return graph.camera->camera; }
    std::vector<std::string> windowDebugLines() const {
        std::vector<std::string> lines;
        for (const auto& [level, line] : log.writer->lines) {
            if (level == ELogLevel::Debug && line.find(" window > ") != std::string::npos) {
                lines.push_back(line.substr(line.find(" > ") + 3));
            }
        }
        return lines;
    }
};

TEST_F(SceneTest, EachWheelStepNarrowsTheFieldOfViewByOneDegree) {
    EXPECT_EQ(scene->fieldOfView(), 45.0f);
    const struct {
        double x;
        double y;
        float fov;
    } steps[] = {
        {0.0, 1.0, 44.0f},
        {0.0, -3.0, 47.0f},
        // Only the vertical offset counts; fractions of a step count too.
        {5.0, 0.0, 47.0f},
        {0.0, 0.25, 46.75f},
        // No limits either way.
        {0.0, 50.0, -3.25f},
    };
    for (const auto& [x, y, fov] : steps) {
        wheel(x, y);
        EXPECT_EQ(scene->fieldOfView(), fov) << "after the step (" << x << ", " << y << ")";
    }
}

TEST_F(SceneTest, HeldZoomKeysChangeTheFieldOfViewByTenDegreesPerSecond) {
    frame(0.0);
    key(EInputKey::Z, EInputAction::Press);
    for (int i = 1; i <= 8; ++i) {
        frame(0.25 * i);
    }
    EXPECT_FLOAT_EQ(scene->fieldOfView(), 65.0f);

    key(EInputKey::X, EInputAction::Press);
    frame(3.0);
    EXPECT_FLOAT_EQ(scene->fieldOfView(), 65.0f) << "Z and X held together cancel";
    key(EInputKey::Z, EInputAction::Release);
    frame(4.0);
    EXPECT_FLOAT_EQ(scene->fieldOfView(), 55.0f);
}

TEST_F(SceneTest, FieldOfViewAddsUpInSinglePrecision) {
    // A thousand small steps: a sum kept in double and rounded only when read
    // ends elsewhere than the single-precision sum the title is meant to show.
    frame(0.0);
    key(EInputKey::Z, EInputAction::Press);
    float expected = 45.0f;
    for (int i = 1; i <= 1000; ++i) {
        frame(i / 1000.0);
        expected += graph.fovDelta->value;
    }
    EXPECT_EQ(scene->fieldOfView(), expected);
}

TEST_F(SceneTest, RenderDataCarriesTheProjectionCameraAndTheLineLoopOverride) {
    window->setAspectRatio(2.0f);
    key(EInputKey::T, EInputAction::Press);
    frame(0.0);
    frame(0.5);
    const auto& data = scene->renderData();
    EXPECT_EQ(data.model, glm::mat4(1.0f));
    EXPECT_EQ(data.view, graph.camera->value);
    EXPECT_EQ(data.projection, ox::camera::perspectiveProjection(45.0f, 2.0f));
    EXPECT_EQ(data.viewProjection, data.projection * data.view);
    EXPECT_EQ(data.cameraPosition, glm::vec3(0.0f, 0.0f, 10.0f));
    EXPECT_EQ(scene->cameraPosition(), glm::vec3(0.0f, 0.0f, 10.0f));
    EXPECT_EQ(data.cameraDirection, glm::vec3(0.0f, 0.0f, 1.0f));
    EXPECT_EQ(data.cameraAxis, glm::vec3(0.0f, 1.0f, 0.0f));
    EXPECT_EQ(static_cast<int>(data.primitiveOverride.mode), 3) << "line loop";
    EXPECT_EQ(data.primitiveOverride.flags, 0u);

    window->held.insert(EInputKey::C);
    frame(0.6);
    EXPECT_EQ(data.primitiveOverride.flags, 1u);
    window->held.clear();
    frame(0.7);
    EXPECT_EQ(data.primitiveOverride.flags, 0u);
}

TEST_F(SceneTest, LeftButtonSwitchesMouseLookAndCapturesTheCursor) {
    button(EInputMouseButton::Button2, EInputAction::Press);
    button(EInputMouseButton::Button2, EInputAction::Release);
    EXPECT_TRUE(window->cursorModes.empty()) << "the right button is not mouse look";
    EXPECT_TRUE(windowDebugLines().empty());

    button(EInputMouseButton::Button1, EInputAction::Press);
    button(EInputMouseButton::Button1, EInputAction::Release);
    EXPECT_EQ(window->cursorModes, (std::vector{ECursorMode::Disabled, ECursorMode::Normal}));
    EXPECT_EQ(windowDebugLines(),
              (std::vector<std::string>{"Mouse look activated.", "Mouse look deactivated."}));
}

TEST_F(SceneTest, CursorMovesTurnTheCameraOnlyWhileMouseLookIsOn) {
    cursor(100.0, 100.0);
    cursor(400.0, 400.0);
    EXPECT_EQ(camera().pitchAngle, 0.0f) << "mouse look is off";
    EXPECT_EQ(camera().yawAngle, 0.0f);

    button(EInputMouseButton::Button1, EInputAction::Press);
    cursor(500.0, 500.0);
    EXPECT_EQ(camera().pitchAngle, 0.0f) << "the first event only records the position";
    EXPECT_EQ(camera().yawAngle, 0.0f);

    // Down by 60 pixels pitches up by 0.2 rad; right by 30 yaws right by 0.1 rad.
    cursor(530.0, 560.0);
    EXPECT_FLOAT_EQ(camera().pitchAngle, 0.2f);
    EXPECT_FLOAT_EQ(camera().yawAngle, -0.1f);
    cursor(530.0, 560.0);
    EXPECT_FLOAT_EQ(camera().pitchAngle, 0.2f) << "no movement, no turn";

    // Off, moved, on again: measured from the last position seen while on.
    button(EInputMouseButton::Button1, EInputAction::Release);
    cursor(0.0, 0.0);
    button(EInputMouseButton::Button1, EInputAction::Press);
    cursor(500.0, 530.0);
    EXPECT_FLOAT_EQ(camera().pitchAngle, 0.1f);
    EXPECT_FLOAT_EQ(camera().yawAngle, 0.0f);

    // The turn reaches the view at the next pass.
    const glm::mat4 before = graph.camera->value;
    frame(0.0);
    EXPECT_NE(graph.camera->value, before);
    EXPECT_EQ(scene->cameraPosition(), glm::vec3(0.0f));
}

// Input no person sends, from a script or a runaway mouse: the field of view
// and the camera stay finite, and ordinary input after it still counts.
TEST_F(SceneTest, ExtremeInputLeavesTheFieldOfViewAndTheCameraFinite) {
    enum EKind { Wheel, Cursor, Look };
    const struct {
        const char* name;
        std::vector<std::tuple<EKind, double, double>> inputs;
        float fov;
        float pitch;
    } cases[] = {
        {"a thousand wheel steps, again and again",
         {{Wheel, 0, 1000}, {Wheel, 0, 1000}, {Wheel, 0, 1000}},
         -2955.0f,
         0.0f},
        {"wheel offsets past the float range",
         {{Wheel, 0, 3.4e38}, {Wheel, 0, 3.4e38}, {Wheel, 0, -1e300}, {Wheel, 0, nan}},
         -3.4e38f,
         0.0f},
        {"cursor jumps of a million pixels",
         {{Look, 0, 0},
          {Cursor, 0, 0},
          {Cursor, 1e6, 1e6},
          {Cursor, -1e6, -1e6},
          {Cursor, 1e6, 1e6},
          {Cursor, 30, 30}},
         45.0f,
         0.1f},
        {"cursor positions past the float range are skipped",
         {{Look, 0, 0},
          {Cursor, 0, 500},
          {Cursor, 0, -3.5e38},
          {Cursor, 1e300, 0},
          {Cursor, nan, nan},
          {Cursor, 0, 560}},
         45.0f,
         0.2f},
        {"a jump wider than the float range turns nothing",
         {{Look, 0, 0}, {Cursor, 3e38, 3e38}, {Cursor, -3e38, -3e38}},
         45.0f,
         0.0f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        restart();
        for (const auto& [kind, x, y] : c.inputs) {
            if (kind == Wheel) {
                wheel(x, y);
            } else if (kind == Cursor) {
                cursor(x, y);
            } else {
                button(EInputMouseButton::Button1, EInputAction::Press);
            }
        }
        key(EInputKey::Y, EInputAction::Press);
        frame(0.0);
        frame(0.5);
        EXPECT_EQ(scene->fieldOfView(), c.fov);
        EXPECT_NEAR(camera().pitchAngle, c.pitch, 1e-3f);
        // Half a second of Y: 10 units along an up vector still of unit length.
        EXPECT_NEAR(glm::length(camera().position), 10.0f, 1e-4f);
        float sum = 0.0f; // NaN or infinite if any element is
        for (int i = 0; i < 16; ++i) {
            sum += glm::value_ptr(graph.camera->value)[i];
        }
        EXPECT_TRUE(std::isfinite(sum));
    }
}

} // namespace
