#include "overlay/DebugOverlay.hpp"

#include "support/RecordingRenderingApi.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <numeric>

namespace {

using ox::overlay::DebugOverlay;
using ox::renderer::EInputAction;
using ox::renderer::EInputKey;

// There is no GL context in this program: the overlay can only draw through
// the recording API.
struct DebugOverlayTest : ::testing::Test {
    void SetUp() override {
        std::iota(frameMs.begin(), frameMs.end(), 1.0f);
        model.recentMs = frameMs;
        model.recentCount = frameMs.size();
        model.cameraPosition = {1.0f, 2.0f, 3.0f};
        model.cameraForward = {0.0f, 0.0f, 1.0f};
        model.fieldOfView = 45.0f;
        ASSERT_TRUE(overlay.attach(*events, api, EInputKey::F1));
    }

    std::size_t count(std::string_view prefix) const {
        return static_cast<std::size_t>(
            std::count_if(api->calls.begin(), api->calls.end(),
                          [prefix](const std::string& call) { return call.starts_with(prefix); }));
    }

    std::shared_ptr<ox::test::RecordingRenderingApi> api =
        std::make_shared<ox::test::RecordingRenderingApi>();
    std::shared_ptr<ox::renderer::RendererWindowEventsDispatcher> events =
        std::make_shared<ox::renderer::RendererWindowEventsDispatcher>();
    DebugOverlay overlay;
    std::array<float, 100> frameMs{};
    ox::overlay::overlay_model_t model;
};

TEST_F(DebugOverlayTest, DrawsThePanelBlendedOverTheFrameAndLeavesTheStateAsItFoundIt) {
    EXPECT_EQ(count("texImage2D("), 1u) << "the font atlas";
    api->calls.clear();
    overlay.draw(model, {1024, 768}, 1.0);

    EXPECT_GT(count("drawElements(4, "), 0u);
    // The recording API answers every isEnabled with false: blending and the
    // scissor go on for the panel and off after it; depth and culling stay off.
    const std::vector<std::string> first(api->calls.begin(), api->calls.begin() + 7);
    EXPECT_EQ(first, (std::vector<std::string>{"isEnabled(16)", "isEnabled(15)", "isEnabled(2)",
                                               "isEnabled(67)", "enable(2)", "enable(67)",
                                               "blendFunc(2, 3)"}));
    const std::vector<std::string> last(api->calls.end() - 5, api->calls.end());
    EXPECT_EQ(last, (std::vector<std::string>{"bindTexture(0)", "bindVertexArray(0)",
                                              "blendFunc(1, 0)", "disable(67)", "disable(2)"}));
    const auto& rect = overlay.panel().rect();
    EXPECT_EQ(rect.left, 10.0f);
    EXPECT_LT(rect.right, 512.0f) << "the panel leaves the middle of the window free";
}

TEST_F(DebugOverlayTest, F1HidesItWithoutAnyCallAndAWarmFrameAllocatesNothingInImGui) {
    for (double seconds = 1.0; seconds < 1.2; seconds += 0.016) {
        overlay.draw(model, {1024, 1024}, seconds);
    }
    const auto allocations = DebugOverlay::imguiAllocations();
    overlay.draw(model, {1024, 1024}, 1.3);
    overlay.draw(model, {1024, 1024}, 1.32);
    EXPECT_EQ(DebugOverlay::imguiAllocations(), allocations);

    events->invokeOnKeyEvent(nullptr, EInputKey::F1, 0, EInputAction::Press, 0);
    api->calls.clear();
    overlay.draw(model, {1024, 1024}, 1.34);
    EXPECT_TRUE(api->calls.empty()) << api->calls.front();

    events->invokeOnKeyEvent(nullptr, EInputKey::F1, 0, EInputAction::Press, 0);
    overlay.draw(model, {1024, 1024}, 1.36);
    EXPECT_GT(count("drawElements("), 0u);
}

// F1 as a person taps it, pressed and released between two frames: one tap
// hides the panel, the next shows it. Hidden, the clicks and wheel steps
// where the panel was reach the scene's listeners (mouse look and zoom),
// which are registered after the overlay's, as in the demo; shown again, the
// panel takes them back.
TEST_F(DebugOverlayTest, ATapOfF1TogglesThePanelAndHiddenItLeavesThePointerToTheScene) {
    int sceneClicks = 0;
    double sceneWheel = 0.0;
    events->addOnMouseButtonEventListener(
        [&](std::shared_ptr<ox::renderer::IRendererWindow>, ox::renderer::EInputMouseButton,
            EInputAction action,
            std::uint16_t) { sceneClicks += action == EInputAction::Press ? 1 : 0; });
    events->addOnScrollEventListener(
        [&](std::shared_ptr<ox::renderer::IRendererWindow>, double, double y) { sceneWheel += y; });
    const auto clickAndScrollOnThePanel = [&] {
        events->invokeOnCursorPositionEvent(nullptr, 100.0, 100.0);
        for (const auto action : {EInputAction::Press, EInputAction::Release}) {
            events->invokeOnMouseButtonEvent(nullptr, ox::renderer::EInputMouseButton::Button1,
                                             action, 0);
        }
        events->invokeOnScrollEvent(nullptr, 0.0, 1.0);
    };
    const auto tapF1 = [&] {
        for (const auto action :
             {EInputAction::Press, EInputAction::Repeat, EInputAction::Release}) {
            events->invokeOnKeyEvent(nullptr, EInputKey::F1, 0, action, 0);
        }
    };
    const struct {
        bool tapBefore;
        bool visible;
        int clicks;
        double wheel;
    } frames[] = {
        {false, true, 0, 0.0}, // shown: the panel takes both
        {true, false, 1, 1.0}, // hidden: both reach the scene
        {false, false, 2, 2.0},
        {true, true, 2, 2.0}, // shown again
    };
    double seconds = 1.0;
    for (const auto& frame : frames) {
        if (frame.tapBefore) {
            tapF1();
        }
        overlay.draw(model, {1024, 1024}, seconds += 0.016);
        EXPECT_EQ(overlay.isVisible(), frame.visible) << seconds;
        clickAndScrollOnThePanel();
        EXPECT_EQ(sceneClicks, frame.clicks) << seconds;
        EXPECT_EQ(sceneWheel, frame.wheel) << seconds;
    }
}

TEST_F(DebugOverlayTest, ThePanelShowsTheFiguresWithTheTitlesPrecision) {
    model.runFrames = 1000;
    model.runMedianMs = 12.345;
    model.runP99Ms = 40.0;
    overlay.draw(model, {1024, 1024}, 1.0);
    const auto& panel = overlay.panel();
    // 1 to 100 ms: nearest-rank median 50, 99th percentile 99.
    EXPECT_EQ(panel.frames().line(0), "Last 100 frames: median 50.00 ms, 99th percentile 99.00 ms");
    EXPECT_EQ(panel.frames().line(1),
              "Run, 1000 frames: median 12.35 ms, 99th percentile 40.00 ms");
    EXPECT_EQ(panel.camera().joined(), "position (1.00, 2.00, 3.00)\nforward (0.00, 0.00, 1.00)\n"
                                       "field of view 45.00 degrees\n");
}

} // namespace
