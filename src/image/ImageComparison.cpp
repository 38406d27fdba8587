#include "image/ImageComparison.hpp"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace ox::image {

bool ImageComparison::differs(const std::uint8_t* a, const std::uint8_t* b) const {
    for (int channel = 0; channel < 3; ++channel) {
        if (std::abs(static_cast<int>(a[channel]) - static_cast<int>(b[channel])) > tolerance) {
            return true;
        }
    }
    return false;
}

ImageComparison::result_t ImageComparison::compare(const rgba_image_t& reference,
                                                   const rgba_image_t& candidate) const {
    result_t result;
    result.totalPixels = static_cast<std::uint64_t>(std::max(reference.width, 0)) *
                         static_cast<std::uint64_t>(std::max(reference.height, 0));
    result.sameSize = reference.width == candidate.width && reference.height == candidate.height &&
                      reference.pixels.size() == result.totalPixels * 4u &&
                      candidate.pixels.size() == reference.pixels.size();
    if (!result.sameSize) {
        return result;
    }
    for (std::size_t offset = 0; offset < reference.pixels.size(); offset += 4) {
        if (differs(&reference.pixels[offset], &candidate.pixels[offset])) {
            ++result.differingPixels;
        }
    }
    result.share = result.totalPixels == 0 ? 0.0
                                           : static_cast<double>(result.differingPixels) /
                                                 static_cast<double>(result.totalPixels);
    result.matches = result.share <= maxShare;
    return result;
}

rgba_image_t ImageComparison::sideBySide(const rgba_image_t& reference,
                                         const rgba_image_t& candidate) const {
    const auto valid = [](const rgba_image_t& image) {
        return !image.isEmpty() &&
               image.pixels.size() == static_cast<std::size_t>(image.width) * image.height * 4u;
    };
    const rgba_image_t empty;
    const rgba_image_t& left = valid(reference) ? reference : empty;
    const rgba_image_t& middle = valid(candidate) ? candidate : empty;

    rgba_image_t out;
    const int panel = std::max({left.width, middle.width, 1});
    out.width = panel * 3;
    out.height = std::max({left.height, middle.height, 1});
    out.pixels.assign(static_cast<std::size_t>(out.width) * out.height * 4u, 0);
    const auto pixelAt = [&out](int panelIndex, int panelWidth, int x, int y) {
        return &out.pixels[(static_cast<std::size_t>(y) * out.width + panelIndex * panelWidth + x) *
                           4u];
    };
    const auto copy = [&](const rgba_image_t& image, int panelIndex) {
        for (int y = 0; y < image.height; ++y) {
            std::memcpy(pixelAt(panelIndex, panel, 0, y),
                        &image.pixels[static_cast<std::size_t>(y) * image.width * 4u],
                        static_cast<std::size_t>(image.width) * 4u);
        }
    };
    copy(left, 0);
    copy(middle, 1);

    // Where only one picture has a pixel, that pixel counts as differing.
    for (int y = 0; y < out.height; ++y) {
        for (int x = 0; x < panel; ++x) {
            const bool inLeft = x < left.width && y < left.height;
            const bool inMiddle = x < middle.width && y < middle.height;
            const std::uint8_t* a =
                inLeft ? &left.pixels[(static_cast<std::size_t>(y) * left.width + x) * 4u]
                       : nullptr;
            const std::uint8_t* b =
                inMiddle ? &middle.pixels[(static_cast<std::size_t>(y) * middle.width + x) * 4u]
                         : nullptr;
            std::uint8_t* target = pixelAt(2, panel, x, y);
            if (a == nullptr && b == nullptr) {
                continue;
            }
            if (a == nullptr || b == nullptr || differs(a, b)) {
                target[0] = 255;
                target[1] = 0;
                target[2] = 255;
            } else {
                for (int channel = 0; channel < 3; ++channel) {
                    target[channel] = static_cast<std::uint8_t>(a[channel] / 4);
                }
            }
        }
    }
    for (std::size_t offset = 3; offset < out.pixels.size(); offset += 4) {
        out.pixels[offset] = 255;
    }
    return out;
}

} // namespace ox::image
