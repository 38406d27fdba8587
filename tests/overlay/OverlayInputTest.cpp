#include "overlay/OverlayInput.hpp"

#include "camera/FreeCamera.hpp"
#include "camera/MouseLook.hpp"
#include "renderer/RendererWindowEventsDispatcher.hpp"

#include <gtest/gtest.h>
#include <imgui.h>

#include <memory>

namespace {

using ox::renderer::EInputAction;
using ox::renderer::EInputMouseButton;

// The panel from (10, 10) to (440, 500); the scene behind it turns its camera
// with the mouse and zooms with the wheel, as the demo does, through
// listeners registered on the same dispatcher after the overlay's.
struct OverlayInputTest : ::testing::Test {
    void SetUp() override {
        ox::overlay::OverlayInput::listen(input, *events);
        input->setPanel(10.0f, 10.0f, 440.0f, 500.0f);
        events->addOnCursorPositionEventListener(
            [this](std::shared_ptr<ox::renderer::IRendererWindow>, double x, double y) {
                look.onCursorPosition(x, y, camera);
            });
        events->addOnMouseButtonEventListener(
            [this](std::shared_ptr<ox::renderer::IRendererWindow>, EInputMouseButton button,
                   EInputAction action,
                   std::uint16_t) { look.onMouseButton(nullptr, button, action, nullptr); });
        events->addOnScrollEventListener(
            [this](std::shared_ptr<ox::renderer::IRendererWindow>, double, double y) {
                fieldOfView -= static_cast<float>(y);
            });
    }

    // Press at `from`, move to `to` in two steps, release there.
    void drag(float fromX, float fromY, float toX, float toY) {
        events->invokeOnCursorPositionEvent(nullptr, fromX, fromY);
        events->invokeOnMouseButtonEvent(nullptr, EInputMouseButton::Button1, EInputAction::Press,
                                         0);
        events->invokeOnCursorPositionEvent(nullptr, (fromX + toX) / 2, (fromY + toY) / 2);
        events->invokeOnCursorPositionEvent(nullptr, toX, toY);
        events->invokeOnMouseButtonEvent(nullptr, EInputMouseButton::Button1, EInputAction::Release,
                                         0);
    }

    std::shared_ptr<ox::renderer::RendererWindowEventsDispatcher> events =
        std::make_shared<ox::renderer::RendererWindowEventsDispatcher>();
    std::shared_ptr<ox::overlay::OverlayInput> input =
        std::make_shared<ox::overlay::OverlayInput>();
    ox::camera::FreeCamera camera;
    ox::camera::MouseLook look;
    float fieldOfView = 45.0f;
};

TEST_F(OverlayInputTest, ADragOrWheelOnThePanelLeavesTheCameraAlone) {
    drag(100.0f, 100.0f, 300.0f, 200.0f);
    events->invokeOnScrollEvent(nullptr, 0.0, 3.0);
    EXPECT_EQ(camera.forward, glm::vec3(0.0f, 0.0f, 1.0f));
    EXPECT_FALSE(look.mouseLook);
    EXPECT_EQ(fieldOfView, 45.0f);
}

TEST_F(OverlayInputTest, ADragThatStartsBesideThePanelTurnsTheCameraEvenAcrossIt) {
    drag(700.0f, 300.0f, 200.0f, 300.0f);
    EXPECT_LT(camera.forward.z, 0.9f);
    EXPECT_FALSE(look.mouseLook) << "the release over the panel ends mouse look";
    events->invokeOnScrollEvent(nullptr, 0.0, 3.0);
    EXPECT_EQ(fieldOfView, 45.0f) << "the wheel over the panel zooms nothing";
    events->invokeOnCursorPositionEvent(nullptr, 700.0, 300.0);
    events->invokeOnScrollEvent(nullptr, 0.0, 3.0);
    EXPECT_EQ(fieldOfView, 42.0f);
}

TEST_F(OverlayInputTest, AHiddenPanelTakesNothingAndAClickWithinOneFrameStillReachesImGui) {
    input->setPanel(0.0f, 0.0f, 0.0f, 0.0f);
    events->invokeOnCursorPositionEvent(nullptr, 100.0, 100.0);
    events->invokeOnScrollEvent(nullptr, 0.0, 2.0);
    EXPECT_EQ(fieldOfView, 43.0f);

    input->setPanel(10.0f, 10.0f, 440.0f, 500.0f);
    events->invokeOnMouseButtonEvent(nullptr, EInputMouseButton::Button1, EInputAction::Press, 0);
    events->invokeOnMouseButtonEvent(nullptr, EInputMouseButton::Button1, EInputAction::Release, 0);
    ImGuiContext* context = ImGui::CreateContext();
    ImGuiIO& io = ImGui::GetIO();
    input->feed(io);
    EXPECT_TRUE(io.MouseDown[0]);
    EXPECT_EQ(io.MousePos.x, 100.0f);
    input->feed(io);
    EXPECT_FALSE(io.MouseDown[0]);
    ImGui::DestroyContext(context);
}

} // namespace
