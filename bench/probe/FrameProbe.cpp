// A measuring probe loaded into an unchanged program with LD_PRELOAD, so that
// the demo and the baseline are measured by the same code from the outside:
//
// - glfwSwapBuffers is wrapped: the moment each swap returns is a presented
//   frame. The first one gives the time from launch (VEXEL_PROBE_START_NS, a
//   CLOCK_MONOTONIC stamp the launcher takes just before it starts the
//   program) to the first frame; the rest give the per-frame times.
// - The GL entry points that create and delete programs, shaders, buffers and
//   vertex arrays are wrapped where GLEW fetches them (glXGetProcAddress*), so
//   the probe knows which names are alive at any frame.
// - glfwSetWindowTitle is counted, to confirm that both programs set the
//   title once per frame.
// - The process's CPU time (every thread) from the first frame to the last
//   is noted: on a machine shared with other work it tells the cost of a
//   frame more steadily than the wall clock does.
//   The main thread's share (the thread that calls swap, runs the loop and
//   issues every GL call) is noted apart: the rasteriser threads do the same
//   work for both programs, so the engine's cost shows there most clearly.
// - At the frames listed in VEXEL_PROBE_SNAPSHOTS it notes the resident set
//   size and the live object counts.
// - After VEXEL_PROBE_SECONDS of frames or VEXEL_PROBE_FRAMES frames it asks
//   the window to close, exactly as the window manager's close button would,
//   so the program leaves through its own shut-down path.
//
// Built a second time with VEXEL_PROBE_CALLS (libvexel-call-probe.so), it
// also counts the GL calls a frame is made of (clear, vertex-array binds,
// program uses, uniform uploads, draws, error polls) and reports the totals
// at each snapshot, so that the two programs' call streams can be compared.
// That variant puts a counter in front of every one of those calls, so the
// timed runs use the plain probe.
//
// It writes its findings to VEXEL_PROBE_REPORT as plain "key values" lines.
// Everything per frame is one clock read and one store into memory reserved
// and touched at load time, so the probe adds neither work nor resident
// memory while the program runs. GL and GLFW are called on one thread only.

#include <dlfcn.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace {

using GLuint = unsigned int;
using GLenum = unsigned int;
using GLsizei = int;
using proc_t = void (*)();

std::int64_t monotonicNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

// CPU time of the whole process, all threads (the rasteriser's too).
std::int64_t processCpuNs() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

// CPU time of the calling thread: in the swap hook, the thread that runs the
// frame loop and issues every GL call.
std::int64_t threadCpuNs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

std::int64_t residentBytes() {
    long pages = 0;
    long resident = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) {
            resident = -1;
        }
        std::fclose(statm);
    }
    return resident < 0 ? -1 : resident * sysconf(_SC_PAGESIZE);
}

// The GL calls the call-counting variant counts, by name.
constexpr std::array<const char*, 10> countedCalls{
    "glClear",
    "glBindVertexArray",
    "glUseProgram",
    "glUniformMatrix4fv",
    "glUniform1f",
    "glUniform1ui",
    "glDrawElements",
    "glDrawElementsInstanced",
    "glDrawArraysInstanced",
    "glGetError",
};
enum counted_t : std::size_t {
    Clear,
    BindVertexArray,
    UseProgram,
    UniformMatrix4fv,
    Uniform1f,
    Uniform1ui,
    DrawElements,
    DrawElementsInstanced,
    DrawArraysInstanced,
    GetError,
};

struct snapshot_t {
    std::uint64_t frame = 0;
    std::int64_t rss = 0;
    std::size_t programs = 0;
    std::size_t shaders = 0;
    std::size_t buffers = 0;
    std::size_t vertexArrays = 0;
    std::array<std::uint64_t, countedCalls.size()> calls{};
};

constexpr std::size_t frameCapacity = 1u << 16;

struct probe_t {
    std::string reportPath;
    std::int64_t launchNs = 0;
    double stopSeconds = 0.0;
    std::uint64_t stopFrames = 0;
    std::vector<std::uint64_t> snapshotFrames;

    std::vector<std::int64_t> swapNs; // reserved and touched up front
    std::uint64_t frames = 0;
    std::uint64_t titles = 0; // glfwSetWindowTitle calls up to the last frame
    std::uint64_t titlesSoFar = 0;
    std::int64_t firstFrameNs = -1;
    std::int64_t firstFrameCpuNs = 0;
    std::int64_t lastFrameCpuNs = 0;
    std::int64_t firstFrameMainCpuNs = 0;
    std::int64_t lastFrameMainCpuNs = 0;
    bool closeRequested = false;
    bool reported = false;
    std::vector<snapshot_t> snapshots;

    std::unordered_set<GLuint> programs;
    std::unordered_set<GLuint> shaders;
    std::unordered_set<GLuint> buffers;
    std::unordered_set<GLuint> vertexArrays;
    std::array<std::uint64_t, countedCalls.size()> calls{};
};

probe_t& probe() {
    static probe_t instance;
    return instance;
}

void writeReport(const char* reason) {
    probe_t& p = probe();
    if (p.reported || p.reportPath.empty()) {
        return;
    }
    p.reported = true;
    FILE* out = std::fopen(p.reportPath.c_str(), "w");
    if (out == nullptr) {
        std::fprintf(stderr, "frame probe: cannot write %s\n", p.reportPath.c_str());
        return;
    }
    std::fprintf(out, "end %s\n", reason);
    std::fprintf(out, "frames %llu\n", static_cast<unsigned long long>(p.frames));
    std::fprintf(out, "titles %llu\n", static_cast<unsigned long long>(p.titles));
    std::fprintf(out, "cpu_ns %lld\n",
                 static_cast<long long>(p.lastFrameCpuNs - p.firstFrameCpuNs));
    std::fprintf(out, "main_cpu_ns %lld\n",
                 static_cast<long long>(p.lastFrameMainCpuNs - p.firstFrameMainCpuNs));
    if (p.firstFrameNs >= 0 && p.launchNs > 0) {
        std::fprintf(out, "first_frame_ns %lld\n",
                     static_cast<long long>(p.firstFrameNs - p.launchNs));
    }
    for (const snapshot_t& s : p.snapshots) {
        std::fprintf(out, "snapshot %llu %lld %zu %zu %zu %zu\n",
                     static_cast<unsigned long long>(s.frame), static_cast<long long>(s.rss),
                     s.programs, s.shaders, s.buffers, s.vertexArrays);
    }
#ifdef VEXEL_PROBE_CALLS
    for (const snapshot_t& s : p.snapshots) {
        for (std::size_t i = 0; i < countedCalls.size(); ++i) {
            std::fprintf(out, "calls %llu %s %llu\n", static_cast<unsigned long long>(s.frame),
                         countedCalls[i], static_cast<unsigned long long>(s.calls[i]));
        }
    }
#endif
    const std::size_t recorded = std::min<std::size_t>(p.frames, p.swapNs.size());
    for (std::size_t i = 0; i < recorded; ++i) {
        std::fprintf(out, "swap %lld\n", static_cast<long long>(p.swapNs[i] - p.swapNs[0]));
    }
    std::fclose(out);
}

template <typename F>
F next(const char* name) {
    return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

void takeSnapshot() {
    probe_t& p = probe();
    p.snapshots.push_back({p.frames, residentBytes(), p.programs.size(), p.shaders.size(),
                           p.buffers.size(), p.vertexArrays.size(), p.calls});
}

__attribute__((constructor)) void startProbe() {
    probe_t& p = probe();
    if (const char* path = std::getenv("VEXEL_PROBE_REPORT")) {
        p.reportPath = path;
    }
    if (const char* start = std::getenv("VEXEL_PROBE_START_NS")) {
        p.launchNs = std::strtoll(start, nullptr, 10);
    }
    if (const char* seconds = std::getenv("VEXEL_PROBE_SECONDS")) {
        p.stopSeconds = std::strtod(seconds, nullptr);
    }
    if (const char* frames = std::getenv("VEXEL_PROBE_FRAMES")) {
        p.stopFrames = std::strtoull(frames, nullptr, 10);
    }
    if (const char* list = std::getenv("VEXEL_PROBE_SNAPSHOTS")) {
        for (const char* at = list; *at != '\0';) {
            char* end = nullptr;
            const auto frame = std::strtoull(at, &end, 10);
            if (end == at) {
                break;
            }
            p.snapshotFrames.push_back(frame);
            at = *end == ',' ? end + 1 : end;
        }
        p.snapshots.reserve(p.snapshotFrames.size());
    }
    // Touched now, so that recording frames later never adds resident pages.
    p.swapNs.assign(frameCapacity, 0);
}

__attribute__((destructor)) void stopProbe() {
    writeReport("exit");
}

void forget(std::unordered_set<GLuint>& live, GLsizei n, const GLuint* names) {
    for (GLsizei i = 0; names != nullptr && i < n; ++i) {
        live.erase(names[i]);
    }
}

void remember(std::unordered_set<GLuint>& live, GLsizei n, const GLuint* names) {
    for (GLsizei i = 0; names != nullptr && i < n; ++i) {
        live.insert(names[i]);
    }
}

// The real entry points, as GLEW would have received them.
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

GLuint probeCreateProgram() {
    const GLuint name = real.createProgram();
    if (name != 0) {
        probe().programs.insert(name);
    }
    return name;
}
void probeDeleteProgram(GLuint name) {
    real.deleteProgram(name);
    probe().programs.erase(name);
}
GLuint probeCreateShaderProgramv(GLenum stage, GLsizei count, const char* const* sources) {
    const GLuint name = real.createShaderProgramv(stage, count, sources);
    if (name != 0) {
        probe().programs.insert(name);
    }
    return name;
}
GLuint probeCreateShader(GLenum stage) {
    const GLuint name = real.createShader(stage);
    if (name != 0) {
        probe().shaders.insert(name);
    }
    return name;
}
void probeDeleteShader(GLuint name) {
    real.deleteShader(name);
    probe().shaders.erase(name);
}
void probeGenBuffers(GLsizei n, GLuint* names) {
    real.genBuffers(n, names);
    remember(probe().buffers, n, names);
}
void probeCreateBuffers(GLsizei n, GLuint* names) {
    real.createBuffers(n, names);
    remember(probe().buffers, n, names);
}
void probeDeleteBuffers(GLsizei n, const GLuint* names) {
    real.deleteBuffers(n, names);
    forget(probe().buffers, n, names);
}
void probeGenVertexArrays(GLsizei n, GLuint* names) {
    real.genVertexArrays(n, names);
    remember(probe().vertexArrays, n, names);
}
void probeCreateVertexArrays(GLsizei n, GLuint* names) {
    real.createVertexArrays(n, names);
    remember(probe().vertexArrays, n, names);
}
void probeDeleteVertexArrays(GLsizei n, const GLuint* names) {
    real.deleteVertexArrays(n, names);
    forget(probe().vertexArrays, n, names);
}

#ifdef VEXEL_PROBE_CALLS
using GLint = int;
using GLfloat = float;
using GLboolean = unsigned char;

struct counted_real_t {
    void (*bindVertexArray)(GLuint) = nullptr;
    void (*useProgram)(GLuint) = nullptr;
    void (*uniformMatrix4fv)(GLint, GLsizei, GLboolean, const GLfloat*) = nullptr;
    void (*uniform1f)(GLint, GLfloat) = nullptr;
    void (*uniform1ui)(GLint, GLuint) = nullptr;
    void (*drawElementsInstanced)(GLenum, GLsizei, GLenum, const void*, GLsizei) = nullptr;
    void (*drawArraysInstanced)(GLenum, GLint, GLsizei, GLsizei) = nullptr;
} counted;

void count(counted_t call) {
    ++probe().calls[call];
}

void countBindVertexArray(GLuint name) {
    count(BindVertexArray);
    counted.bindVertexArray(name);
}
void countUseProgram(GLuint program) {
    count(UseProgram);
    counted.useProgram(program);
}
void countUniformMatrix4fv(GLint location, GLsizei n, GLboolean transpose, const GLfloat* m) {
    count(UniformMatrix4fv);
    counted.uniformMatrix4fv(location, n, transpose, m);
}
void countUniform1f(GLint location, GLfloat value) {
    count(Uniform1f);
    counted.uniform1f(location, value);
}
void countUniform1ui(GLint location, GLuint value) {
    count(Uniform1ui);
    counted.uniform1ui(location, value);
}
void countDrawElementsInstanced(GLenum mode, GLsizei n, GLenum type, const void* indices,
                                GLsizei instances) {
    count(DrawElementsInstanced);
    counted.drawElementsInstanced(mode, n, type, indices, instances);
}
void countDrawArraysInstanced(GLenum mode, GLint first, GLsizei n, GLsizei instances) {
    count(DrawArraysInstanced);
    counted.drawArraysInstanced(mode, first, n, instances);
}
#endif

// Swaps the real entry point for the probe's when `name` is one it watches.
template <typename F>
proc_t watch(std::string_view name, std::string_view wanted, proc_t found, F& slot, F wrapper) {
    if (name != wanted || found == nullptr) {
        return nullptr;
    }
    slot = reinterpret_cast<F>(found);
    return reinterpret_cast<proc_t>(wrapper);
}

proc_t intercept(const unsigned char* rawName, proc_t found) {
    if (rawName == nullptr || found == nullptr) {
        return found;
    }
    const std::string_view name(reinterpret_cast<const char*>(rawName));
    proc_t wrapped = nullptr;
    if ((wrapped =
             watch(name, "glCreateProgram", found, real.createProgram, &probeCreateProgram)) ||
        (wrapped =
             watch(name, "glDeleteProgram", found, real.deleteProgram, &probeDeleteProgram)) ||
        (wrapped = watch(name, "glCreateShaderProgramv", found, real.createShaderProgramv,
                         &probeCreateShaderProgramv)) ||
        (wrapped = watch(name, "glCreateShader", found, real.createShader, &probeCreateShader)) ||
        (wrapped = watch(name, "glDeleteShader", found, real.deleteShader, &probeDeleteShader)) ||
        (wrapped = watch(name, "glGenBuffers", found, real.genBuffers, &probeGenBuffers)) ||
        (wrapped =
             watch(name, "glCreateBuffers", found, real.createBuffers, &probeCreateBuffers)) ||
        (wrapped =
             watch(name, "glDeleteBuffers", found, real.deleteBuffers, &probeDeleteBuffers)) ||
        (wrapped = watch(name, "glGenVertexArrays", found, real.genVertexArrays,
                         &probeGenVertexArrays)) ||
        (wrapped = watch(name, "glCreateVertexArrays", found, real.createVertexArrays,
                         &probeCreateVertexArrays)) ||
        (wrapped = watch(name, "glDeleteVertexArrays", found, real.deleteVertexArrays,
                         &probeDeleteVertexArrays))) {
        return wrapped;
    }
#ifdef VEXEL_PROBE_CALLS
    if ((wrapped = watch(name, "glBindVertexArray", found, counted.bindVertexArray,
                         &countBindVertexArray)) ||
        (wrapped = watch(name, "glUseProgram", found, counted.useProgram, &countUseProgram)) ||
        (wrapped = watch(name, "glUniformMatrix4fv", found, counted.uniformMatrix4fv,
                         &countUniformMatrix4fv)) ||
        (wrapped = watch(name, "glUniform1f", found, counted.uniform1f, &countUniform1f)) ||
        (wrapped = watch(name, "glUniform1ui", found, counted.uniform1ui, &countUniform1ui)) ||
        (wrapped = watch(name, "glDrawElementsInstanced", found, counted.drawElementsInstanced,
                         &countDrawElementsInstanced)) ||
        (wrapped = watch(name, "glDrawArraysInstanced", found, counted.drawArraysInstanced,
                         &countDrawArraysInstanced))) {
        return wrapped;
    }
#endif
    return found;
}

} // namespace

extern "C" {

__attribute__((visibility("default"))) proc_t glXGetProcAddressARB(const unsigned char* name) {
    static const auto realLookup = next<proc_t (*)(const unsigned char*)>("glXGetProcAddressARB");
    return intercept(name, realLookup != nullptr ? realLookup(name) : nullptr);
}

__attribute__((visibility("default"))) proc_t glXGetProcAddress(const unsigned char* name) {
    static const auto realLookup = next<proc_t (*)(const unsigned char*)>("glXGetProcAddress");
    return intercept(name, realLookup != nullptr ? realLookup(name) : nullptr);
}

#ifdef VEXEL_PROBE_CALLS
// OpenGL 1.1 entry points are linked directly rather than fetched by GLEW.
__attribute__((visibility("default"))) void glClear(unsigned int mask) {
    static const auto real = next<void (*)(unsigned int)>("glClear");
    count(Clear);
    real(mask);
}

__attribute__((visibility("default"))) void glDrawElements(GLenum mode, GLsizei n, GLenum type,
                                                           const void* indices) {
    static const auto real = next<void (*)(GLenum, GLsizei, GLenum, const void*)>("glDrawElements");
    count(DrawElements);
    real(mode, n, type, indices);
}

__attribute__((visibility("default"))) GLenum glGetError() {
    static const auto real = next<GLenum (*)()>("glGetError");
    count(GetError);
    return real();
}
#endif

struct GLFWwindow;

__attribute__((visibility("default"))) void glfwSetWindowTitle(GLFWwindow* window,
                                                               const char* title) {
    static const auto realSetTitle = next<void (*)(GLFWwindow*, const char*)>("glfwSetWindowTitle");
    realSetTitle(window, title);
    ++probe().titlesSoFar;
}

__attribute__((visibility("default"))) void glfwSwapBuffers(GLFWwindow* window) {
    static const auto realSwap = next<void (*)(GLFWwindow*)>("glfwSwapBuffers");
    static const auto setShouldClose = next<void (*)(GLFWwindow*, int)>("glfwSetWindowShouldClose");
    realSwap(window);

    probe_t& p = probe();
    const std::int64_t now = monotonicNs();
    if (p.frames < p.swapNs.size()) {
        p.swapNs[p.frames] = now;
    }
    ++p.frames;
    p.titles = p.titlesSoFar;
    if (p.firstFrameNs < 0) {
        p.firstFrameNs = now;
        p.firstFrameCpuNs = processCpuNs();
        p.firstFrameMainCpuNs = threadCpuNs();
    }
    if (std::find(p.snapshotFrames.begin(), p.snapshotFrames.end(), p.frames) !=
        p.snapshotFrames.end()) {
        takeSnapshot();
    }
    const bool enoughFrames = p.stopFrames > 0 && p.frames >= p.stopFrames;
    const bool enoughTime =
        p.stopSeconds > 0.0 && static_cast<double>(now - p.firstFrameNs) >= p.stopSeconds * 1e9;
    if (!p.closeRequested && (enoughFrames || enoughTime)) {
        p.closeRequested = true;
        p.lastFrameCpuNs = processCpuNs();
        p.lastFrameMainCpuNs = threadCpuNs();
        writeReport("stopped");
        if (setShouldClose != nullptr) {
            setShouldClose(window, 1);
        }
    }
}

} // extern "C"
