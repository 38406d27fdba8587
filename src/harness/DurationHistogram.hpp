#pragma once

#include <cstdint>
#include <vector>

namespace ox::harness {

// A distribution of durations in fixed memory, for a run of any length:
// counts in logarithmic buckets 0.1 % wide from 1 microsecond to 100 seconds
// (shorter durations count in the first, longer in the last), plus the exact
// count, sum and longest. Allocates once, when created; add() never does.
class DurationHistogram {
public:
    DurationHistogram();

    // Seconds; a negative duration counts as 0, a NaN not at all.
    void add(double seconds);

    std::uint64_t count() const { return samples; }
    // 0 for an empty histogram, like the figures below.
    double mean() const;
    double longest() const { return samples == 0 ? 0.0 : maximum; }
    // Nearest rank: the smallest duration that at least `share` (0 to 1) of
    // the durations do not exceed, within 0.1 % (a microsecond below 1 ms)
    // and never outside the
    // shortest and longest seen.
    double percentile(double share) const;

private:
    std::vector<std::uint32_t> buckets;
    std::uint64_t samples = 0;
    double sum = 0.0;
    double minimum = 0.0;
    double maximum = 0.0;
};

} // namespace ox::harness
