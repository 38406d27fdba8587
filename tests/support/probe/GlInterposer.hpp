#pragma once

// The one piece of GL interposition that every preloaded probe shares (the
// soak's GL probe, the bench's frame and call probes). A probe library links
// it and so answers the program's glXGetProcAddress lookups itself: the calls
// that create and delete programs, shaders, buffers and vertex arrays are
// wrapped to keep the set of live names of each kind, and a probe may put one
// further step of its own between the driver's entry point and the program
// (counting calls, say). Names are counted as the program sees them: a
// program GL keeps alive until it is unbound counts as gone once deleted.
//
// Everything here is used from the thread that makes the GL calls.

#include <dlfcn.h>

#include <cstdint>
#include <string_view>
#include <unordered_set>

namespace ox::probe {

using proc_t = void (*)();

struct gl_live_objects_t {
    std::unordered_set<unsigned int> programs;
    std::unordered_set<unsigned int> shaders;
    std::unordered_set<unsigned int> buffers;
    std::unordered_set<unsigned int> vertexArrays;
    // Grows with every creation or deletion, so a probe can tell whether its
    // last report still holds.
    std::uint64_t changes = 0;
};

class GlInterposer {
public:
    // Given an entry point's name and what the lookup found so far (the
    // driver's function or the object-tracking wrapper around it), returns
    // what the program receives.
    using lookup_step_t = proc_t (*)(std::string_view name, proc_t found);

    static gl_live_objects_t& liveObjects();
    static void setLookupStep(lookup_step_t step);
    // What glXGetProcAddress* hands the program for `name`.
    static proc_t lookup(const unsigned char* name, proc_t found);
};

// The definition of `name` that the program would reach without the probe.
template <typename F>
F nextSymbol(const char* name) {
    return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

} // namespace ox::probe
