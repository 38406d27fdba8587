#include <GLFW/glfw3.h>
#include <gtest/gtest.h>
#include <link.h>
#include <sanitizer/lsan_interface.h>

#include <string>
#include <string_view>
#include <vector>

namespace {

std::vector<std::string> mappedDriDrivers() {
    std::vector<std::string> drivers;
    dl_iterate_phdr(
        [](dl_phdr_info* info, std::size_t, void* found) {
            const std::string_view name = info->dlpi_name != nullptr ? info->dlpi_name : "";
            if (name.ends_with("_dri.so")) {
                static_cast<std::vector<std::string>*>(found)->emplace_back(name);
            }
            return 0;
        },
        &drivers);
    return drivers;
}

// What every GL test program does at some point, written out with nothing of
// ours around it: a 4.5 core context is created and made current, then the
// window is destroyed and GLFW terminated, which unloads the GL library. No
// test calls anything to keep the driver for the leak check: the sanitized
// build does that for every program, and this test fails without it.
TEST(GlfwTerminateGLTest, TerminatingGlfwLeavesTheDriverMappedAndNothingLeaked) {
    ASSERT_EQ(glfwInit(), GLFW_TRUE);
    glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 4);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 5);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    GLFWwindow* window = glfwCreateWindow(64, 64, "terminate", nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    glfwMakeContextCurrent(window);
    const std::vector<std::string> loaded = mappedDriDrivers();
    ASSERT_FALSE(loaded.empty()) << "the context was made without a DRI driver";
    glfwDestroyWindow(window);
    glfwTerminate();

    EXPECT_EQ(mappedDriDrivers(), loaded);
    // The same check LeakSanitizer makes at exit, made here so that a leak
    // fails this test by name (the driver's is 128 bytes from its
    // pthread_once, reported from an unknown module).
    EXPECT_EQ(__lsan_do_recoverable_leak_check(), 0);
}

} // namespace
