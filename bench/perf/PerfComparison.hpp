#pragma once

// Compares a cost check's figures with their references and bounds, and lays
// the outcome out as a table: each figure, its reference, what was measured,
// the bound and the difference. GL calls must match exactly, function by
// function; instruction counts may move within their bounds. A program's own
// counts are checked only against references from the same machine (see
// perf_figures_t::machine); the ratio of the two programs is checked anywhere.

#include "perf/PerfFigures.hpp"

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace vexel::bench {

// The committed bounds, read from "key value" lines:
//   ratio <highest demo/baseline ratio of frame instructions>
//   frame <largest relative distance of a frame count from its reference>
//   startup <the same for start-up counts>
struct perf_bounds_t {
    double ratio = 1.0;
    double frame = 0.0;
    double startup = 0.0;
};

std::optional<perf_bounds_t> readPerfBounds(std::istream& in, std::string& error);

struct perf_row_t {
    std::string figure;
    std::string reference;
    std::string measured;
    std::string bound;
    std::string difference;
    bool passed = true;
};

class PerfComparison {
public:
    static PerfComparison compare(const perf_figures_t& measured, const perf_figures_t& reference,
                                  const perf_bounds_t& bounds);

    bool passed() const;
    const std::vector<perf_row_t>& rows() const { return rowList; }
    // The rows as an aligned text table, failed rows marked.
    std::string table() const;

private:
    std::vector<perf_row_t> rowList;
};

} // namespace vexel::bench
