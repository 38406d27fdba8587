#pragma once

// Shared fixture for ...GLTest programs: one hidden GLFW window with an OpenGL
// 4.5 core context and GLEW loaded, created on first use and kept until the
// test program exits. Tests derive from ox::test::GlTest, which makes the
// context current before each test and fails the test when it leaves an
// OpenGL error pending. Do not combine it with the back end's Renderer in one
// program: the Renderer's deinit terminates GLFW for everybody.

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace ox::test {

class GlTestContext {
public:
    static constexpr int width = 64;
    static constexpr int height = 64;

    static GlTestContext& instance() {
        static GlTestContext context;
        return context;
    }

    bool isReady() const { return window != nullptr && failure.empty(); }
    const std::string& whyNotReady() const { return failure; }
    GLFWwindow* getWindow() const { return window; }

    void makeCurrent() const {
        if (window != nullptr) {
            glfwMakeContextCurrent(window);
        }
    }

    // Takes every pending error code off the queue.
    static std::vector<GLenum> drainErrors() {
        std::vector<GLenum> codes;
        // A lost context reports errors forever; the cap keeps this finite.
        for (GLenum code = glGetError(); code != GL_NO_ERROR && codes.size() < 64;
             code = glGetError()) {
            codes.push_back(code);
        }
        return codes;
    }

    GlTestContext(const GlTestContext&) = delete;
    GlTestContext& operator=(const GlTestContext&) = delete;

private:
    GlTestContext() {
        glfwSetErrorCallback([](int code, const char* description) {
            std::fprintf(stderr, "GLFW error %d: %s\n", code, description);
        });
        if (glfwInit() != GLFW_TRUE) {
            failure = "glfwInit failed (is there a display?)";
            return;
        }
        glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
        glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 4);
        glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 5);
        glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
        glfwWindowHint(GLFW_OPENGL_FORWARD_COMPAT, GLFW_TRUE);
        window = glfwCreateWindow(width, height, "GL test", nullptr, nullptr);
        if (window == nullptr) {
            failure = "no window with an OpenGL 4.5 core context";
            return;
        }
        glfwMakeContextCurrent(window);
        glewExperimental = GL_TRUE;
        if (const GLenum result = glewInit(); result != GLEW_OK) {
            failure = std::string("glewInit failed: ") +
                      reinterpret_cast<const char*>(glewGetErrorString(result));
            return;
        }
        // GLEW probes extensions in a way a core context rejects; that error
        // belongs to no test.
        drainErrors();
    }

    // GLFW is deliberately not terminated: that unloads the Mesa driver before
    // LeakSanitizer runs, and the driver's own leftovers are then reported
    // from an unknown module that no suppression can name. The process ends
    // right after this anyway.
    ~GlTestContext() {
        if (window != nullptr) {
            glfwDestroyWindow(window);
        }
    }

    GLFWwindow* window = nullptr;
    std::string failure;
};

// Base fixture of GL tests.
class GlTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto& context = GlTestContext::instance();
        ASSERT_TRUE(context.isReady()) << context.whyNotReady();
        context.makeCurrent();
        // Errors left by an earlier, already failed test are not ours.
        GlTestContext::drainErrors();
    }

    void TearDown() override {
        if (!GlTestContext::instance().isReady()) {
            return;
        }
        const auto pending = GlTestContext::drainErrors();
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
