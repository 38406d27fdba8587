#pragma once

// Counts every GL call a program makes, by function, from inside a preloaded
// probe. Two routes lead into the driver, and both are covered:
// - entry points the program fetches at run time (GLEW asks
//   glXGetProcAddress for every function beyond OpenGL 1.1): each gets a
//   counting thunk of its own in place of the driver's function;
// - the OpenGL 1.0 and 1.1 functions the program links directly (glClear,
//   glDrawElements, glGetError ...): the probe exports counting thunks under
//   their names, which the dynamic linker prefers to the driver's.
// A thunk increments its function's counter and jumps on to the real entry
// point without touching arguments or stack, so it fits every signature
// (x86-64 only). Counting is not thread-safe: GL is called from one thread.

#include <cstdint>
#include <map>
#include <string>

namespace vexel::bench {

class GlCallCounter {
public:
    // Puts the thunks in place; to be called once, before the program runs.
    static void install();
    // Calls so far by function name; functions never called are left out.
    static std::map<std::string, std::uint64_t> totals();
    // Functions fetched after every thunk was taken (they run uncounted).
    static std::uint64_t uncounted();
};

} // namespace vexel::bench
