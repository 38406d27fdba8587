#pragma once

// One dump that callgrind writes when the frame probe asks for it: its label,
// its instruction total and the instructions each function executed itself.
//
// A steady frame is counted without glibc's heap bookkeeping (see
// `withoutHeapBookkeeping`). Mesa makes about 800 allocations a frame that the
// per-thread cache cannot serve, and what each of them costs depends on how
// the threads of start-up left the heap: identical runs of one program
// differed by up to 0.3% per frame in that code alone, and by 0.03% in
// everything else.

#include <iosfwd>
#include <map>
#include <optional>
#include <string>

namespace vexel::bench {

struct callgrind_dump_t {
    // The client request that triggered the dump ("startup", "frame 3").
    std::string label;
    double total = 0.0;
    // Function -> instructions executed in its own code, for the functions of
    // the C library (the only object whose functions are looked up by name).
    std::map<std::string, double> libcSelf;

    // The total less what glibc's malloc spent searching, splitting and
    // merging free chunks and growing or trimming the heap (_int_malloc and
    // the helpers only the allocator calls). The call into malloc, a hit in the
    // per-thread cache and free stay counted.
    double withoutHeapBookkeeping() const;
};

// Reads a dump in callgrind's format (compressed names and positions as
// callgrind writes them by default, one event). Returns nothing, and says why
// in `error`, when the text has no totals or a cost line cannot be read.
std::optional<callgrind_dump_t> readCallgrindDump(std::istream& in, std::string& error);

} // namespace vexel::bench
