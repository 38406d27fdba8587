#include "app/LoggingContext.hpp"
#include "app/RendererContext.hpp"
#include "support/ChildProcess.hpp"
#include "support/ReadFile.hpp"
#include "support/TempDir.hpp"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/glew.h>
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

// The conditions a start-up must survive cannot all be had for real on one
// machine: no machine both has and lacks a device. The test executable
// defines the EGL and GLEW functions below itself; the back end, linked
// statically into it, binds to them, and they pass every call on to the real
// library unless a condition is forced.
namespace {

enum class EForced {
    Nothing,
    // libEGL without a vendor library answers with no client extensions.
    NoEglDriver,
    // EGL lists no device.
    NoDevices,
    // ... and Mesa's surfaceless platform is missing as well.
    NoDevicesNorSurfaceless,
    // A driver without OpenGL 4.5: asked for a version it does not have.
    NoCoreContext45,
    // GLEW's GLX-only result with a context that lacks one entry point.
    GlEntryPointMissing,
    // Two devices, as on a GPU server: Mesa's software one first, then a
    // hardware one (the software device again, presented as a GPU's).
    SoftwareThenHardware,
};

EForced forced = EForced::Nothing;

template <typename Function>
Function real(const char* name) {
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

EGLBoolean EGLAPIENTRY queryNoDevices(EGLint, EGLDeviceEXT*, EGLint* count) {
    *count = 0;
    return EGL_TRUE;
}

// The presented GPU: its own handle, the software device's display.
int gpuTag = 0;
const EGLDeviceEXT gpu = static_cast<EGLDeviceEXT>(&gpuTag);
EGLDeviceEXT softwareDevice = EGL_NO_DEVICE_EXT;

template <typename Function>
Function realEgl(const char* name) {
    return reinterpret_cast<Function>(real<PFNEGLGETPROCADDRESSPROC>("eglGetProcAddress")(name));
}

EGLBoolean EGLAPIENTRY querySoftwareThenHardware(EGLint max, EGLDeviceEXT* devices, EGLint* count) {
    const auto query = realEgl<PFNEGLQUERYDEVICESEXTPROC>("eglQueryDevicesEXT");
    const auto text = realEgl<PFNEGLQUERYDEVICESTRINGEXTPROC>("eglQueryDeviceStringEXT");
    EGLDeviceEXT all[16];
    EGLint found = 0;
    query(16, all, &found);
    for (EGLint i = 0; i < found; ++i) {
        const char* extensions = text(all[i], EGL_EXTENSIONS);
        if (extensions != nullptr &&
            std::string_view(extensions).find("EGL_MESA_device_software") != std::string::npos) {
            softwareDevice = all[i];
        }
    }
    if (softwareDevice == EGL_NO_DEVICE_EXT || max < 2) {
        *count = 0;
        return EGL_FALSE;
    }
    devices[0] = softwareDevice;
    devices[1] = gpu;
    *count = 2;
    return EGL_TRUE;
}

const char* EGLAPIENTRY queryDeviceString(EGLDeviceEXT device, EGLint name) {
    if (device != gpu) {
        return realEgl<PFNEGLQUERYDEVICESTRINGEXTPROC>("eglQueryDeviceStringEXT")(device, name);
    }
    return name == EGL_EXTENSIONS ? "EGL_EXT_device_drm" : "/dev/dri/card7";
}

EGLDisplay EGLAPIENTRY getPlatformDisplay(EGLenum platform, void* native,
                                          const EGLint* attributes) {
    return realEgl<PFNEGLGETPLATFORMDISPLAYEXTPROC>("eglGetPlatformDisplayEXT")(
        platform, native == gpu ? softwareDevice : native, attributes);
}

} // namespace

extern "C" {

const char* EGLAPIENTRY eglQueryString(EGLDisplay display, EGLint name) {
    static std::string withoutSurfaceless;
    const char* text = real<PFNEGLQUERYSTRINGPROC>("eglQueryString")(display, name);
    if (display != EGL_NO_DISPLAY || name != EGL_EXTENSIONS || text == nullptr) {
        return text;
    }
    if (forced == EForced::NoEglDriver) {
        return "";
    }
    if (forced == EForced::NoDevicesNorSurfaceless) {
        withoutSurfaceless = std::regex_replace(text, std::regex("EGL_MESA_platform_surfaceless"),
                                                "EGL_MESA_platform_surfaceless_removed");
        return withoutSurfaceless.c_str();
    }
    return text;
}

__eglMustCastToProperFunctionPointerType EGLAPIENTRY eglGetProcAddress(const char* name) {
    if ((forced == EForced::NoDevices || forced == EForced::NoDevicesNorSurfaceless) &&
        std::string_view(name) == "eglQueryDevicesEXT") {
        return reinterpret_cast<__eglMustCastToProperFunctionPointerType>(&queryNoDevices);
    }
    if (forced == EForced::SoftwareThenHardware) {
        const std::string_view function(name);
        if (function == "eglQueryDevicesEXT") {
            return reinterpret_cast<__eglMustCastToProperFunctionPointerType>(
                &querySoftwareThenHardware);
        }
        if (function == "eglQueryDeviceStringEXT") {
            return reinterpret_cast<__eglMustCastToProperFunctionPointerType>(&queryDeviceString);
        }
        if (function == "eglGetPlatformDisplayEXT") {
            return reinterpret_cast<__eglMustCastToProperFunctionPointerType>(&getPlatformDisplay);
        }
    }
    return real<PFNEGLGETPROCADDRESSPROC>("eglGetProcAddress")(name);
}

EGLContext EGLAPIENTRY eglCreateContext(EGLDisplay display, EGLConfig config, EGLContext share,
                                        const EGLint* attributes) {
    std::vector<EGLint> changed;
    for (const EGLint* at = attributes; at != nullptr && *at != EGL_NONE; at += 2) {
        const bool minor = at[0] == EGL_CONTEXT_MINOR_VERSION;
        changed.insert(changed.end(),
                       {at[0], minor && forced == EForced::NoCoreContext45 ? 9 : at[1]});
    }
    changed.push_back(EGL_NONE);
    return real<PFNEGLCREATECONTEXTPROC>("eglCreateContext")(display, config, share,
                                                             changed.data());
}

GLenum GLEWAPIENTRY glewInit() {
    const GLenum result = real<GLenum (*)()>("glewInit")();
    if (forced == EForced::GlEntryPointMissing) {
        glObjectLabel = nullptr;
    }
    return result;
}

} // extern "C"

namespace {

using ox::renderer::opengl::EDevicePreference;
using ox::renderer::opengl::renderer_options_t;

struct EglRendererGLTest : ::testing::Test {
    ox::test::TempDir dir;
    std::filesystem::path previous = std::filesystem::current_path();
    std::vector<std::string> memoryLog;
    ox::app::LoggingContext logging;

    void SetUp() override {
        std::filesystem::current_path(dir.path());
        ASSERT_TRUE(ox::app::setupLogging(memoryLog, logging));
    }
    void TearDown() override {
        forced = EForced::Nothing;
        ox::app::releaseLogging(logging);
        std::filesystem::current_path(previous);
    }

    // The log lines from the level tag on that match `pattern`.
    std::vector<std::string> lines(const std::string& pattern) const {
        std::vector<std::string> found;
        for (const std::string& line : memoryLog) {
            const std::string tail = line.substr(line.find("(l:"));
            if (std::regex_search(tail, std::regex(pattern))) {
                found.push_back(tail);
            }
        }
        return found;
    }
};

renderer_options_t headless(EDevicePreference preference = EDevicePreference::Hardware,
                            std::uint32_t index = 0) {
    renderer_options_t options;
    options.headless = true;
    options.device = {preference, index};
    return options;
}

TEST_F(EglRendererGLTest, EachStartUpFailureGivesItsReasonsAsRendererErrorsAndOneFatalLine) {
    const struct {
        const char* name;
        EForced condition;
        renderer_options_t options;
        std::vector<std::string> errors;
        std::string fatal;
    } cases[] = {
        {"no EGL driver",
         EForced::NoEglDriver,
         headless(),
         {R"(EGL > No EGL driver: libEGL found no vendor library to load \(install )"
          R"(libegl-mesa0 for Mesa's software device, or a GPU driver\)\.)",
          "EGL > Failed to initialize subsystem."},
         "Unable to initialize OpenGL renderer."},
        {"no device and no surfaceless platform",
         EForced::NoDevicesNorSurfaceless,
         headless(),
         {"EGL > No EGL device to render with, and no surfaceless platform to fall back to.",
          "EGL > Failed to initialize subsystem."},
         "Unable to initialize OpenGL renderer."},
        {"no software device",
         EForced::NoDevices,
         headless(EDevicePreference::Software),
         {R"(EGL > The software EGL device was asked for, but EGL lists none \(install )"
          R"(libegl-mesa0\)\.)",
          "EGL > Failed to initialize subsystem."},
         "Unable to initialize OpenGL renderer."},
        {"a device EGL does not list",
         EForced::Nothing,
         headless(EDevicePreference::Index, 64),
         {R"(EGL > EGL device 64 was asked for, but EGL lists only \d+ \(0 to \d+\)\.)",
          "EGL > Failed to initialize subsystem."},
         "Unable to initialize OpenGL renderer."},
        {"no OpenGL 4.5 core context",
         EForced::NoCoreContext45,
         headless(),
         {R"(EGL > The device cannot create an OpenGL 4\.5 core profile context )"
          R"(\(EGL_BAD_MATCH\)\.)"},
         "Failed to initialize renderer window."},
        {"GLEW built for GLX, and an entry point missing",
         EForced::GlEntryPointMissing,
         headless(),
         {R"(GLEW found no GLX display \(it is built for GLX\), and the context lacks these )"
          R"(OpenGL entry points: glObjectLabel\.)",
          "Failed to initialize GLEW."},
         "Failed to initialize renderer window."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        memoryLog.clear();
        forced = c.condition;
        ox::app::RendererContext context;
        EXPECT_FALSE(ox::app::setupRenderer(logging, context, c.options));
        forced = EForced::Nothing;
        EXPECT_FALSE(context.renderer || context.window);

        const std::vector<std::string> errors = lines(R"(^\(l:err\))");
        ASSERT_EQ(errors.size(), c.errors.size()) << ::testing::PrintToString(errors);
        for (std::size_t i = 0; i < errors.size(); ++i) {
            EXPECT_TRUE(
                std::regex_match(errors[i], std::regex(R"(\(l:err\) renderer > )" + c.errors[i])))
                << errors[i];
        }
        EXPECT_EQ(lines(R"(^\(l:ftl\))"), std::vector<std::string>{"(l:ftl) main > " + c.fatal});
        // The start-up released what it had built: the renderer shut down.
        EXPECT_EQ(lines("Renderer deinitialized").size(), 1u);
    }
}

TEST_F(EglRendererGLTest, StartUpNamesTheDeviceInUseAndFallsBackToTheSurfacelessPlatform) {
    const struct {
        const char* name;
        EForced condition;
        renderer_options_t options;
        std::string using_;
    } cases[] = {
        {"the preferred device", EForced::Nothing, headless(),
         R"(EGL > Using EGL device \d+ \((hardware|software)\): EGL 1\.\d by .+\.)"},
        {"the software device", EForced::Nothing, headless(EDevicePreference::Software),
         R"(EGL > Using EGL device \d+ \(software\): EGL 1\.\d by Mesa Project\.)"},
        {"no device", EForced::NoDevices, headless(),
         R"(EGL > Using Mesa's surfaceless platform: EGL 1\.\d by Mesa Project\.)"},
        // A GPU server: the GPU is measured, never the software rasteriser...
        {"a hardware and a software device", EForced::SoftwareThenHardware, headless(),
         R"(EGL > Using EGL device 1 \(hardware\): EGL 1\.\d by Mesa Project\.)"},
        // ... unless --egl-device names another.
        {"the software device asked for by number", EForced::SoftwareThenHardware,
         headless(EDevicePreference::Index, 0),
         R"(EGL > Using EGL device 0 \(software\): EGL 1\.\d by Mesa Project\.)"},
        {"the software device asked for by name", EForced::SoftwareThenHardware,
         headless(EDevicePreference::Software),
         R"(EGL > Using EGL device 0 \(software\): EGL 1\.\d by Mesa Project\.)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        memoryLog.clear();
        forced = c.condition;
        ox::app::RendererContext context;
        ASSERT_TRUE(ox::app::setupRenderer(logging, context, c.options))
            << ::testing::PrintToString(memoryLog);
        forced = EForced::Nothing;
        EXPECT_EQ(context.window->getSize().width, 1024);
        EXPECT_EQ(context.window->getSize().height, 1024);
        EXPECT_EQ(lines(R"(renderer > EGL devices: \d+\.)").size(), 1u);
        EXPECT_EQ(lines("renderer > " + c.using_).size(), 1u)
            << ::testing::PrintToString(memoryLog);
        // Debian's GLEW returns its GLX-only result here, which the back end
        // accepts after checking the entry points, and the context is 4.5 core.
        EXPECT_EQ(lines("GLEW found no GLX display.*every OpenGL entry point").size(), 1u);
        EXPECT_EQ(lines(R"(renderer > Version: 4\.5 \(Core Profile\))").size(), 1u);
        EXPECT_EQ(lines(R"(renderer > Renderer name: .+\.)").size(), 1u);
        EXPECT_TRUE(lines(R"(^\(l:(err|ftl)\))").empty()) << ::testing::PrintToString(memoryLog);

        context.renderer->deinit();
        ox::app::releaseRenderer(context);
    }
}

// What a machine without an EGL driver shows on the terminal that started the
// program: the reason, the fatal line and exit code 1.
TEST(EglRendererProgramGLTest, WithoutAnEglDriverTheTerminalSaysWhyAndTheExitCodeIsOne) {
    ox::test::TempDir dir;
    const std::string errors = (dir / "errors").string();
    ox::test::ChildProcess program(
        "/bin/sh", dir.path(),
        {{"DISPLAY", std::nullopt},
         // libglvnd's own switch: load this vendor library list, here none.
         {"__EGL_VENDOR_LIBRARY_FILENAMES", "/nonexistent/vendor.json"},
         {"ASAN_OPTIONS", "detect_leaks=0"}},
        {"-c",
         std::string("exec '") + VEXEL_BINARY + "' --headless --frames 1 2>'" + errors + "'"});
    ASSERT_EQ(program.waitFor(std::chrono::seconds(30)), 1);
    const std::string text = ox::test::readFile(errors);
    EXPECT_NE(text.find("(l:err) renderer > EGL > No EGL driver: libEGL found no vendor library"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("(l:ftl) main > Unable to initialize OpenGL renderer."), std::string::npos)
        << text;
}

} // namespace
