#include "harness/DurationHistogram.hpp"

#include <algorithm>
#include <cmath>

namespace ox::harness {

namespace {

constexpr double shortestBucket = 1e-6;
constexpr double longestBucket = 100.0;
// Each bucket's upper edge is this factor above its lower edge.
constexpr double bucketRatio = 1.001;

const double logRatio = std::log(bucketRatio);
const std::size_t bucketCount =
    static_cast<std::size_t>(std::ceil(std::log(longestBucket / shortestBucket) / logRatio)) + 1;

std::size_t bucketOf(double seconds) {
    if (seconds <= shortestBucket) {
        return 0;
    }
    const double index = std::floor(std::log(seconds / shortestBucket) / logRatio);
    return std::min(static_cast<std::size_t>(std::min(index, 1e9)), bucketCount - 1);
}

} // namespace

DurationHistogram::DurationHistogram()
    : buckets(bucketCount, 0) {}

void DurationHistogram::add(double seconds) {
    if (std::isnan(seconds)) {
        return;
    }
    seconds = std::max(seconds, 0.0);
    if (samples == 0) {
        minimum = seconds;
        maximum = seconds;
    } else {
        minimum = std::min(minimum, seconds);
        maximum = std::max(maximum, seconds);
    }
    ++samples;
    sum += seconds;
    ++buckets[bucketOf(seconds)];
}

double DurationHistogram::mean() const {
    return samples == 0 ? 0.0 : sum / static_cast<double>(samples);
}

double DurationHistogram::percentile(double share) const {
    if (samples == 0) {
        return 0.0;
    }
    const double clamped = std::clamp(share, 0.0, 1.0);
    const auto rank = std::max<std::uint64_t>(
        1, static_cast<std::uint64_t>(std::ceil(clamped * static_cast<double>(samples))));
    std::uint64_t seen = 0;
    for (std::size_t index = 0; index < buckets.size(); ++index) {
        seen += buckets[index];
        if (seen >= rank) {
            // Everything up to a microsecond shares the first bucket.
            if (index == 0) {
                return minimum;
            }
            // The middle of the bucket (geometrically), within 0.05 % of
            // anything in it.
            const double middle =
                shortestBucket * std::exp(logRatio * (static_cast<double>(index) + 0.5));
            return std::clamp(middle, minimum, maximum);
        }
    }
    return maximum;
}

} // namespace ox::harness
