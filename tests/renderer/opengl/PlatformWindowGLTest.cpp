#include "app/LoggingContext.hpp"
#include "app/RendererContext.hpp"
#include "harness/FrameCapture.hpp"
#include "image/PngFile.hpp"
#include "renderer/IRenderingApi.hpp"
#include "renderer/opengl/RendererFactory.hpp"
#include "support/CoreWindow.hpp"
#include "support/TempDir.hpp"

#include <GL/glew.h>
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

// A start-up whose context cannot load OpenGL cannot be had for real on a
// machine that has OpenGL: the test executable defines glewInit itself, the
// back end (linked statically into it) binds to it, and it passes the call on
// to GLEW unless told to fail.
namespace {
bool failGlew = false;
} // namespace

extern "C" GLenum GLEWAPIENTRY glewInit() {
    if (failGlew) {
        return GLEW_ERROR_NO_GL_VERSION;
    }
    return reinterpret_cast<GLenum (*)()>(dlsym(RTLD_NEXT, "glewInit"))();
}

namespace {

using ox::renderer::opengl::renderer_options_t;

// Every platform of the back end, the window system's first: terminating
// GLFW after a headless run would not matter, but this is the order a
// machine with a display meets them.
const struct {
    const char* name;
    bool headless;
} platforms[] = {{"window system", false}, {"headless", true}};

renderer_options_t optionsFor(bool headless) {
    renderer_options_t options;
    options.headless = headless;
    return options;
}

TEST(PlatformWindowGLTest, AWideWindowDrawsAndCapturesFramesOfItsSizeAndAspect) {
    for (const auto& platform : platforms) {
        SCOPED_TRACE(platform.name);
        ox::test::TempDir dir;
        const auto renderer =
            ox::renderer::opengl::RendererFactory::createRenderer(optionsFor(platform.headless));
        ASSERT_TRUE(renderer->init());
        const auto window = ox::test::createCoreWindow(*renderer, "wide", 640, 360);
        ASSERT_TRUE(window && window->isValid());
        window->makeContextCurrent();
        const ox::renderer::dimension_t size = window->getSize();
        window->handleResize(size.width, size.height);
        EXPECT_EQ(size.width, 640);
        EXPECT_EQ(size.height, 360);
        EXPECT_FLOAT_EQ(window->getAspectRatio(), 640.0F / 360.0F);

        // Blue, with the left half red: both halves and all four corners
        // must come back where a 640x360 frame has them.
        const auto api = renderer->getRenderingApi();
        api->clearColor({0.0F, 0.0F, 1.0F, 1.0F});
        api->clear(ox::renderer::EClearBuffer::Color);
        glEnable(GL_SCISSOR_TEST);
        glScissor(0, 0, 320, 360);
        api->clearColor({1.0F, 0.0F, 0.0F, 1.0F});
        api->clear(ox::renderer::EClearBuffer::Color);
        glDisable(GL_SCISSOR_TEST);
        std::string error;
        ASSERT_TRUE(ox::harness::FrameCapture::writeWindow(dir / "frame.png", *api,
                                                           window->getSize(), error))
            << error;
        window->swapBuffers();

        const auto image = ox::image::PngFile::read(dir / "frame.png", error);
        ASSERT_TRUE(image) << error;
        EXPECT_EQ(image->width, 640);
        EXPECT_EQ(image->height, 360);
        const auto red = [&](int x, int y) {
            return image->pixels[static_cast<std::size_t>((y * image->width + x) * 4)];
        };
        const auto blue = [&](int x, int y) {
            return image->pixels[static_cast<std::size_t>((y * image->width + x) * 4 + 2)];
        };
        for (const int y : {0, 359}) {
            EXPECT_EQ(red(0, y), 255);
            EXPECT_EQ(red(319, y), 255);
            EXPECT_EQ(blue(320, y), 255);
            EXPECT_EQ(blue(639, y), 255);
        }
        renderer->deinit();
    }
}

// Without OpenGL the scene's first set-up call would be a call through a
// null entry point: the start-up must end before, with its fatal line.
TEST(PlatformWindowGLTest, AContextThatCannotLoadOpenGlEndsTheStartUpOnEveryPlatform) {
    for (const auto& platform : platforms) {
        SCOPED_TRACE(platform.name);
        ox::test::TempDir dir;
        const auto previous = std::filesystem::current_path();
        std::filesystem::current_path(dir.path());
        std::vector<std::string> log;
        ox::app::LoggingContext logging;
        ASSERT_TRUE(ox::app::setupLogging(log, logging));

        failGlew = true;
        ox::app::RendererContext context;
        EXPECT_FALSE(ox::app::setupRenderer(logging, context, optionsFor(platform.headless)));
        failGlew = false;
        EXPECT_FALSE(context.renderer || context.window);
        ox::app::releaseLogging(logging);
        std::filesystem::current_path(previous);

        std::vector<std::string> errors;
        std::vector<std::string> fatal;
        for (const std::string& line : log) {
            if (std::regex_search(line, std::regex(R"(\(l:err\) renderer > )"))) {
                errors.push_back(line.substr(line.find("> ") + 2));
            }
            if (std::regex_search(line, std::regex(R"(\(l:ftl\))"))) {
                fatal.push_back(line.substr(line.find("(l:")));
            }
        }
        EXPECT_EQ(errors,
                  (std::vector<std::string>{"Missing GL version", "Failed to initialize GLEW."}));
        EXPECT_EQ(fatal, std::vector<std::string>{"(l:ftl) main > Failed to initialize renderer "
                                                  "window."});
    }
}

} // namespace
