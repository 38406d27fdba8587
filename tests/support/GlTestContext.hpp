#pragma once

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

namespace ox::test {

// One hidden window with an OpenGL 4.5 core context per test program, made
// current on first use and kept until the program ends.
inline GLFWwindow* glTestWindow() {
    static GLFWwindow* window = [] {
        if (glfwInit() != GLFW_TRUE) {
            return static_cast<GLFWwindow*>(nullptr);
        }
        glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
        glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 4);
        glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 5);
        glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
        GLFWwindow* created = glfwCreateWindow(64, 64, "gl test", nullptr, nullptr);
        if (created != nullptr) {
            glfwMakeContextCurrent(created);
            glewExperimental = GL_TRUE;
            glewInit();
            // glewInit may leave an error behind in core profiles.
            while (glGetError() != GL_NO_ERROR) {
            }
        }
        return created;
    }();
    return window;
}

// Base fixture for tests that need a current context: no GL error may be left
// pending when a test ends.
class GlTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(glTestWindow(), nullptr) << "no OpenGL 4.5 core context available";
        glfwMakeContextCurrent(glTestWindow());
        while (glGetError() != GL_NO_ERROR) {
        }
    }
    void TearDown() override {
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << "GL error left pending";
    }
};

} // namespace ox::test
