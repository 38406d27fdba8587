#pragma once

// Shared fixture for ...GLTest programs: one hidden GLFW window with an OpenGL
// 4.5 core context and GLEW loaded (glewExperimental), created on first use
// and kept until the test program exits. Tests derive from ox::test::GlTest,
// which makes the context current before each test and fails a test that
// leaves an OpenGL error pending. Do not combine it with the back end's
// Renderer in one program: the Renderer's deinit terminates GLFW for everybody.

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
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

// The window of the shared context, made current on first use; null when no
// OpenGL 4.5 core context could be had.
//
// At exit the window is destroyed and GLFW terminated, before LeakSanitizer
// runs (its check was registered with atexit at start-up, so it runs after
// ours). That stops llvmpipe's rasteriser and thread-pool workers: left
// running, they are what LeakSanitizer's tracer must stop while it scans,
// and it sometimes crashes doing so. The driver itself stays mapped (every
// sanitized program's dlclose keeps it), so that its globals are still
// scanned and nothing of ours is misreported.
inline GLFWwindow* glTestWindow() {
    static GLFWwindow* window = [] {
        glfwSetErrorCallback([](int code, const char* description) {
            std::fprintf(stderr, "GLFW error %d: %s\n", code, description);
        });
        if (glfwInit() != GLFW_TRUE) {
            return static_cast<GLFWwindow*>(nullptr);
        }
        glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
        glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 4);
        glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 5);
        glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
        GLFWwindow* created =
            glfwCreateWindow(glTestWindowWidth, glTestWindowHeight, "GL test", nullptr, nullptr);
        if (created == nullptr) {
            return created;
        }
        glfwMakeContextCurrent(created);
        glewExperimental = GL_TRUE;
        if (const GLenum result = glewInit(); result != GLEW_OK) {
            std::fprintf(stderr, "glewInit failed: %s\n",
                         reinterpret_cast<const char*>(glewGetErrorString(result)));
            glfwDestroyWindow(created);
            return static_cast<GLFWwindow*>(nullptr);
        }
        // GLEW probes extensions in a way a core context rejects; that error
        // belongs to no test.
        drainGlErrors();
        std::atexit([] {
            glfwDestroyWindow(glTestWindow());
            glfwTerminate();
        });
        return created;
    }();
    return window;
}

// Base fixture for tests that need a current context.
class GlTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(glTestWindow(), nullptr) << "no OpenGL 4.5 core context available";
        glfwMakeContextCurrent(glTestWindow());
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
