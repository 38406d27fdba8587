#pragma once

// Shared fixture for ...GLTest programs: one headless window of the back end
// (an EGL device's off-screen surface, no X server needed) with an OpenGL 4.5
// core context and GLEW loaded, created on first use through the same
// platform layer the program uses, and kept until the test program exits.
// Tests derive from ox::test::GlTest, which makes the context current before
// each test and fails a test that leaves an OpenGL error pending.

#include "renderer/RendererEventsDispatcher.hpp"
#include "renderer/opengl/RendererFactory.hpp"
#include "renderer/renderer_message_data_t.hpp"
#include "support/CoreWindow.hpp"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace ox::test {

inline constexpr int glTestWindowWidth = 64;
inline constexpr int glTestWindowHeight = 64;

// Takes every pending error code off the queue and returns them.
inline std::vector<GLenum> drainGlErrors() {
    std::vector<GLenum> codes;
    // A lost context reports errors forever; the cap keeps this finite.
    for (GLenum code = glGetError(); code != GL_NO_ERROR && codes.size() < 64;
         code = glGetError()) {
        codes.push_back(code);
    }
    return codes;
}

struct gl_test_context_t {
    std::shared_ptr<renderer::IRenderer> renderer;
    std::shared_ptr<renderer::IRendererWindow> window;
};

// The shared context's window, made current on first use; null when no
// OpenGL 4.5 core context could be had. The renderer's errors go to stderr.
//
// At exit the renderer shuts down (the window destroyed, the EGL display
// terminated), before LeakSanitizer runs (its check was registered with
// atexit at start-up, so it runs after ours). That stops llvmpipe's
// rasteriser and thread-pool workers: left running, they are what
// LeakSanitizer's tracer must stop while it scans, and it sometimes crashes
// doing so. The driver itself stays mapped (every sanitized program's dlclose
// keeps it), so that its globals are still scanned and nothing of ours is
// misreported.
inline renderer::IRendererWindow* glTestWindow() {
    static gl_test_context_t context = [] {
        gl_test_context_t made;
        renderer::opengl::renderer_options_t options;
        options.headless = true;
        made.renderer = renderer::opengl::RendererFactory::createRenderer(options);
        const auto events = std::make_shared<renderer::RendererEventsDispatcher>();
        events->addOnMessageEventListener([](const renderer::renderer_message_data_t& message) {
            if (message.type == renderer::MessageTypeError) {
                std::fprintf(stderr, "renderer: %.*s\n", static_cast<int>(message.message.size()),
                             message.message.data());
            }
        });
        made.renderer->attachEvents(events);
        if (!made.renderer->init()) {
            return made;
        }
        made.window =
            createCoreWindow(*made.renderer, "GL test", glTestWindowWidth, glTestWindowHeight);
        if (!made.window || !made.window->isValid()) {
            made.window.reset();
            return made;
        }
        made.window->makeContextCurrent();
        // GLEW probes extensions in a way a core context rejects; that error
        // belongs to no test.
        drainGlErrors();
        std::atexit([] {
            if (glTestWindow() != nullptr) {
                glTestWindow()->getRenderer()->deinit();
            }
        });
        return made;
    }();
    return context.window && context.window->isValid() ? context.window.get() : nullptr;
}

// Base fixture for tests that need a current context.
class GlTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(glTestWindow(), nullptr) << "no OpenGL 4.5 core context available";
        glTestWindow()->makeContextCurrent();
        // Errors left by an earlier, already failed test are not ours.
        drainGlErrors();
    }

    void TearDown() override {
        if (glTestWindow() == nullptr) {
            return;
        }
        const auto pending = drainGlErrors();
        if (!pending.empty()) {
            std::string codes;
            for (const GLenum code : pending) {
                char text[16];
                std::snprintf(text, sizeof text, " 0x%04X", code);
                codes += text;
            }
            ADD_FAILURE() << "OpenGL errors left pending by the test:" << codes;
        }
    }
};

} // namespace ox::test
