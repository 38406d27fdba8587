// A preloaded library (LD_PRELOAD) that watches a running program from the
// inside without changing what it does, for the soak run and the
// fault-injection tests. It is built only in the test and soak trees.
//
// Counting: GLEW resolves the GL entry points through glXGetProcAddressARB, so
// this library answers that lookup with counting wrappers for the calls that
// create and delete programs, shaders, buffers and vertex arrays, and keeps
// the set of live names of each kind. Names are counted as the program sees
// them: a deleted program that GL keeps until it is unbound counts as gone.
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

#include <GL/gl.h>
#include <GLFW/glfw3.h>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <type_traits>

namespace {

constexpr int errorsPerBurst = 60;
constexpr int unknownKeyCode = 999;

using ProcAddress = void (*)();
using GetProcAddress = ProcAddress (*)(const GLubyte*);
using CreateName = GLuint (*)(GLenum);
using CreateProgram = GLuint (*)();
using DeleteName = void (*)(GLuint);
using GenNames = void (*)(GLsizei, GLuint*);
using DeleteNames = void (*)(GLsizei, const GLuint*);

struct Probe {
    std::set<GLuint> programs;
    std::set<GLuint> shaders;
    std::set<GLuint> buffers;
    std::set<GLuint> vertexArrays;
    bool dirty = true;
    long frames = 0;
    long injectedErrors = 0;
    long unknownKeys = 0;

    CreateProgram realCreateProgram = nullptr;
    DeleteName realDeleteProgram = nullptr;
    CreateName realCreateShader = nullptr;
    DeleteName realDeleteShader = nullptr;
    GenNames realGenBuffers = nullptr;
    DeleteNames realDeleteBuffers = nullptr;
    GenNames realGenVertexArrays = nullptr;
    DeleteNames realDeleteVertexArrays = nullptr;

    std::map<GLFWwindow*, GLFWkeyfun> keyCallbacks;

    ~Probe() { writeCounts(); }

    void writeCounts() {
        const char* path = std::getenv("OX_GL_PROBE_OUT");
        if (path == nullptr || *path == '\0') {
            return;
        }
        const std::string temporary = std::string(path) + ".tmp";
        if (std::FILE* file = std::fopen(temporary.c_str(), "w")) {
            std::fprintf(file,
                         "programs=%zu shaders=%zu buffers=%zu vertexArrays=%zu frames=%ld "
                         "injectedErrors=%ld unknownKeys=%ld\n",
                         programs.size(), shaders.size(), buffers.size(), vertexArrays.size(),
                         frames, injectedErrors, unknownKeys);
            if (std::fclose(file) == 0) {
                std::rename(temporary.c_str(), path);
            }
        }
        dirty = false;
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

template <typename Function>
Function next(const char* name) {
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

void forget(std::set<GLuint>& live, GLsizei count, const GLuint* names) {
    for (GLsizei i = 0; names != nullptr && i < count; ++i) {
        live.erase(names[i]);
    }
    probe().dirty = true;
}

void remember(std::set<GLuint>& live, GLsizei count, const GLuint* names) {
    for (GLsizei i = 0; names != nullptr && i < count; ++i) {
        if (names[i] != 0) {
            live.insert(names[i]);
        }
    }
    probe().dirty = true;
}

GLuint countedCreateProgram() {
    const GLuint name = probe().realCreateProgram();
    remember(probe().programs, 1, &name);
    return name;
}

void countedDeleteProgram(GLuint name) {
    probe().realDeleteProgram(name);
    forget(probe().programs, 1, &name);
}

GLuint countedCreateShader(GLenum type) {
    const GLuint name = probe().realCreateShader(type);
    remember(probe().shaders, 1, &name);
    return name;
}

void countedDeleteShader(GLuint name) {
    probe().realDeleteShader(name);
    forget(probe().shaders, 1, &name);
}

void countedGenBuffers(GLsizei count, GLuint* names) {
    probe().realGenBuffers(count, names);
    remember(probe().buffers, count, names);
}

void countedDeleteBuffers(GLsizei count, const GLuint* names) {
    probe().realDeleteBuffers(count, names);
    forget(probe().buffers, count, names);
}

void countedGenVertexArrays(GLsizei count, GLuint* names) {
    probe().realGenVertexArrays(count, names);
    remember(probe().vertexArrays, count, names);
}

void countedDeleteVertexArrays(GLsizei count, const GLuint* names) {
    probe().realDeleteVertexArrays(count, names);
    forget(probe().vertexArrays, count, names);
}

// Stores the real entry point and hands out the wrapper instead; any other
// name passes through untouched.
ProcAddress wrap(const char* name, ProcAddress real) {
    if (real == nullptr || name == nullptr) {
        return real;
    }
    Probe& p = probe();
    const std::string_view call(name);
    const auto swap = [real](auto& slot, auto wrapper) {
        slot = reinterpret_cast<std::remove_reference_t<decltype(slot)>>(real);
        return reinterpret_cast<ProcAddress>(wrapper);
    };
    if (call == "glCreateProgram") {
        return swap(p.realCreateProgram, &countedCreateProgram);
    }
    if (call == "glDeleteProgram") {
        return swap(p.realDeleteProgram, &countedDeleteProgram);
    }
    if (call == "glCreateShader") {
        return swap(p.realCreateShader, &countedCreateShader);
    }
    if (call == "glDeleteShader") {
        return swap(p.realDeleteShader, &countedDeleteShader);
    }
    if (call == "glGenBuffers") {
        return swap(p.realGenBuffers, &countedGenBuffers);
    }
    if (call == "glDeleteBuffers") {
        return swap(p.realDeleteBuffers, &countedDeleteBuffers);
    }
    if (call == "glGenVertexArrays") {
        return swap(p.realGenVertexArrays, &countedGenVertexArrays);
    }
    if (call == "glDeleteVertexArrays") {
        return swap(p.realDeleteVertexArrays, &countedDeleteVertexArrays);
    }
    return real;
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

__attribute__((visibility("default"))) ProcAddress glXGetProcAddressARB(const GLubyte* name) {
    static const auto real = next<GetProcAddress>("glXGetProcAddressARB");
    return wrap(reinterpret_cast<const char*>(name), real != nullptr ? real(name) : nullptr);
}

__attribute__((visibility("default"))) ProcAddress glXGetProcAddress(const GLubyte* name) {
    static const auto real = next<GetProcAddress>("glXGetProcAddress");
    return wrap(reinterpret_cast<const char*>(name), real != nullptr ? real(name) : nullptr);
}

__attribute__((visibility("default"))) GLenum glGetError() {
    static const auto real = next<GLenum (*)()>("glGetError");
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
    static const auto real = next<GLFWkeyfun (*)(GLFWwindow*, GLFWkeyfun)>("glfwSetKeyCallback");
    if (callback != nullptr) {
        probe().keyCallbacks[window] = callback;
    } else {
        probe().keyCallbacks.erase(window);
    }
    return real != nullptr ? real(window, callback) : nullptr;
}

__attribute__((visibility("default"))) void glfwDestroyWindow(GLFWwindow* window) {
    static const auto real = next<void (*)(GLFWwindow*)>("glfwDestroyWindow");
    probe().keyCallbacks.erase(window);
    if (real != nullptr) {
        real(window);
    }
}

__attribute__((visibility("default"))) void glfwSwapBuffers(GLFWwindow* window) {
    static const auto real = next<void (*)(GLFWwindow*)>("glfwSwapBuffers");
    if (real != nullptr) {
        real(window);
    }
    ++probe().frames;
}

__attribute__((visibility("default"))) void glfwPollEvents() {
    static const auto real = next<void (*)()>("glfwPollEvents");
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
    if (p.dirty) {
        p.writeCounts();
    }
}

} // extern "C"
