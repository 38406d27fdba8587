#include "app/IScene.hpp"
#include "app/Program.hpp"
#include "harness/InputScript.hpp"
#include "harness/RunObservers.hpp"
#include "support/CurrentDirectory.hpp"
#include "support/TempDir.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

using ox::renderer::EInputKey;

// A scene that only watches: which frames it drew, on which of them its
// window said C was held, and the wheel events its listener got.
struct WatchingScene : ox::app::IScene {
    struct seen_t {
        int draws = 0;
        std::vector<int> framesWithC;
        double wheel = 0.0;
    };

    explicit WatchingScene(seen_t& seen)
        : seen(seen) {}

    void assemble(const ox::app::RendererContext& context,
                  const std::shared_ptr<ox::renderer::IRenderingApi>&) override {
        window = context.window;
        context.windowEvents->addOnScrollEventListener(
            [this](std::shared_ptr<ox::renderer::IRendererWindow>, double, double y) {
                seen.wheel += y;
            });
    }
    void update(double) override {}
    void draw() override {
        ++seen.draws;
        if (window->isKeyPressed(EInputKey::C)) {
            seen.framesWithC.push_back(seen.draws);
        }
    }
    void shutdown() override {}
    float fieldOfView() const override { return 45.0f; }
    glm::vec3 cameraPosition() const override { return glm::vec3(0.0f); }

    seen_t& seen;
    std::shared_ptr<ox::renderer::IRendererWindow> window;
};

// Scripted keys reach the scene and the frame loop's Escape check only
// through the main window's input, where the window system's keys enter too;
// wheel events go through the window's events dispatcher like real ones. The
// window is a headless one: what arrives is the platform layer's business
// (WindowInputGLTest), not the harness's.
TEST(RunHarnessGLTest, ScriptedKeysReachTheSceneAndTheLoopThroughTheWindow) {
    const struct {
        const char* name;
        const char* script;
        std::optional<std::uint32_t> frames;
        int draws;
        std::vector<int> framesWithC;
        double wheel;
    } cases[] = {
        // The frame limits only bound a run whose Escape was lost. Events of
        // frame n arrive where real ones would, after frame n - 1's poll, so
        // Escape before frame 5 ends the run with frame 4, as a live one would.
        {"C held two frames, then Escape",
         "2 key down C\n4 key up C\n5 key down Escape\n",
         30,
         4,
         {2, 3},
         0.0},
        // Before frame 1 there is no frame 0 to end with: the run draws
        // frame 1 and ends: a run always draws its first frame.
        {"Escape at once", "1 key down Escape\n", 30, 1, {}, 0.0},
        // Pressed and released before one frame: seen by that frame, once.
        {"a tap of C, then a tap of Escape",
         "3 key down C\n3 key up C\n6 key down Escape\n6 key up Escape\n",
         30,
         5,
         {3},
         0.0},
        {"Wheel, no keys, a frame limit", "1 wheel 0 2\n2 wheel 0 -0.5\n", 3, 3, {}, 1.5},
    };
    ox::test::TempDir dir;
    ox::test::CurrentDirectory inside(dir.path());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::istringstream text(c.script);
        std::string error;
        auto script = ox::harness::InputScript::parse(text, error);
        ASSERT_TRUE(script) << error;
        ox::harness::run_options_t options;
        options.frames = c.frames;
        options.headless = true;
        ox::harness::RunObservers observers(options, std::move(script));

        WatchingScene::seen_t seen;
        const int code = ox::app::runProgram(
            [&seen](const ox::app::LoggingContext&, ox::app::RendererContext&) {
                return std::make_unique<WatchingScene>(seen);
            },
            observers.controls());
        EXPECT_EQ(code, 0);
        EXPECT_EQ(seen.draws, c.draws);
        EXPECT_EQ(seen.framesWithC, c.framesWithC);
        EXPECT_EQ(seen.wheel, c.wheel);
    }
}

} // namespace
