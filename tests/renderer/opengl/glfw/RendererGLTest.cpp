#include "renderer/IRendererWindowFactory.hpp"
#include "renderer/IRendererWindowOpenGlHintFactory.hpp"
#include "renderer/opengl/glfw/GlfwMonitor.hpp"
#include "renderer/opengl/glfw/Renderer.hpp"
#include "support/NullRendererWindow.hpp"
#include "support/RendererEventJournal.hpp"

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <string>
#include <vector>

// Mesa keeps a single error flag, so a queue of many GL errors cannot be raised
// for real. The test executable defines glGetError itself: the back end, linked
// statically into it, binds to this definition, which hands out queued fake
// codes first and otherwise asks the real driver.
namespace {

std::deque<GLenum> fakeGlErrors;
int glGetErrorCalls = 0;

using GetErrorFunction = GLenum (*)();

GetErrorFunction realGlGetError() {
    static const auto function = reinterpret_cast<GetErrorFunction>(dlsym(RTLD_NEXT, "glGetError"));
    return function;
}

} // namespace

extern "C" GLenum glGetError() {
    ++glGetErrorCalls;
    if (!fakeGlErrors.empty()) {
        const GLenum code = fakeGlErrors.front();
        fakeGlErrors.pop_front();
        return code;
    }
    const auto real = realGlGetError();
    return real != nullptr ? real() : GL_NO_ERROR;
}

namespace {

using ox::renderer::context_version_t;
using ox::renderer::dimension_t;
using ox::renderer::EClientApi;
using ox::renderer::EOpenGlProfile;
using ox::renderer::IRendererWindow;
using ox::renderer::opengl::glfw::Renderer;
using Strings = std::vector<std::string>;

long count(const Strings& texts, const std::string& prefix) {
    return std::count_if(texts.begin(), texts.end(),
                         [&](const std::string& text) { return text.rfind(prefix, 0) == 0; });
}

class RendererGLTest : public ::testing::Test {
protected:
    void SetUp() override {
        fakeGlErrors.clear();
        renderer->attachEvents(journal.rendererEvents);
        ASSERT_TRUE(renderer->init()) << fmt::format("{}", fmt::join(journal.messages(0), "\n"));
    }

    void TearDown() override {
        fakeGlErrors.clear();
        if (renderer) {
            renderer->deinit();
        }
    }

    // Configured exactly as the application configures its main window.
    std::shared_ptr<IRendererWindow> createAppWindow() {
        auto factory = renderer->createWindowFactory();
        factory->setTitle("Vexel").setSize(1024, 1024).setEvents(journal.windowEvents);
        factory->getOpenGlHintFactory()
            .setContextVersion(context_version_t{4, 5})
            .setClientApi(EClientApi::OpenGl)
            .setOpenGlProfile(EOpenGlProfile::Core);
        auto window = factory->createWindow();
        return window;
    }

    ox::test::RendererEventJournal journal;
    std::shared_ptr<Renderer> renderer = std::make_shared<Renderer>();
};

TEST_F(RendererGLTest, ApplicationWindowIsCreatedAndTheEnvironmentReported) {
    const auto window = createAppWindow();

    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(window->isValid());
    EXPECT_EQ(window->getTitle(), "Vexel");
    EXPECT_EQ(window->getSize(), (dimension_t{1024, 1024}));
    EXPECT_EQ(window->getRenderer(), renderer);

    EXPECT_TRUE(journal.messages(0).empty()) << journal.messages(0).front();
    const auto info = journal.messages(1);
    EXPECT_EQ(info, (Strings{std::string("GLFW version: ") + glfwGetVersionString() + ".",
                             "Making context current for a window 'Vexel'.", info.at(2), info.at(3),
                             info.at(4)}));
    EXPECT_EQ(count(info, "Vendor: "), 1);
    EXPECT_EQ(count(info, "Version: 4.5 (Core Profile)"), 1) << info.at(3);
    EXPECT_EQ(count(info, "Renderer name: "), 1);
    EXPECT_EQ(info.at(2).rfind("Vendor: ", 0), 0U);
    EXPECT_EQ(info.at(4).rfind("Renderer name: ", 0), 0U);

    // Every discovered monitor is announced, before any window exists.
    const auto monitors = journal.only("monitor");
    ASSERT_FALSE(monitors.empty());
    ASSERT_EQ(monitors.size(), renderer->getMonitors().size());
    for (std::size_t i = 0; i < monitors.size(); ++i) {
        EXPECT_EQ(monitors[i].subject, renderer->getMonitors()[i].get());
        EXPECT_EQ(monitors[i].renderer, renderer.get());
    }

    const auto created = journal.only("create window");
    ASSERT_EQ(created.size(), 1U);
    EXPECT_EQ(created[0].subject, window.get());
    EXPECT_EQ(created[0].detail, "Vexel");
    EXPECT_EQ(journal.kinds().back(), "create window");

    // GLEW's core-profile probing must not leave an error for the next checked call.
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(RendererGLTest, SecondWindowDoesNotInitialiseGlewAgain) {
    const auto first = createAppWindow();
    journal.clear();
    const auto second = createAppWindow();

    ASSERT_TRUE(second->isValid());
    EXPECT_EQ(journal.kinds(), (Strings{"window attach", "create window"}));
    EXPECT_EQ(journal.entries().back().subject, second.get());
}

TEST_F(RendererGLTest, WindowGlfwCannotCreateIsReturnedInvalidAndUnregistered) {
    auto factory = renderer->createWindowFactory();
    factory->setTitle("Impossible").setEvents(journal.windowEvents);
    factory->getOpenGlHintFactory().setContextVersion(context_version_t{9, 9});
    journal.clear();

    const auto window = factory->createWindow();

    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(window->isValid());
    EXPECT_EQ(window->getTitle(), "OpenGL renderer window");
    EXPECT_EQ(window->getSize(), (dimension_t{-1, -1}));
    ASSERT_EQ(journal.kinds(), (Strings{"message"}));
    EXPECT_EQ(journal.messages(0).at(0).rfind(
                  fmt::format("GLFW > error code: {}, description: ", GLFW_VERSION_UNAVAILABLE), 0),
              0U)
        << journal.messages(0).at(0);
}

TEST_F(RendererGLTest, InitAgainKeepsGlfwAndDoesNotReportItsVersionTwice) {
    EXPECT_TRUE(renderer->init());
    EXPECT_TRUE(renderer->isInitialized());
    EXPECT_EQ(journal.only("init").size(), 2U);
    EXPECT_EQ(count(journal.messages(1), "GLFW version: "), 1);
}

TEST_F(RendererGLTest, DeinitDestroysWindowsInCreationOrderThenDetaches) {
    const auto first = createAppWindow();
    const auto second = createAppWindow();
    journal.clear();

    renderer->deinit();

    EXPECT_EQ(journal.kinds(), (Strings{"close", "window detach", "destroy window", "close",
                                        "window detach", "destroy window", "deinit", "detach"}));
    const auto destroyed = journal.only("destroy window");
    EXPECT_EQ(destroyed[0].subject, first.get());
    EXPECT_EQ(destroyed[1].subject, second.get());
    EXPECT_FALSE(first->isValid());
    EXPECT_FALSE(second->isValid());
    EXPECT_FALSE(renderer->isInitialized());
    EXPECT_TRUE(renderer->getMonitors().empty());
}

TEST_F(RendererGLTest, RenderingApiPollsThroughTheRendererUntilDeinit) {
    const auto window = createAppWindow();
    const auto api = renderer->getRenderingApi();
    ASSERT_NE(api, nullptr);
    EXPECT_EQ(api->getRenderer(), renderer);
    EXPECT_TRUE(renderer->init());
    EXPECT_EQ(renderer->getRenderingApi(), api);
    journal.clear();

    // Fixed-function alpha testing is gone from a core profile.
    api->enable(ox::renderer::ECapability::AlphaTest);
    EXPECT_EQ(journal.messages(0),
              (Strings{"OpenGL error InvalidEnum (internal: 0x0500) after 'glEnable' call."}));

    // deinit breaks the mutual ownership: the renderer can then go.
    renderer->deinit();
    EXPECT_EQ(api->getRenderer(), nullptr);
    const std::weak_ptr<Renderer> gone = renderer;
    renderer.reset();
    EXPECT_TRUE(gone.expired());
}

TEST_F(RendererGLTest, RenderingApiPollsAgainAfterDeinitAndInit) {
    const auto api = renderer->getRenderingApi();
    renderer->deinit();
    renderer->attachEvents(journal.rendererEvents);
    ASSERT_TRUE(renderer->init());

    EXPECT_EQ(renderer->getRenderingApi(), api);
    EXPECT_EQ(api->getRenderer(), renderer);

    // GLEW stays initialised, so the new window's context is made current here.
    const auto window = createAppWindow();
    window->makeContextCurrent();
    journal.clear();
    api->enable(ox::renderer::ECapability::AlphaTest);
    EXPECT_EQ(journal.messages(0),
              (Strings{"OpenGL error InvalidEnum (internal: 0x0500) after 'glEnable' call."}));
}

TEST_F(RendererGLTest, GlewFailureIsReportedAndTheNextWindowTriesAgain) {
    // A window that cannot make a context current leaves GLEW nothing to load.
    glfwMakeContextCurrent(nullptr);
    journal.clear();
    renderer->windowCreated(std::make_shared<ox::test::NullRendererWindow>());

    const std::string glewText =
        reinterpret_cast<const char*>(glewGetErrorString(GLEW_ERROR_NO_GL_VERSION));
    EXPECT_EQ(journal.messages(0), (Strings{glewText, "Failed to initialize GLEW."}));
    EXPECT_EQ(count(journal.messages(1), "Vendor: "), 0);

    const auto window = createAppWindow();
    EXPECT_EQ(count(journal.messages(1), "Vendor: "), 1);
    EXPECT_EQ(journal.messages(0).size(), 2U);
}

TEST_F(RendererGLTest, MissingPrimaryMonitorIsReportedOnce) {
    renderer->deinit();
    renderer->attachEvents(journal.rendererEvents);
    journal.clear();

    EXPECT_EQ(renderer->getPrimaryMonitor(), nullptr);
    // The description keeps its own full stop inside the GLFW error format.
    EXPECT_EQ(journal.messages(0),
              (Strings{"GLFW > error code: -1, description: Primary monitor not found.."}));
}

TEST_F(RendererGLTest, MonitorsMirrorGlfw) {
    const auto primary = renderer->getPrimaryMonitor();
    ASSERT_NE(primary, nullptr);
    EXPECT_TRUE(primary->isPrimary());
    EXPECT_EQ(primary->getNativeHandle(), glfwGetPrimaryMonitor());
    EXPECT_EQ(primary->getRenderer(), renderer);
    EXPECT_EQ(primary->getName(), glfwGetMonitorName(glfwGetPrimaryMonitor()));

    const auto& monitors = renderer->getMonitors();
    EXPECT_EQ(std::count_if(monitors.begin(), monitors.end(),
                            [](const auto& monitor) { return monitor->isPrimary(); }),
              1);

    int modeCount = 0;
    const GLFWvidmode* modes = glfwGetVideoModes(glfwGetPrimaryMonitor(), &modeCount);
    std::vector<const ox::renderer::IMonitorVideoMode*> visited;
    primary->forEachVideoMode(
        [&](const ox::renderer::IMonitorVideoMode* mode) { visited.push_back(mode); });
    ASSERT_EQ(visited.size(), static_cast<std::size_t>(modeCount));
    for (int i = 0; i < modeCount; ++i) {
        EXPECT_EQ(visited[i]->getWidth(), modes[i].width);
        EXPECT_EQ(visited[i]->getHeight(), modes[i].height);
        EXPECT_EQ(visited[i]->getRedBits(), modes[i].redBits);
        EXPECT_EQ(visited[i]->getRefreshRate(), modes[i].refreshRate);
    }

    const auto* current = primary->getCurrentVideoMode();
    ASSERT_NE(current, nullptr);
    EXPECT_NE(std::find(visited.begin(), visited.end(), current), visited.end());
    EXPECT_EQ(current->getWidth(), glfwGetVideoMode(glfwGetPrimaryMonitor())->width);
    EXPECT_TRUE(journal.messages(0).empty());
}

TEST_F(RendererGLTest, SixtyErrorsGiveFiftyOneMessagesThenBail) {
    const auto window = createAppWindow();
    journal.clear();
    fakeGlErrors.assign(60, GL_INVALID_OPERATION);

    renderer->pollErrors("glTest");

    const auto errors = journal.messages(0);
    ASSERT_EQ(errors.size(), 52U);
    EXPECT_EQ(std::count(errors.begin(), errors.end(),
                         "OpenGL error InvalidOperation (internal: 0x0502) after 'glTest' call."),
              51);
    EXPECT_EQ(errors.back(), "Too many renderer errors caused by 'glTest', bailing error code "
                             "polling!");
    EXPECT_EQ(fakeGlErrors.size(), 8U);
}

TEST_F(RendererGLTest, RealAndUntranslatableErrorsAreNamed) {
    const auto window = createAppWindow();
    journal.clear();

    glEnable(0xFFFF);
    renderer->pollErrors("glEnable");
    fakeGlErrors.assign({0x1234, GL_OUT_OF_MEMORY});
    renderer->pollErrors("vaoGetBinding[glGetIntegerv]");

    EXPECT_EQ(journal.messages(0),
              (Strings{"OpenGL error InvalidEnum (internal: 0x0500) after 'glEnable' call.",
                       "OpenGL error (translation failed) (internal: 0x1234) after "
                       "'vaoGetBinding[glGetIntegerv]' call.",
                       "OpenGL error OutOfMemory (internal: 0x0505) after "
                       "'vaoGetBinding[glGetIntegerv]' call."}));
    EXPECT_EQ(journal.entries().front().renderer, renderer.get());
}

TEST_F(RendererGLTest, PollingOffMakesNoGlGetErrorCall) {
    const auto window = createAppWindow();
    journal.clear();
    fakeGlErrors.assign(3, GL_INVALID_VALUE);
    renderer->setErrorPolling(false);
    glGetErrorCalls = 0;

    renderer->pollErrors("glViewport");

    EXPECT_EQ(glGetErrorCalls, 0);
    EXPECT_EQ(fakeGlErrors.size(), 3U);
    EXPECT_TRUE(journal.entries().empty());
}

TEST_F(RendererGLTest, WithoutWindowsOneCodeIsReadAndNothingReported) {
    journal.clear();
    fakeGlErrors.assign(3, GL_INVALID_VALUE);
    glGetErrorCalls = 0;

    renderer->pollErrors("glViewport");

    EXPECT_EQ(glGetErrorCalls, 1);
    EXPECT_EQ(fakeGlErrors.size(), 2U);
    EXPECT_TRUE(journal.entries().empty());
}

TEST_F(RendererGLTest, GlfwErrorsBecomeRendererMessages) {
    const auto window = createAppWindow();
    glfwMakeContextCurrent(nullptr);
    journal.clear();

    renderer->setSwapInterval(false);

    const auto errors = journal.messages(0);
    ASSERT_EQ(errors.size(), 1U);
    EXPECT_EQ(errors[0].rfind(
                  fmt::format("GLFW > error code: {}, description: ", GLFW_NO_CURRENT_CONTEXT), 0),
              0U)
        << errors[0];
}

TEST_F(RendererGLTest, NewestRendererReceivesGlfwErrorsAndTheOlderOneMayGo) {
    ox::test::RendererEventJournal secondJournal;
    auto second = std::make_shared<Renderer>();
    second->attachEvents(secondJournal.rendererEvents);
    ASSERT_TRUE(second->init());
    journal.clear();
    secondJournal.clear();

    glfwMakeContextCurrent(nullptr);
    glfwSwapInterval(0);
    EXPECT_TRUE(journal.entries().empty());
    EXPECT_EQ(secondJournal.messages(0).size(), 1U);

    // Destroying the route's owner silences it instead of leaving it dangling.
    second->deinit();
    second.reset();
    glfwSwapInterval(0);
    EXPECT_TRUE(journal.entries().empty());
}

} // namespace
