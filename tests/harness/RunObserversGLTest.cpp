#include "app/IScene.hpp"
#include "app/Program.hpp"
#include "core/logger/ELogLevel.hpp"
#include "harness/Launch.hpp"
#include "support/CurrentDirectory.hpp"
#include "support/DirectorySnapshot.hpp"
#include "support/ReadFile.hpp"
#include "support/TempDir.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

// A scene that draws nothing of its own: the frame is the clear colour, so
// whatever else is in a picture was drawn over it.
struct EmptyScene : ox::app::IScene {
    void assemble(const ox::app::RendererContext&,
                  const std::shared_ptr<ox::renderer::IRenderingApi>&) override {}
    void update(double) override {}
    void draw() override {}
    void shutdown() override {}
    float fieldOfView() const override { return 45.0f; }
    glm::vec3 cameraPosition() const override { return glm::vec3(0.0f); }
};

// Runs the shell in-process as a program on it would, headless on Mesa's
// software device unless `arguments` name another, with them; with `sceneFails` its own start-up
// stage fails once the renderer runs. Returns the exit code.
int launch(const std::string& arguments, bool sceneFails = false) {
    const bool device = arguments.find("--egl-device") != std::string::npos;
    std::istringstream words("--headless " + arguments + (device ? "" : " --egl-device software"));
    std::vector<std::string> kept{std::istream_iterator<std::string>(words), {}};
    const std::vector<std::string_view> views(kept.begin(), kept.end());
    return ox::harness::launch("test", views, [sceneFails](const auto& controls) {
        return ox::app::runProgram(
            [sceneFails](const ox::app::LoggingContext& logging,
                         ox::app::RendererContext&) -> std::unique_ptr<ox::app::IScene> {
                if (sceneFails) {
                    logging.mainLog->log(ox::core::logger::ELogLevel::Fatal, "No scene.");
                    return nullptr;
                }
                return std::make_unique<EmptyScene>();
            },
            controls);
    });
}

class RunObserversGLTest : public testing::Test {
protected:
    void SetUp() override {
        // Headless needs no X server: none may be leaned on.
        unsetenv("DISPLAY");
        std::ofstream(dir / "s.input") << "1 key down F12\n2 key down A\n3 key up A\n";
        std::ofstream(dir / "old.csv") << "frame,frame_ms\n1,16.000\n";
    }

    ox::test::TempDir dir;
    ox::test::CurrentDirectory inside{dir.path()};
};

// A start that fails at any stage leaves every file the run would write as
// it was, and creates none but the log: refused options, a renderer that
// cannot start, a program's own stage failing after the renderer started.
TEST_F(RunObserversGLTest, AFailedStartOfAnyKindChangesNoFileButTheLog) {
    const std::string outputs = "--input s.input --stats old.csv --record new.input --capture "
                                "frames --capture-frames 1 --frames 2";
    std::ofstream(dir / "vexel.log") << "the log of an earlier run\n";
    const struct {
        const char* name;
        std::string arguments;
        bool sceneFails;
        int exit;
    } cases[] = {
        {"refused", outputs + " --gl-debug=yes", false, 2},
        {"no renderer", "--egl-device 9 " + outputs, false, 1},
        {"no scene", outputs, true, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto before = ox::test::snapshot(dir.path());
        EXPECT_EQ(launch(c.arguments, c.sceneFails), c.exit);
        auto after = ox::test::snapshot(dir.path());
        if (c.exit != 2) {
            EXPECT_NE(after["vexel.log"], before["vexel.log"]) << "the log is written";
            after.erase("vexel.log");
            before.erase("vexel.log");
        }
        EXPECT_EQ(after, before);
    }
}

// The observers see each frame in their written order: the run's outputs
// are ready before the first observer creates a file and closed after the
// last one has written (the last frame's row comes at the very end); the
// script's events are recorded with their frames; the screenshot and the
// capture read the same drawn frame, both before the overlay is drawn over
// it, so they are the same with the overlay on and off.
TEST_F(RunObserversGLTest, ObserversSeeEachFrameInTheirOrder) {
    std::map<std::string, std::string> pictures;
    for (const std::string overlay : {"", " --overlay"}) {
        SCOPED_TRACE(overlay);
        std::filesystem::remove_all(dir / "screenshots");
        ASSERT_EQ(launch("--input s.input --record rec.input --stats stats.csv --capture frames "
                         "--capture-frames 1,3 --frames 3" +
                         overlay),
                  0);
        const std::string stats = ox::test::readFile(dir / "stats.csv");
        EXPECT_TRUE(stats.starts_with("frame,frame_ms\n1,")) << stats;
        EXPECT_NE(stats.find("\n3,"), std::string::npos) << stats;
        const std::string log = ox::test::readFile(dir / "vexel.log");
        EXPECT_EQ(log.find("(l:err)"), std::string::npos) << log;
        const std::string screenshot = ox::test::readFile(dir / "screenshots" / "vexel-1.png");
        EXPECT_FALSE(screenshot.empty()) << log;
        EXPECT_EQ(screenshot, ox::test::readFile(dir / "frames" / "frame-1.png"));
        for (const char* picture : {"frame-1.png", "frame-3.png"}) {
            const std::string bytes = ox::test::readFile(dir / "frames" / picture);
            EXPECT_EQ(bytes, pictures.emplace(picture, bytes).first->second) << picture;
        }
        const std::string recorded = ox::test::readFile(dir / "rec.input");
        for (const char* line : {"\n1 key down F12\n", "\n2 key down A\n", "\n3 key up A\n"}) {
            EXPECT_NE(recorded.find(line), std::string::npos) << line << recorded;
        }
    }
}

} // namespace
