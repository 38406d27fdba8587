#include "renderer/opengl/egl/EglRenderer.hpp"

#include "renderer/opengl/egl/EglWindowFactory.hpp"
#include "renderer/opengl/egl/egl_support.hpp"
#include "renderer/renderer_message_data_t.hpp"

#include <EGL/eglext.h>
#include <fmt/format.h>

#include <algorithm>

namespace ox::renderer::opengl::egl {

namespace {

// More devices than any machine has; bounds what a broken driver can claim.
constexpr EGLint maxDevices = 64;

struct egl_device_t {
    EGLDeviceEXT handle = EGL_NO_DEVICE_EXT;
    bool software = false;
    std::string description;
};

std::string_view deviceString(PFNEGLQUERYDEVICESTRINGEXTPROC query, EGLDeviceEXT device,
                              EGLint name) {
    const char* text = query(device, name);
    return text != nullptr ? std::string_view(text) : std::string_view();
}

// EGL's devices, in EGL's order; empty without the device platform.
std::vector<egl_device_t> listDevices(const char* clientExtensions) {
    if (!hasEglExtension(clientExtensions, "EGL_EXT_platform_device")) {
        return {};
    }
    const auto queryDevices =
        reinterpret_cast<PFNEGLQUERYDEVICESEXTPROC>(eglGetProcAddress("eglQueryDevicesEXT"));
    const auto queryString = reinterpret_cast<PFNEGLQUERYDEVICESTRINGEXTPROC>(
        eglGetProcAddress("eglQueryDeviceStringEXT"));
    if (queryDevices == nullptr || queryString == nullptr) {
        return {};
    }
    std::vector<EGLDeviceEXT> handles(maxDevices, EGL_NO_DEVICE_EXT);
    EGLint count = 0;
    if (queryDevices(maxDevices, handles.data(), &count) != EGL_TRUE) {
        return {};
    }
    std::vector<egl_device_t> devices;
    for (EGLint i = 0; i < std::clamp<EGLint>(count, 0, maxDevices); ++i) {
        const std::string_view extensions = deviceString(queryString, handles[i], EGL_EXTENSIONS);
        const std::string list(extensions);
        egl_device_t device;
        device.handle = handles[i];
        device.software = hasEglExtension(list.c_str(), "EGL_MESA_device_software");
        std::string_view file;
        if (hasEglExtension(list.c_str(), "EGL_EXT_device_drm")) {
            file = deviceString(queryString, handles[i], EGL_DRM_DEVICE_FILE_EXT);
        }
        if (file.empty() && hasEglExtension(list.c_str(), "EGL_EXT_device_drm_render_node")) {
            file = deviceString(queryString, handles[i], EGL_DRM_RENDER_NODE_FILE_EXT);
        }
        device.description = fmt::format("{}{}{} ({})", device.software ? "software" : "hardware",
                                         file.empty() ? "" : ", ", file,
                                         extensions.empty() ? "no extensions" : extensions);
        devices.push_back(std::move(device));
    }
    return devices;
}

std::string deviceName(std::size_t index, const egl_device_t& device) {
    return fmt::format("EGL device {} ({})", index, device.software ? "software" : "hardware");
}

} // namespace

EglRenderer::EglRenderer(device_choice_t device)
    : deviceChoice(device) {}

EglRenderer::~EglRenderer() {
    deinit();
}

bool EglRenderer::init() {
    beginInit();
    if (display != EGL_NO_DISPLAY) {
        return true;
    }
    if (!openDisplay()) {
        reportMessage(MessageTypeError, "EGL > Failed to initialize subsystem.");
        return false;
    }
    start = std::chrono::steady_clock::now();
    return true;
}

bool EglRenderer::openDisplay() {
    // Without a vendor library libEGL still answers, with no extensions at all.
    const char* clientExtensions = eglQueryString(EGL_NO_DISPLAY, EGL_EXTENSIONS);
    const auto getPlatformDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
        eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (!hasEglExtension(clientExtensions, "EGL_EXT_platform_base") ||
        getPlatformDisplay == nullptr) {
        reportMessage(MessageTypeError,
                      "EGL > No EGL driver: libEGL found no vendor library to load (install "
                      "libegl-mesa0 for Mesa's software device, or a GPU driver).");
        return false;
    }

    const std::vector<egl_device_t> devices = listDevices(clientExtensions);
    if (hasEglExtension(clientExtensions, "EGL_EXT_platform_device")) {
        reportMessage(MessageTypeInfo, fmt::format("EGL devices: {}.", devices.size()));
    } else {
        reportMessage(MessageTypeInfo, "EGL devices: none, EGL has no device platform.");
    }
    for (std::size_t i = 0; i < devices.size(); ++i) {
        reportMessage(MessageTypeInfo,
                      fmt::format("EGL device {}: {}.", i, devices[i].description));
    }

    std::vector<std::size_t> order;
    switch (deviceChoice.preference) {
    case EDevicePreference::Index:
        if (deviceChoice.index >= devices.size()) {
            reportMessage(
                MessageTypeError,
                devices.empty()
                    ? fmt::format("EGL > EGL device {} was asked for, but EGL lists no device.",
                                  deviceChoice.index)
                    : fmt::format("EGL > EGL device {} was asked for, but EGL lists only {} (0 "
                                  "to {}).",
                                  deviceChoice.index, devices.size(), devices.size() - 1));
            return false;
        }
        order.push_back(deviceChoice.index);
        break;
    case EDevicePreference::Software:
    case EDevicePreference::Hardware:
        for (const bool software : {false, true}) {
            for (std::size_t i = 0; i < devices.size(); ++i) {
                const bool wanted =
                    deviceChoice.preference == EDevicePreference::Hardware || devices[i].software;
                if (devices[i].software == software && wanted) {
                    order.push_back(i);
                }
            }
        }
        if (order.empty() && deviceChoice.preference == EDevicePreference::Software) {
            reportMessage(MessageTypeError,
                          "EGL > The software EGL device was asked for, but EGL lists none "
                          "(install libegl-mesa0).");
            return false;
        }
        break;
    }

    std::vector<std::string> failures;
    bool opened = false;
    for (const std::size_t i : order) {
        opened = useDisplay(getPlatformDisplay(EGL_PLATFORM_DEVICE_EXT, devices[i].handle, nullptr),
                            deviceName(i, devices[i]), failures);
        if (opened) {
            break;
        }
    }
    // Mesa's surfaceless platform renders without naming a device: what is
    // left where EGL lists none, or none that works.
    if (!opened && deviceChoice.preference == EDevicePreference::Hardware &&
        hasEglExtension(clientExtensions, "EGL_MESA_platform_surfaceless")) {
        opened = useDisplay(
            getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr),
            "Mesa's surfaceless platform", failures);
    }
    if (opened) {
        // Passed over on the way to the one in use: worth knowing, no error.
        for (const std::string& failure : failures) {
            reportMessage(MessageTypeInfo, "EGL > Passed over " + failure);
        }
        return true;
    }
    for (const std::string& failure : failures) {
        reportMessage(MessageTypeError, "EGL > " + failure);
    }
    if (order.empty()) {
        reportMessage(MessageTypeError,
                      "EGL > No EGL device to render with, and no surfaceless platform to fall "
                      "back to.");
    }
    return false;
}

bool EglRenderer::useDisplay(EGLDisplay candidate, const std::string& what,
                             std::vector<std::string>& failures) {
    if (candidate == EGL_NO_DISPLAY) {
        failures.push_back(
            fmt::format("{}: it has no display ({}).", what, eglErrorName(eglGetError())));
        return false;
    }
    EGLint major = 0;
    EGLint minor = 0;
    if (eglInitialize(candidate, &major, &minor) != EGL_TRUE) {
        failures.push_back(fmt::format("{}: its display cannot be initialised ({}).", what,
                                       eglErrorName(eglGetError())));
        return false;
    }
    display = candidate;
    const char* vendor = eglQueryString(display, EGL_VENDOR);
    reportMessage(MessageTypeInfo, fmt::format("EGL > Using {}: EGL {}.{} by {}.", what, major,
                                               minor, vendor != nullptr ? vendor : "?"));
    return true;
}

void EglRenderer::releaseWindowSystem() {
    if (display == EGL_NO_DISPLAY) {
        return;
    }
    eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    eglTerminate(display);
    display = EGL_NO_DISPLAY;
    eglReleaseThread();
}

bool EglRenderer::isInitialized() const {
    return display != EGL_NO_DISPLAY;
}

std::unique_ptr<IRendererWindowFactory> EglRenderer::createWindowFactory() {
    return std::make_unique<EglWindowFactory>(
        std::static_pointer_cast<EglRenderer>(weak_from_this().lock()), eventsSink());
}

void EglRenderer::setSwapInterval(bool enabled) {
    // An off-screen surface is never shown, so EGL may have nothing to wait
    // for; the call keeps the request as the GLFW back end makes it.
    if (display != EGL_NO_DISPLAY && eglSwapInterval(display, enabled ? 1 : 0) != EGL_TRUE) {
        reportMessage(MessageTypeError, fmt::format("EGL > eglSwapInterval failed ({}).",
                                                    eglErrorName(eglGetError())));
    }
}

double EglRenderer::getTime() const {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void EglRenderer::pollWindowSystem() {}

EGLDisplay EglRenderer::getDisplay() const {
    return display;
}

} // namespace ox::renderer::opengl::egl
