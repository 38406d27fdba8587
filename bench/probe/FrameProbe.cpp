// A measuring probe loaded into an unchanged program with LD_PRELOAD, so that
// the demo and the baseline are measured by the same code from the outside:
//
// - glfwSwapBuffers is wrapped: the moment each swap returns is a presented
//   frame. The first one gives the time from launch (VEXEL_PROBE_START_NS, a
//   CLOCK_MONOTONIC stamp the launcher takes just before it starts the
//   program) to the first frame; the rest give the per-frame times.
// - The GL entry points that create and delete programs, shaders, buffers and
//   vertex arrays are wrapped where GLEW fetches them (glXGetProcAddress*), by
//   the interposition core every probe shares, so the probe knows which names
//   are alive at any frame.
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
// - Under callgrind, VEXEL_PROBE_INSTRUCTION_FRAMES=A-B makes it dump the
//   counts after the first frame (everything from process start to the first
//   presented frame), after frame A-1 and after each of frames A to B, so
//   that each of those dumps holds exactly one frame, swap to swap. After
//   frame B instrumentation stops, so the shut-down runs at full speed.
//
// Built a second time with VEXEL_PROBE_CALLS (libvexel-call-probe.so), it
// also counts every GL call by function, and the program's file-status
// queries (stat, lstat: the shader-file polls are the only system calls a
// steady demo frame asks for itself), and reports the totals at each
// snapshot, so that the call streams of the two programs can be compared.
// That variant puts a counter in front of every GL call, so the timed runs
// use the plain probe.
//
// It writes its findings to VEXEL_PROBE_REPORT as plain "key values" lines.
// Everything per frame is one clock read and one store into memory reserved
// and touched at load time, so the probe adds neither work nor resident
// memory while the program runs. GL and GLFW are called on one thread only.

#ifdef VEXEL_PROBE_CALLS
#include "probe/GlCallCounter.hpp"
#endif
#include "support/probe/GlInterposer.hpp"

#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#else
#define CALLGRIND_DUMP_STATS_AT(label)
#define CALLGRIND_STOP_INSTRUMENTATION
#endif

namespace {

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

using ox::probe::GlInterposer;
using ox::probe::nextSymbol;

struct snapshot_t {
    std::uint64_t frame = 0;
    std::int64_t rss = 0;
    std::size_t programs = 0;
    std::size_t shaders = 0;
    std::size_t buffers = 0;
    std::size_t vertexArrays = 0;
    std::uint64_t titles = 0;
    std::map<std::string, std::uint64_t> calls;
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
    // Frames whose instructions callgrind counts one by one (0: none).
    std::uint64_t instructionsFrom = 0;
    std::uint64_t instructionsTo = 0;
    std::uint64_t statCalls = 0;
    std::uint64_t lstatCalls = 0;
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
        for (const auto& [name, count] : s.calls) {
            std::fprintf(out, "calls %llu %s %llu\n", static_cast<unsigned long long>(s.frame),
                         name.c_str(), static_cast<unsigned long long>(count));
        }
        std::fprintf(out, "calls %llu glfwSetWindowTitle %llu\n",
                     static_cast<unsigned long long>(s.frame),
                     static_cast<unsigned long long>(s.titles));
    }
    if (vexel::bench::GlCallCounter::uncounted() != 0) {
        std::fprintf(out, "uncounted_functions %llu\n",
                     static_cast<unsigned long long>(vexel::bench::GlCallCounter::uncounted()));
    }
#endif
    const std::size_t recorded = std::min<std::size_t>(p.frames, p.swapNs.size());
    for (std::size_t i = 0; i < recorded; ++i) {
        std::fprintf(out, "swap %lld\n", static_cast<long long>(p.swapNs[i] - p.swapNs[0]));
    }
    std::fclose(out);
}

void takeSnapshot() {
    probe_t& p = probe();
    const ox::probe::gl_live_objects_t& live = GlInterposer::liveObjects();
    snapshot_t s{p.frames,
                 residentBytes(),
                 live.programs.size(),
                 live.shaders.size(),
                 live.buffers.size(),
                 live.vertexArrays.size(),
                 p.titlesSoFar,
                 {}};
#ifdef VEXEL_PROBE_CALLS
    s.calls = vexel::bench::GlCallCounter::totals();
    for (const auto& [name, count] : {std::pair{"stat", p.statCalls}, {"lstat", p.lstatCalls}}) {
        if (count != 0) {
            s.calls[name] = count;
        }
    }
#endif
    p.snapshots.push_back(std::move(s));
}

// Callgrind's dumps: one for start-up, one closing the frames not counted,
// then one per counted frame.
void dumpInstructions(const probe_t& p) {
    if (p.instructionsFrom == 0) {
        return;
    }
    if (p.frames == 1) {
        CALLGRIND_DUMP_STATS_AT("startup");
    } else if (p.frames + 1 == p.instructionsFrom) {
        CALLGRIND_DUMP_STATS_AT("uncounted");
    } else if (p.frames >= p.instructionsFrom && p.frames <= p.instructionsTo) {
        const std::string label = "frame " + std::to_string(p.frames);
        CALLGRIND_DUMP_STATS_AT(label.c_str());
        if (p.frames == p.instructionsTo) {
            CALLGRIND_STOP_INSTRUMENTATION;
        }
    }
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
    if (const char* range = std::getenv("VEXEL_PROBE_INSTRUCTION_FRAMES")) {
        unsigned long long from = 0;
        unsigned long long to = 0;
        // Frame 1 is start-up's own dump, so counted frames begin at 2.
        if (std::sscanf(range, "%llu-%llu", &from, &to) == 2 && from >= 2 && to >= from) {
            p.instructionsFrom = from;
            p.instructionsTo = to;
        }
    }
#ifdef VEXEL_PROBE_CALLS
    vexel::bench::GlCallCounter::install();
#endif
    // Touched now, so that recording frames later never adds resident pages.
    p.swapNs.assign(frameCapacity, 0);
}

__attribute__((destructor)) void stopProbe() {
    writeReport("exit");
}

} // namespace

extern "C" {

#ifdef VEXEL_PROBE_CALLS
__attribute__((visibility("default"))) int stat(const char* __restrict path,
                                                struct stat* __restrict info) noexcept {
    static const auto real = nextSymbol<int (*)(const char*, struct stat*)>("stat");
    ++probe().statCalls;
    return real(path, info);
}

__attribute__((visibility("default"))) int lstat(const char* __restrict path,
                                                 struct stat* __restrict info) noexcept {
    static const auto real = nextSymbol<int (*)(const char*, struct stat*)>("lstat");
    ++probe().lstatCalls;
    return real(path, info);
}
#endif

struct GLFWwindow;

__attribute__((visibility("default"))) void glfwSetWindowTitle(GLFWwindow* window,
                                                               const char* title) {
    static const auto realSetTitle =
        nextSymbol<void (*)(GLFWwindow*, const char*)>("glfwSetWindowTitle");
    realSetTitle(window, title);
    ++probe().titlesSoFar;
}

__attribute__((visibility("default"))) void glfwSwapBuffers(GLFWwindow* window) {
    static const auto realSwap = nextSymbol<void (*)(GLFWwindow*)>("glfwSwapBuffers");
    static const auto setShouldClose =
        nextSymbol<void (*)(GLFWwindow*, int)>("glfwSetWindowShouldClose");
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
    dumpInstructions(p);
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
