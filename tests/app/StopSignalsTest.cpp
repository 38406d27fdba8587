#include "app/StopSignals.hpp"
#include "app/FrameLoop.hpp"
#include "support/NullRenderer.hpp"
#include "support/NullRendererWindow.hpp"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// A window that closes when asked to.
struct ClosingWindow : ox::test::NullRendererWindow {
    bool closing = false;
    void setShouldClose(bool value) override { closing = value; }
    bool shouldClose() const override { return closing; }
};

// A scene that counts its frames.
struct CountingScene : ox::app::IScene {
    int frames = 0;
    void assemble(const ox::app::RendererContext&,
                  const std::shared_ptr<ox::renderer::IRenderingApi>&) override {}
    void update(double) override { ++frames; }
    void draw() override {}
    void shutdown() override {}
    float fieldOfView() const override { return 45.0f; }
    glm::vec3 cameraPosition() const override { return glm::vec3(0.0f); }
};

// A stop signal ends the run it came to; a later frame loop in the same
// process (the next test, the next run of an embedding program) runs its
// frames as if it had never come.
TEST(StopSignalsTest, ALaterFrameLoopDoesNotStopForAnEarlierRunsSignal) {
    for (const int signal : {SIGINT, SIGTERM}) {
        SCOPED_TRACE(signal);
        {
            const ox::app::StopSignals stopSignals;
            ASSERT_EQ(std::raise(signal), 0);
            EXPECT_EQ(ox::app::StopSignals::received(), signal);
        }
        ox::app::RendererContext context;
        context.renderer = std::make_shared<ox::test::NullRenderer>();
        context.window = std::make_shared<ClosingWindow>();
        CountingScene scene;
        ox::app::frame_loop_controls_t controls;
        controls.lastFrame = 3;
        ox::app::runFrameLoop(context, scene, nullptr, controls);
        EXPECT_EQ(scene.frames, 3);
    }
}

// The first SIGINT or SIGTERM asks the run to end; a second one of either
// kind ends the process at once, for a run that is stuck.
TEST(StopSignalsTest, ASecondSignalOfEitherKindEndsTheProcessAtOnce) {
    const int pairs[][2] = {
        {SIGINT, SIGINT}, {SIGTERM, SIGTERM}, {SIGINT, SIGTERM}, {SIGTERM, SIGINT}};
    for (const auto& [first, second] : pairs) {
        SCOPED_TRACE(std::to_string(first) + " then " + std::to_string(second));
        const pid_t child = fork();
        ASSERT_NE(child, -1);
        if (child == 0) {
            const ox::app::StopSignals stopSignals;
            std::raise(first);
            if (ox::app::StopSignals::received() != first) {
                _exit(3);
            }
            std::raise(second);
            // Still here: the second signal was taken as a request too.
            _exit(0);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFSIGNALED(status)) << "exit code " << WEXITSTATUS(status);
        if (WIFSIGNALED(status)) {
            EXPECT_EQ(WTERMSIG(status), second);
        }
    }
}

} // namespace
