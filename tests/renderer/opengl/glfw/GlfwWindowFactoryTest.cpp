#include "renderer/opengl/glfw/GlfwWindowFactory.hpp"
#include "renderer/IMonitorVideoMode.hpp"
#include "support/RendererEventJournal.hpp"

#include <gtest/gtest.h>

#include <optional>

namespace {

using ox::renderer::context_version_t;
using ox::renderer::dimension_t;
using ox::renderer::EClientApi;
using ox::renderer::EContextRobustness;
using ox::renderer::EOpenGlProfile;
using ox::renderer::EWindowBoolHint;
using ox::renderer::EWindowIntHint;
using ox::renderer::IMonitor;
using ox::renderer::IMonitorVideoMode;
using ox::renderer::IRenderer;
using ox::renderer::opengl::glfw::GlfwWindowFactory;
using Hints = std::vector<GlfwWindowFactory::hint_t>;

class FakeVideoMode final : public IMonitorVideoMode {
public:
    FakeVideoMode(std::int32_t width, std::int32_t height)
        : width(width)
        , height(height) {}
    std::int32_t getWidth() const override { return width; }
    std::int32_t getHeight() const override { return height; }
    std::int32_t getRedBits() const override { return 5; }
    std::int32_t getGreenBits() const override { return 6; }
    std::int32_t getBlueBits() const override { return 7; }
    std::int32_t getRefreshRate() const override { return 60; }

private:
    std::int32_t width;
    std::int32_t height;
};

// A monitor that never touches the window system.
class FakeMonitor final : public IMonitor {
public:
    explicit FakeMonitor(std::optional<FakeVideoMode> current)
        : current(current) {}
    std::shared_ptr<IRenderer> getRenderer() const override { return {}; }
    void* getNativeHandle() const override { return nullptr; }
    bool isPrimary() const override { return true; }
    std::pair<std::int32_t, std::int32_t> getPosition() const override { return {0, 0}; }
    std::pair<std::int32_t, std::int32_t> getPhysicalSize() const override { return {0, 0}; }
    const std::string& getName() const override { return name; }
    void forEachVideoMode(std::function<void(const IMonitorVideoMode*)>) override {}
    const IMonitorVideoMode* getCurrentVideoMode() const override {
        return current ? &*current : nullptr;
    }
    void setGamma(float) override {}

private:
    std::optional<FakeVideoMode> current;
    std::string name = "fake";
};

// No renderer: nothing in these tests may reach GLFW.
class GlfwWindowFactoryTest : public ::testing::Test {
protected:
    ox::test::RendererEventJournal journal;
    GlfwWindowFactory factory{nullptr, journal.rendererEvents};
};

TEST_F(GlfwWindowFactoryTest, StartsWindowedAt512WithoutTitleOrHints) {
    EXPECT_EQ(factory.getSize(), (dimension_t{512, 512}));
    EXPECT_EQ(factory.getTitle(), "");
    EXPECT_EQ(factory.getMonitor(), nullptr);
    EXPECT_TRUE(factory.getHints().empty());
}

TEST_F(GlfwWindowFactoryTest, ApplicationConfigurationGivesItsFourHints) {
    factory.setTitle("Vexel").setSize(1024, 1024).setEvents(journal.windowEvents);
    factory.getOpenGlHintFactory()
        .setContextVersion(context_version_t{4, 5})
        .setClientApi(EClientApi::OpenGl)
        .setOpenGlProfile(EOpenGlProfile::Core);

    EXPECT_EQ(factory.getHints(),
              (Hints{{0x22002, 4}, {0x22003, 5}, {0x22001, 0x30001}, {0x22008, 0x32001}}));
    EXPECT_EQ(factory.getTitle(), "Vexel");
    EXPECT_EQ(factory.getSize(), (dimension_t{1024, 1024}));
}

TEST_F(GlfwWindowFactoryTest, EverySetterAppendsInCallOrderAndNeverReplaces) {
    factory.setContextVersion({3, 3})
        .setContextVersion({4, 5})
        .setOpenGlProfile(EOpenGlProfile::Compatibility)
        .setOpenGlProfile(EOpenGlProfile::Any)
        .setClientApi(EClientApi::OpenGlEs)
        .setContextRobustness(EContextRobustness::None)
        .setContextRobustness(EContextRobustness::NoResetNotification)
        .setContextRobustness(EContextRobustness::LoseContextOnReset)
        .setBoolHint(EWindowBoolHint::Visible, false)
        .setBoolHint(EWindowBoolHint::OpenGlDebugContext, true)
        .setIntHint(EWindowIntHint::Samples, 4)
        .setIntHint(EWindowIntHint::RefreshRate, 75);

    EXPECT_EQ(factory.getHints(), (Hints{{0x22002, 3},
                                         {0x22003, 3},
                                         {0x22002, 4},
                                         {0x22003, 5},
                                         {0x22008, 0x32002},
                                         {0x22008, 0},
                                         {0x22001, 0x30002},
                                         {0x22005, 0},
                                         {0x22005, 0x31001},
                                         {0x22005, 0x31002},
                                         {0x20004, 0},
                                         {0x22007, 1},
                                         {0x2100D, 4},
                                         {0x2100F, 75}}));
}

TEST_F(GlfwWindowFactoryTest, KeysOutsideTheirTablesAppendNothingAndReportNothing) {
    factory.setIntHint(static_cast<EWindowIntHint>(15), 1)
        .setIntHint(static_cast<EWindowIntHint>(-1), 1)
        .setBoolHint(static_cast<EWindowBoolHint>(7), true)
        .setClientApi(static_cast<EClientApi>(2))
        .setContextRobustness(static_cast<EContextRobustness>(3))
        .setOpenGlProfile(static_cast<EOpenGlProfile>(3));

    EXPECT_TRUE(factory.getHints().empty());
    EXPECT_TRUE(journal.entries().empty());
}

TEST_F(GlfwWindowFactoryTest, ColorBitsComeFromTheVideoModeInRedGreenBlueOrder) {
    factory.setColorBits(std::make_shared<FakeVideoMode>(800, 600));
    factory.setColorBits(nullptr);

    EXPECT_EQ(factory.getHints(), (Hints{{0x21001, 5}, {0x21002, 6}, {0x21003, 7}}));
}

TEST_F(GlfwWindowFactoryTest, FullScreenWithoutMonitorIsReportedAndChangesNothing) {
    factory.setSize(640, 480).setFullScreen(nullptr);

    EXPECT_EQ(factory.getMonitor(), nullptr);
    EXPECT_EQ(factory.getSize(), (dimension_t{640, 480}));
    EXPECT_EQ(journal.messages(0),
              (std::vector<std::string>{
                  "Full screen mode requested without valid <monitor> parameter."}));
}

TEST_F(GlfwWindowFactoryTest, FullScreenWithoutCurrentModeKeepsMonitorButNotSize) {
    const auto monitor = std::make_shared<FakeMonitor>(std::nullopt);
    factory.setSize(640, 480).setFullScreen(monitor);

    EXPECT_EQ(factory.getMonitor(), monitor);
    EXPECT_EQ(factory.getSize(), (dimension_t{640, 480}));
    EXPECT_EQ(journal.messages(0), (std::vector<std::string>{
                                       "Full screen mode requested, but cannot set the "
                                       "resolution because not current video mode has been set."}));
}

TEST_F(GlfwWindowFactoryTest, FullScreenTakesTheCurrentModeUntilTheNextSetSize) {
    const auto monitor = std::make_shared<FakeMonitor>(FakeVideoMode{1920, 1080});
    factory.setSize(640, 480).setFullScreen(monitor);
    EXPECT_EQ(factory.getSize(), (dimension_t{1920, 1080}));

    factory.setSize(800, 600);
    EXPECT_EQ(factory.getSize(), (dimension_t{800, 600}));
    EXPECT_EQ(factory.getMonitor(), monitor);
    EXPECT_TRUE(journal.entries().empty());
}

TEST_F(GlfwWindowFactoryTest, CreatingWithoutRendererReportsAndReturnsNothing) {
    factory.setTitle("Vexel");

    EXPECT_EQ(factory.createWindow(), nullptr);
    ASSERT_EQ(journal.entries().size(), 1U);
    const auto& message = journal.entries().front();
    EXPECT_EQ(message.what, "message");
    EXPECT_EQ(message.type, 0);
    EXPECT_EQ(message.renderer, nullptr);
    EXPECT_EQ(message.detail,
              "Failed to create OpenGL window, because renderer shared pointer is invalid.");
}

TEST(GlfwWindowFactoryWithoutEventsTest, FailuresAreDroppedQuietly) {
    GlfwWindowFactory factory{nullptr, nullptr};
    factory.setFullScreen(nullptr);
    EXPECT_EQ(factory.createWindow(), nullptr);
}

} // namespace
