#include "perf/PerfComparison.hpp"

#include <fmt/format.h>

#include <algorithm>
#include <cmath>
#include <istream>
#include <set>
#include <sstream>

namespace vexel::bench {

namespace {

constexpr const char* programs[] = {"demo", "baseline"};

std::string count(double value) {
    return std::floor(value) == value ? fmt::format("{:.0f}", value) : fmt::format("{:.2f}", value);
}

std::string relative(double measured, double reference) {
    return reference > 0.0 ? fmt::format("{:+.3f}%", 100.0 * (measured - reference) / reference)
                           : "-";
}

const double* find(const std::map<std::string, double>& figures, const std::string& key) {
    const auto found = figures.find(key);
    return found != figures.end() ? &found->second : nullptr;
}

// One program's calls: a row for its total, then one for each function whose
// count changed, appeared or disappeared.
void compareCalls(const std::string& program, const perf_figures_t& measured,
                  const perf_figures_t& reference, std::vector<perf_row_t>& rows) {
    static const std::map<std::string, double> none;
    const auto measuredFound = measured.calls.find(program);
    const auto referenceFound = reference.calls.find(program);
    const auto& now = measuredFound != measured.calls.end() ? measuredFound->second : none;
    const auto& before = referenceFound != reference.calls.end() ? referenceFound->second : none;

    std::set<std::string> names;
    double nowTotal = 0.0;
    double beforeTotal = 0.0;
    for (const auto& [name, calls] : now) {
        names.insert(name);
        nowTotal += calls;
    }
    for (const auto& [name, calls] : before) {
        names.insert(name);
        beforeTotal += calls;
    }
    std::vector<perf_row_t> changed;
    for (const std::string& name : names) {
        const double* is = find(now, name);
        const double* was = find(before, name);
        if (is != nullptr && was != nullptr && *is == *was) {
            continue;
        }
        perf_row_t row{fmt::format("  {}", name),
                       was != nullptr ? count(*was) : "-",
                       is != nullptr ? count(*is) : "-",
                       "exact",
                       was == nullptr  ? "new call"
                       : is == nullptr ? "call gone"
                                       : fmt::format("{:+}", *is - *was),
                       false};
        changed.push_back(std::move(row));
    }
    const bool measuredAny = !now.empty();
    rows.push_back({fmt::format("{} calls per frame", program), count(beforeTotal),
                    measuredAny ? count(nowTotal) : "not measured", "exact",
                    changed.empty() ? "0" : fmt::format("{} functions changed", changed.size()),
                    measuredAny && changed.empty()});
    rows.insert(rows.end(), changed.begin(), changed.end());
}

// A count that must stay within `bound` (relative) of its reference, when
// both were counted on the same machine; elsewhere it is only shown.
perf_row_t compareCount(const std::string& figure, const double* measured, const double* reference,
                        double bound, bool sameMachine) {
    perf_row_t row{figure,
                   reference != nullptr ? count(*reference) : "-",
                   measured != nullptr ? count(*measured) : "not measured",
                   fmt::format("+-{:.2f}%", 100.0 * bound),
                   "-",
                   false};
    if (measured != nullptr && reference != nullptr && *reference > 0.0) {
        row.difference = relative(*measured, *reference);
        row.passed = std::fabs(*measured - *reference) <= bound * *reference;
    }
    if (!sameMachine && measured != nullptr) {
        row.bound = "other machine";
        row.passed = true;
    }
    return row;
}

} // namespace

std::optional<perf_bounds_t> readPerfBounds(std::istream& in, std::string& error) {
    perf_bounds_t bounds;
    std::set<std::string> seen;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (const auto hash = line.find('#'); hash != std::string::npos) {
            line.resize(hash);
        }
        std::istringstream fields(line);
        std::string key;
        if (!(fields >> key)) {
            continue;
        }
        double value = 0.0;
        std::string rest;
        const bool readable = static_cast<bool>(fields >> value) && !(fields >> rest);
        double* slot = key == "ratio"     ? &bounds.ratio
                       : key == "frame"   ? &bounds.frame
                       : key == "startup" ? &bounds.startup
                                          : nullptr;
        if (!readable || slot == nullptr || !(value > 0.0)) {
            error = fmt::format("line {}: cannot read '{}'", number, line);
            return std::nullopt;
        }
        *slot = value;
        seen.insert(key);
    }
    if (seen.size() != 3) {
        error = "needs the three bounds: ratio, frame and startup";
        return std::nullopt;
    }
    return bounds;
}

PerfComparison PerfComparison::compare(const perf_figures_t& measured,
                                       const perf_figures_t& reference,
                                       const perf_bounds_t& bounds) {
    PerfComparison result;
    std::vector<perf_row_t>& rows = result.rowList;
    for (const char* program : programs) {
        compareCalls(program, measured, reference, rows);
    }

    const double* demo = find(measured.frameInstructions, "demo");
    const double* baseline = find(measured.frameInstructions, "baseline");
    const double* demoBefore = find(reference.frameInstructions, "demo");
    const double* baselineBefore = find(reference.frameInstructions, "baseline");
    perf_row_t ratio{"demo/baseline instructions per frame", "-", "not measured",
                     fmt::format("<= {:.4f}", bounds.ratio), "-", false};
    if (demoBefore != nullptr && baselineBefore != nullptr && *baselineBefore > 0.0) {
        ratio.reference = fmt::format("{:.4f}", *demoBefore / *baselineBefore);
    }
    if (demo != nullptr && baseline != nullptr && *baseline > 0.0) {
        const double value = *demo / *baseline;
        ratio.measured = fmt::format("{:.4f}", value);
        ratio.difference = fmt::format("{:+.4f} to the bound", value - bounds.ratio);
        ratio.passed = value <= bounds.ratio;
    }
    rows.push_back(std::move(ratio));

    const bool sameMachine = measured.machine == reference.machine;

    for (const char* program : programs) {
        rows.push_back(compareCount(fmt::format("{} instructions per frame", program),
                                    find(measured.frameInstructions, program),
                                    find(reference.frameInstructions, program), bounds.frame,
                                    sameMachine));
    }
    for (const char* program : programs) {
        rows.push_back(compareCount(fmt::format("{} instructions to the first frame", program),
                                    find(measured.startupInstructions, program),
                                    find(reference.startupInstructions, program), bounds.startup,
                                    sameMachine));
    }
    return result;
}

bool PerfComparison::passed() const {
    return std::all_of(rowList.begin(), rowList.end(),
                       [](const perf_row_t& row) { return row.passed; });
}

std::string PerfComparison::table() const {
    perf_row_t header{"figure", "reference", "measured", "bound", "difference", true};
    std::size_t widths[5] = {};
    const auto cells = [](const perf_row_t& row) {
        return std::vector<const std::string*>{&row.figure, &row.reference, &row.measured,
                                               &row.bound, &row.difference};
    };
    for (const perf_row_t* row : {&header}) {
        for (std::size_t i = 0; i < 5; ++i) {
            widths[i] = std::max(widths[i], cells(*row)[i]->size());
        }
    }
    for (const perf_row_t& row : rowList) {
        for (std::size_t i = 0; i < 5; ++i) {
            widths[i] = std::max(widths[i], cells(row)[i]->size());
        }
    }
    std::string text;
    const auto line = [&](const perf_row_t& row, const char* mark) {
        const auto c = cells(row);
        text += fmt::format("{:<4} {:<{}}  {:>{}}  {:>{}}  {:>{}}  {}\n", mark, *c[0], widths[0],
                            *c[1], widths[1], *c[2], widths[2], *c[3], widths[3], *c[4]);
    };
    line(header, "");
    for (const perf_row_t& row : rowList) {
        line(row, row.passed ? "" : "FAIL");
    }
    return text;
}

} // namespace vexel::bench
