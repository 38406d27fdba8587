#include "support/probe/GlInterposer.hpp"

namespace ox::probe {

namespace {

using GLuint = unsigned int;
using GLenum = unsigned int;
using GLsizei = int;

GlInterposer::lookup_step_t extraStep = nullptr;

void remember(std::unordered_set<GLuint>& live, GLsizei n, const GLuint* names) {
    for (GLsizei i = 0; names != nullptr && i < n; ++i) {
        if (names[i] != 0) {
            live.insert(names[i]);
        }
    }
    ++GlInterposer::liveObjects().changes;
}

void forget(std::unordered_set<GLuint>& live, GLsizei n, const GLuint* names) {
    for (GLsizei i = 0; names != nullptr && i < n; ++i) {
        live.erase(names[i]);
    }
    ++GlInterposer::liveObjects().changes;
}

// The driver's entry points behind the wrappers.
struct real_t {
    GLuint (*createProgram)() = nullptr;
    void (*deleteProgram)(GLuint) = nullptr;
    GLuint (*createShaderProgramv)(GLenum, GLsizei, const char* const*) = nullptr;
    GLuint (*createShader)(GLenum) = nullptr;
    void (*deleteShader)(GLuint) = nullptr;
    void (*genBuffers)(GLsizei, GLuint*) = nullptr;
    void (*createBuffers)(GLsizei, GLuint*) = nullptr;
    void (*deleteBuffers)(GLsizei, const GLuint*) = nullptr;
    void (*genVertexArrays)(GLsizei, GLuint*) = nullptr;
    void (*createVertexArrays)(GLsizei, GLuint*) = nullptr;
    void (*deleteVertexArrays)(GLsizei, const GLuint*) = nullptr;
} real;

gl_live_objects_t& live() {
    return GlInterposer::liveObjects();
}

GLuint trackedCreateProgram() {
    const GLuint name = real.createProgram();
    remember(live().programs, 1, &name);
    return name;
}
void trackedDeleteProgram(GLuint name) {
    real.deleteProgram(name);
    forget(live().programs, 1, &name);
}
GLuint trackedCreateShaderProgramv(GLenum stage, GLsizei count, const char* const* sources) {
    const GLuint name = real.createShaderProgramv(stage, count, sources);
    remember(live().programs, 1, &name);
    return name;
}
GLuint trackedCreateShader(GLenum stage) {
    const GLuint name = real.createShader(stage);
    remember(live().shaders, 1, &name);
    return name;
}
void trackedDeleteShader(GLuint name) {
    real.deleteShader(name);
    forget(live().shaders, 1, &name);
}
void trackedGenBuffers(GLsizei n, GLuint* names) {
    real.genBuffers(n, names);
    remember(live().buffers, n, names);
}
void trackedCreateBuffers(GLsizei n, GLuint* names) {
    real.createBuffers(n, names);
    remember(live().buffers, n, names);
}
void trackedDeleteBuffers(GLsizei n, const GLuint* names) {
    real.deleteBuffers(n, names);
    forget(live().buffers, n, names);
}
void trackedGenVertexArrays(GLsizei n, GLuint* names) {
    real.genVertexArrays(n, names);
    remember(live().vertexArrays, n, names);
}
void trackedCreateVertexArrays(GLsizei n, GLuint* names) {
    real.createVertexArrays(n, names);
    remember(live().vertexArrays, n, names);
}
void trackedDeleteVertexArrays(GLsizei n, const GLuint* names) {
    real.deleteVertexArrays(n, names);
    forget(live().vertexArrays, n, names);
}

// Keeps the driver's entry point in `slot` and hands out `wrapper` when
// `name` is `wanted`.
template <typename F>
bool track(std::string_view name, std::string_view wanted, proc_t& found, F& slot, F wrapper) {
    if (name != wanted) {
        return false;
    }
    slot = reinterpret_cast<F>(found);
    found = reinterpret_cast<proc_t>(wrapper);
    return true;
}

proc_t trackObjects(std::string_view name, proc_t found) {
    track(name, "glCreateProgram", found, real.createProgram, &trackedCreateProgram) ||
        track(name, "glDeleteProgram", found, real.deleteProgram, &trackedDeleteProgram) ||
        track(name, "glCreateShaderProgramv", found, real.createShaderProgramv,
              &trackedCreateShaderProgramv) ||
        track(name, "glCreateShader", found, real.createShader, &trackedCreateShader) ||
        track(name, "glDeleteShader", found, real.deleteShader, &trackedDeleteShader) ||
        track(name, "glGenBuffers", found, real.genBuffers, &trackedGenBuffers) ||
        track(name, "glCreateBuffers", found, real.createBuffers, &trackedCreateBuffers) ||
        track(name, "glDeleteBuffers", found, real.deleteBuffers, &trackedDeleteBuffers) ||
        track(name, "glGenVertexArrays", found, real.genVertexArrays, &trackedGenVertexArrays) ||
        track(name, "glCreateVertexArrays", found, real.createVertexArrays,
              &trackedCreateVertexArrays) ||
        track(name, "glDeleteVertexArrays", found, real.deleteVertexArrays,
              &trackedDeleteVertexArrays);
    return found;
}

} // namespace

gl_live_objects_t& GlInterposer::liveObjects() {
    // Never destroyed: probes report from their own static destructors, which
    // may run after this one's would.
    static auto* instance = new gl_live_objects_t;
    return *instance;
}

void GlInterposer::setLookupStep(lookup_step_t step) {
    extraStep = step;
}

proc_t GlInterposer::lookup(const unsigned char* rawName, proc_t found) {
    if (rawName == nullptr || found == nullptr) {
        return found;
    }
    const std::string_view name(reinterpret_cast<const char*>(rawName));
    found = trackObjects(name, found);
    return extraStep != nullptr ? extraStep(name, found) : found;
}

} // namespace ox::probe

extern "C" {

__attribute__((visibility("default"))) ox::probe::proc_t
glXGetProcAddressARB(const unsigned char* name) {
    static const auto real =
        ox::probe::nextSymbol<ox::probe::proc_t (*)(const unsigned char*)>("glXGetProcAddressARB");
    return ox::probe::GlInterposer::lookup(name, real != nullptr ? real(name) : nullptr);
}

__attribute__((visibility("default"))) ox::probe::proc_t
glXGetProcAddress(const unsigned char* name) {
    static const auto real =
        ox::probe::nextSymbol<ox::probe::proc_t (*)(const unsigned char*)>("glXGetProcAddress");
    return ox::probe::GlInterposer::lookup(name, real != nullptr ? real(name) : nullptr);
}

} // extern "C"
