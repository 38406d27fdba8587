#pragma once

// The figures of one cost check: what a run measured, or the references
// committed beside this file. Both are kept as plain text, one figure a line,
//   calls <program> <function> <calls per steady frame>
//   instructions <program> <frame|startup> <count>
//   machine <what else the counts depend on: valgrind, the processor, libraries>
// with '#' starting a comment, so that a change to the references reads as a
// diff of the figures that moved.

#include <cstdint>
#include <iosfwd>
#include <map>
#include <optional>
#include <string>

namespace vexel::bench {

struct perf_figures_t {
    // Instruction counts hold for one build of valgrind, the C library, Mesa
    // and LLVM, and the processor valgrind presents; calls and the
    // demo/baseline ratio hold anywhere.
    std::string machine;
    // GL calls per steady frame: program -> function -> calls.
    std::map<std::string, std::map<std::string, double>> calls;
    // Main-thread instructions per steady frame, by program.
    std::map<std::string, double> frameInstructions;
    // Instructions from process start to the first presented frame, by program.
    std::map<std::string, double> startupInstructions;

    bool operator==(const perf_figures_t&) const = default;
};

// Reads figures; an unreadable line makes it return nothing and say which in
// `error`.
std::optional<perf_figures_t> readPerfFigures(std::istream& in, std::string& error);
void writePerfFigures(std::ostream& out, const perf_figures_t& figures);

} // namespace vexel::bench
