// The cost check's last step: turns what the measuring runs left behind into
// figures, compares them with the committed references and prints the table.
//
//   vexel-perf-check --calls PROGRAM=PROBE_REPORT ... --callgrind PROGRAM=PREFIX ...
//                    --references FILE --bounds FILE --out FILE
//                    [--engine-cpu FILE] [--machine TEXT] [--update]
//
// PROBE_REPORT is a call probe's report with two snapshots: the calls per
// steady frame are the difference between them over the frames in between.
// PREFIX names one program's callgrind dumps (PREFIX.<pid>.<n>-<thread>): the
// frame loop thread's dump labelled "startup" gives the instructions to the
// first presented frame, those labelled "frame N" one steady frame each, of
// which the median counts. --machine names what else the counts depend on
// (valgrind, the processor it presents, the libraries). The figures go to
// --out; with --update they also
// replace the references. Exit code 0 when every figure is within its bound,
// 1 when one is not, 2 when something could not be read.

#include "compare/ProbeReport.hpp"
#include "perf/CallgrindDump.hpp"
#include "perf/PerfComparison.hpp"
#include "perf/PerfFigures.hpp"

#include <fmt/format.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace vexel::bench;

struct options_t {
    std::map<std::string, std::string> calls;
    std::map<std::string, std::string> callgrind;
    std::string references;
    std::string bounds;
    std::string out;
    std::string engineCpu;
    std::string machine;
    bool update = false;
};

bool splitProgram(const std::string& value, std::map<std::string, std::string>& into) {
    const auto equals = value.find('=');
    if (equals == std::string::npos || equals == 0 || equals + 1 == value.size()) {
        return false;
    }
    into[value.substr(0, equals)] = value.substr(equals + 1);
    return true;
}

bool parse(int argc, char** argv, options_t& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string name = argv[i];
        if (name == "--update") {
            options.update = true;
            continue;
        }
        if (i + 1 == argc) {
            std::fprintf(stderr, "%s needs a value\n", name.c_str());
            return false;
        }
        const std::string value = argv[++i];
        bool good = true;
        if (name == "--calls") {
            good = splitProgram(value, options.calls);
        } else if (name == "--callgrind") {
            good = splitProgram(value, options.callgrind);
        } else if (name == "--references") {
            options.references = value;
        } else if (name == "--bounds") {
            options.bounds = value;
        } else if (name == "--out") {
            options.out = value;
        } else if (name == "--engine-cpu") {
            options.engineCpu = value;
        } else if (name == "--machine") {
            options.machine = value;
        } else {
            good = false;
        }
        if (!good) {
            std::fprintf(stderr, "cannot use %s %s\n", name.c_str(), value.c_str());
            return false;
        }
    }
    if (options.references.empty() || options.bounds.empty() || options.out.empty()) {
        std::fprintf(stderr, "--references, --bounds and --out are needed\n");
        return false;
    }
    return true;
}

// Calls per frame between the report's two snapshots; empty when it has
// fewer.
std::map<std::string, double> callsPerFrame(const std::string& path) {
    const ProbeReport report = ProbeReport::read(path);
    std::map<std::string, double> perFrame;
    if (report.calls.size() < 2) {
        return perFrame;
    }
    const auto& [fromFrame, from] = *report.calls.begin();
    const auto& [toFrame, to] = *report.calls.rbegin();
    const double frames = static_cast<double>(toFrame - fromFrame);
    for (const auto& [name, total] : to) {
        const auto before = from.find(name);
        const std::uint64_t earlier = before != from.end() ? before->second : 0;
        if (total > earlier) {
            perFrame[name] = static_cast<double>(total - earlier) / frames;
        }
    }
    return perFrame;
}

struct instructions_t {
    double startup = -1.0;
    // Per steady frame: the dump's total, and what the check counts.
    std::vector<double> frameTotals;
    std::vector<double> frames;
};

// The frame loop thread's (thread 1) dumps of one program. Start-up is its
// whole count; a steady frame leaves out the allocator's heap bookkeeping (see
// perf/CallgrindDump.hpp). A dump that cannot be read is skipped and named.
instructions_t readCallgrind(const std::string& prefix) {
    instructions_t found;
    const std::filesystem::path stem(prefix);
    const std::filesystem::path folder = stem.has_parent_path() ? stem.parent_path() : ".";
    const std::string start = stem.filename().string() + ".";
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        if (!name.starts_with(start) || !name.ends_with("-01")) {
            continue;
        }
        std::ifstream in(entry.path());
        std::string problem;
        const auto dump = readCallgrindDump(in, problem);
        if (!dump) {
            std::fprintf(stderr, "%s: %s\n", entry.path().c_str(), problem.c_str());
        } else if (dump->label == "startup") {
            found.startup = dump->total;
        } else if (dump->label.starts_with("frame ")) {
            found.frameTotals.push_back(dump->total);
            found.frames.push_back(dump->withoutHeapBookkeeping());
        }
    }
    return found;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2.0;
}

template <typename T>
std::optional<T> readFile(const std::string& path,
                          std::optional<T> (*reader)(std::istream&, std::string&)) {
    std::ifstream in(path);
    if (!in) {
        std::fprintf(stderr, "cannot read %s\n", path.c_str());
        return std::nullopt;
    }
    std::string error;
    auto value = reader(in, error);
    if (!value) {
        std::fprintf(stderr, "%s: %s\n", path.c_str(), error.c_str());
    }
    return value;
}

} // namespace

int main(int argc, char** argv) {
    options_t options;
    if (!parse(argc, argv, options)) {
        return 2;
    }

    perf_figures_t measured;
    measured.machine = options.machine;
    for (const auto& [program, path] : options.calls) {
        const auto perFrame = callsPerFrame(path);
        if (perFrame.empty()) {
            std::fprintf(stderr, "no call counts for %s in %s\n", program.c_str(), path.c_str());
        } else {
            measured.calls[program] = perFrame;
        }
    }
    for (const auto& [program, prefix] : options.callgrind) {
        const instructions_t counts = readCallgrind(prefix);
        if (counts.startup >= 0.0) {
            measured.startupInstructions[program] = counts.startup;
        }
        if (!counts.frames.empty()) {
            measured.frameInstructions[program] = median(counts.frames);
        }
        fmt::print("{}: instructions to the first frame {:.0f}; per frame, {} frames, counted "
                   "(total):",
                   program, counts.startup, counts.frames.size());
        for (std::size_t i = 0; i < counts.frames.size(); ++i) {
            fmt::print(" {:.0f} ({:.0f})", counts.frames[i], counts.frameTotals[i]);
        }
        fmt::print("\n");
    }
    {
        std::ofstream out(options.out);
        writePerfFigures(out, measured);
        if (!out) {
            std::fprintf(stderr, "cannot write %s\n", options.out.c_str());
            return 2;
        }
    }

    const auto bounds = readFile<perf_bounds_t>(options.bounds, &readPerfBounds);
    if (!bounds) {
        return 2;
    }
    if (options.update) {
        std::ofstream out(options.references);
        out << "# References of `make perf-check`, written by `make perf-update`: GL calls per\n"
               "# steady frame and main-thread instructions (callgrind) of the release build.\n";
        writePerfFigures(out, measured);
        if (!out) {
            std::fprintf(stderr, "cannot write %s\n", options.references.c_str());
            return 2;
        }
        fmt::print("References written to {}\n", options.references);
    }
    const auto reference = readFile<perf_figures_t>(options.references, &readPerfFigures);
    if (!reference) {
        return 2;
    }

    const PerfComparison comparison = PerfComparison::compare(measured, *reference, *bounds);
    fmt::print("\n{}", comparison.table());
    if (measured.machine != reference->machine) {
        fmt::print("\nThe references were counted on another machine ({}); this one is {}. Each "
                   "program's own counts are shown, not checked: `make perf-update` here makes "
                   "references for this machine.\n",
                   reference->machine.empty() ? "not named" : reference->machine,
                   measured.machine.empty() ? "not named" : measured.machine);
    }
    if (!options.engineCpu.empty()) {
        std::ifstream in(options.engineCpu);
        std::string line;
        while (std::getline(in, line)) {
            if (line.starts_with("engine_cpu_ns ")) {
                fmt::print("\nBeside it (not checked, CPU time moves with the machine's load): the "
                           "engine's own CPU work per frame from EngineFrameBench, {:.1f} us\n",
                           std::stod(line.substr(14)) / 1000.0);
            }
        }
    }
    if (comparison.passed()) {
        fmt::print("\nEvery figure is within its bound.\n");
        return 0;
    }
    fmt::print("\nFAILED: the figures marked FAIL left their bounds. After a deliberate change, "
               "`make perf-update` rewrites the references (see README, \"Cost per frame\").\n");
    return 1;
}
