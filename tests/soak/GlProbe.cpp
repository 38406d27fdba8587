// A preloaded library (LD_PRELOAD) that watches a running program from the
// inside without changing what it does, for the soak run and the
// fault-injection tests. It is built only in the test and soak trees.
//
// Counting: the shared interposition core (support/probe) answers GLEW's
// glXGetProcAddressARB lookups and keeps the live programs, shaders, buffers
// and vertex arrays; this probe writes their numbers out.
//
// Faults, on signals, so that a driver can inject them at any time:
// - SIGUSR1 queues 60 GL errors (GL_INVALID_OPERATION) that the program's
//   next glGetError calls return before the real queue;
// - SIGUSR2 makes the next glfwPollEvents deliver, after the real events, one
//   key press with a key code that GLFW never produces (999) to every
//   window's key callback, as if the window system had sent it.
//
// The counts go to the file named by OX_GL_PROBE_OUT (one line, replaced by
// rename so a reader never sees half of it), at most once per event poll and
// at exit:
//   programs=<n> shaders=<n> buffers=<n> vertexArrays=<n> frames=<n> injectedErrors=<n>
//   unknownKeys=<n>
// (on one line) where frames counts buffer swaps and the last two the faults
// delivered so far (errors returned by glGetError, key presses handed to the
// callbacks).

#include "support/probe/GlInterposer.hpp"

#include <GL/gl.h>
#include <GLFW/glfw3.h>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

namespace {

constexpr int errorsPerBurst = 60;
constexpr int unknownKeyCode = 999;

using ox::probe::GlInterposer;
using ox::probe::nextSymbol;

struct Probe {
    std::uint64_t writtenChanges = ~std::uint64_t{0};
    bool dirty = true;
    long frames = 0;
    long injectedErrors = 0;
    long unknownKeys = 0;

    std::map<GLFWwindow*, GLFWkeyfun> keyCallbacks;

    ~Probe() { writeCounts(); }

    bool stale() const { return dirty || writtenChanges != GlInterposer::liveObjects().changes; }

    void writeCounts() {
        const char* path = std::getenv("OX_GL_PROBE_OUT");
        if (path == nullptr || *path == '\0') {
            return;
        }
        const ox::probe::gl_live_objects_t& live = GlInterposer::liveObjects();
        const std::string temporary = std::string(path) + ".tmp";
        if (std::FILE* file = std::fopen(temporary.c_str(), "w")) {
            std::fprintf(file,
                         "programs=%zu shaders=%zu buffers=%zu vertexArrays=%zu frames=%ld "
                         "injectedErrors=%ld unknownKeys=%ld\n",
                         live.programs.size(), live.shaders.size(), live.buffers.size(),
                         live.vertexArrays.size(), frames, injectedErrors, unknownKeys);
            if (std::fclose(file) == 0) {
                std::rename(temporary.c_str(), path);
            }
        }
        dirty = false;
        writtenChanges = live.changes;
    }
};

Probe& probe() {
    static Probe instance;
    return instance;
}

std::atomic<int> pendingErrors{0};
std::atomic<int> pendingUnknownKeys{0};

void onInjectErrors(int) {
    pendingErrors.fetch_add(errorsPerBurst);
}

void onInjectUnknownKey(int) {
    pendingUnknownKeys.fetch_add(1);
}

struct SignalSetup {
    SignalSetup() {
        struct sigaction action {};
        action.sa_flags = SA_RESTART;
        sigemptyset(&action.sa_mask);
        action.sa_handler = &onInjectErrors;
        sigaction(SIGUSR1, &action, nullptr);
        action.sa_handler = &onInjectUnknownKey;
        sigaction(SIGUSR2, &action, nullptr);
        probe();
    }
} signalSetup;

} // namespace

extern "C" {

__attribute__((visibility("default"))) GLenum glGetError() {
    static const auto real = nextSymbol<GLenum (*)()>("glGetError");
    int pending = pendingErrors.load();
    while (pending > 0) {
        if (pendingErrors.compare_exchange_weak(pending, pending - 1)) {
            ++probe().injectedErrors;
            probe().dirty = true;
            return GL_INVALID_OPERATION;
        }
    }
    return real != nullptr ? real() : GL_NO_ERROR;
}

__attribute__((visibility("default"))) GLFWkeyfun glfwSetKeyCallback(GLFWwindow* window,
                                                                     GLFWkeyfun callback) {
    static const auto real =
        nextSymbol<GLFWkeyfun (*)(GLFWwindow*, GLFWkeyfun)>("glfwSetKeyCallback");
    if (callback != nullptr) {
        probe().keyCallbacks[window] = callback;
    } else {
        probe().keyCallbacks.erase(window);
    }
    return real != nullptr ? real(window, callback) : nullptr;
}

__attribute__((visibility("default"))) void glfwDestroyWindow(GLFWwindow* window) {
    static const auto real = nextSymbol<void (*)(GLFWwindow*)>("glfwDestroyWindow");
    probe().keyCallbacks.erase(window);
    if (real != nullptr) {
        real(window);
    }
}

__attribute__((visibility("default"))) void glfwSwapBuffers(GLFWwindow* window) {
    static const auto real = nextSymbol<void (*)(GLFWwindow*)>("glfwSwapBuffers");
    if (real != nullptr) {
        real(window);
    }
    ++probe().frames;
}

__attribute__((visibility("default"))) void glfwPollEvents() {
    static const auto real = nextSymbol<void (*)()>("glfwPollEvents");
    if (real != nullptr) {
        real();
    }
    Probe& p = probe();
    // One injected key per poll, like one key event per press.
    int pending = pendingUnknownKeys.load();
    while (pending > 0 && !pendingUnknownKeys.compare_exchange_weak(pending, pending - 1)) {
    }
    if (pending > 0) {
        // A copy: a callback may end its window and so change the map.
        const auto callbacks = p.keyCallbacks;
        for (const auto& [window, callback] : callbacks) {
            callback(window, unknownKeyCode, 0, GLFW_PRESS, 0);
        }
        ++p.unknownKeys;
        p.dirty = true;
    }
    if (p.stale()) {
        p.writeCounts();
    }
}

} // extern "C"
