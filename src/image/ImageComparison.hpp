#pragma once

#include "image/rgba_image_t.hpp"

#include <cstdint>

namespace ox::image {

// Compares a new picture with a reference. A pixel differs when its red, green
// or blue differs by more than `tolerance` (0 to 255, alpha is ignored); the
// pictures match when they have the same size and the share of differing
// pixels is at most `maxShare` (0 to 1).
struct ImageComparison {
    int tolerance = 0;
    double maxShare = 0.0;

    struct result_t {
        bool sameSize = false;
        std::uint64_t differingPixels = 0;
        std::uint64_t totalPixels = 0;
        // Differing pixels over all pixels; 1 when the sizes differ.
        double share = 1.0;
        bool matches = false;
    };

    result_t compare(const rgba_image_t& reference, const rgba_image_t& candidate) const;

    // The reference, the candidate and a map of the differences side by side
    // (each padded to the taller of the two): the map shows the reference
    // darkened, with every differing pixel in pure magenta.
    rgba_image_t sideBySide(const rgba_image_t& reference, const rgba_image_t& candidate) const;

private:
    bool differs(const std::uint8_t* a, const std::uint8_t* b) const;
};

} // namespace ox::image
