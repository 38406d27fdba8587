#include "app/Program.hpp"
#include "harness/RunObservers.hpp"
#include "support/CurrentDirectory.hpp"
#include "support/ReadFile.hpp"
#include "support/TempDir.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

// A program whose own start-up stage fails once the renderer runs, watched by
// the run's observers (the instruments see the renderer, and with the GPU
// timer its rendering API; the overlay sees both): the renderer still shuts
// down while the log is there to say so, and nothing keeps it alive once the
// program has returned, though the observers live on.
TEST(ProgramGLTest, AFailedSceneStageStillShutsTheRendererDownWhileItCanLog) {
    ox::test::TempDir dir;
    ox::test::CurrentDirectory inside(dir.path());
    ox::harness::run_options_t options;
    options.gpuTiming = true;
    options.overlay = true;
    // Headless: no X server needed.
    options.headless = true;
    options.device.preference = ox::renderer::opengl::EDevicePreference::Software;
    ox::harness::RunObservers observers(options, std::nullopt);
    const ox::app::frame_loop_controls_t controls = observers.controls();
    std::weak_ptr<ox::renderer::IRenderer> renderer;

    const int code = ox::app::runProgram(
        [&renderer](const ox::app::LoggingContext& logging,
                    ox::app::RendererContext& context) -> std::unique_ptr<ox::app::IScene> {
            renderer = context.renderer;
            logging.mainLog->log(ox::core::logger::ELogLevel::Fatal, "No scene.");
            return nullptr;
        },
        controls);

    EXPECT_EQ(code, 1);
    const std::string log = ox::test::readFile(dir / "vexel.log");
    std::size_t at = log.find("(l:ftl) main > No scene.");
    for (const char* line : {"(l:inf) renderer > Destroying window 'Vexel'.",
                             "(l:dbg) renderer > Renderer deinitialized.",
                             "(l:inf) renderer > Event dispatcher detached."}) {
        at = log.find(line, at);
        EXPECT_NE(at, std::string::npos) << "missing, or out of order: " << line << "\n" << log;
    }
    EXPECT_TRUE(renderer.expired());
}

} // namespace
