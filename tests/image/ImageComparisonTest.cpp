#include "image/ImageComparison.hpp"

#include <gtest/gtest.h>

#include <array>

namespace {

using ox::image::ImageComparison;
using ox::image::rgba_image_t;

rgba_image_t filled(int width, int height, std::array<std::uint8_t, 4> rgba) {
    rgba_image_t image{width, height, {}};
    for (int i = 0; i < width * height; ++i) {
        image.pixels.insert(image.pixels.end(), rgba.begin(), rgba.end());
    }
    return image;
}

void setPixel(rgba_image_t& image, int x, int y, std::array<std::uint8_t, 4> rgba) {
    std::copy(rgba.begin(), rgba.end(),
              image.pixels.begin() + (static_cast<std::ptrdiff_t>(y) * image.width + x) * 4);
}

TEST(ImageComparisonTest, APixelDiffersOnlyBeyondTheToleranceInAColourChannel) {
    const rgba_image_t reference = filled(2, 2, {100, 100, 100, 255});
    const struct {
        std::array<std::uint8_t, 4> changed;
        std::uint64_t differing;
    } cases[] = {
        {{110, 100, 100, 255}, 0}, // exactly the tolerance
        {{100, 89, 100, 255}, 1},  // one beyond, downwards
        {{100, 100, 111, 255}, 1}, // one beyond, in blue
        {{100, 100, 100, 0}, 0},   // alpha is never compared
    };
    const ImageComparison comparison{10, 0.0};
    for (const auto& c : cases) {
        rgba_image_t candidate = reference;
        setPixel(candidate, 1, 1, c.changed);
        const auto result = comparison.compare(reference, candidate);
        EXPECT_TRUE(result.sameSize);
        EXPECT_EQ(result.differingPixels, c.differing)
            << int(c.changed[0]) << " " << int(c.changed[1]) << " " << int(c.changed[2]);
        EXPECT_EQ(result.matches, c.differing == 0);
    }
}

TEST(ImageComparisonTest, AFrameFailsOnlyWhenMoreThanTheShareDiffers) {
    // 1 of 4 pixels differs: a quarter.
    const rgba_image_t reference = filled(2, 2, {0, 0, 0, 255});
    rgba_image_t candidate = reference;
    setPixel(candidate, 0, 0, {255, 255, 255, 255});
    const struct {
        double share;
        bool matches;
    } cases[] = {{0.25, true}, {0.2499, false}, {0.0, false}, {1.0, true}};
    for (const auto& c : cases) {
        const auto result = ImageComparison{0, c.share}.compare(reference, candidate);
        EXPECT_DOUBLE_EQ(result.share, 0.25);
        EXPECT_EQ(result.matches, c.matches) << c.share;
    }
}

TEST(ImageComparisonTest, PicturesOfDifferentSizesNeverMatch) {
    const ImageComparison comparison{255, 1.0};
    const auto result =
        comparison.compare(filled(2, 2, {0, 0, 0, 255}), filled(2, 3, {0, 0, 0, 255}));
    EXPECT_FALSE(result.sameSize);
    EXPECT_FALSE(result.matches);
    rgba_image_t truncated = filled(2, 2, {0, 0, 0, 255});
    truncated.pixels.pop_back();
    EXPECT_FALSE(comparison.compare(filled(2, 2, {0, 0, 0, 255}), truncated).matches);
}

TEST(ImageComparisonTest, SideBySideShowsReferenceNewAndTheDifferencesInMagenta) {
    const rgba_image_t reference = filled(2, 1, {200, 40, 80, 255});
    rgba_image_t candidate = reference;
    setPixel(candidate, 1, 0, {0, 0, 0, 255});
    const rgba_image_t out = ImageComparison{10, 0.0}.sideBySide(reference, candidate);
    ASSERT_EQ(out.width, 6);
    ASSERT_EQ(out.height, 1);
    const auto pixel = [&out](int x) {
        return std::array<int, 4>{out.pixels[x * 4], out.pixels[x * 4 + 1], out.pixels[x * 4 + 2],
                                  out.pixels[x * 4 + 3]};
    };
    EXPECT_EQ(pixel(0), (std::array<int, 4>{200, 40, 80, 255}));
    EXPECT_EQ(pixel(1), (std::array<int, 4>{200, 40, 80, 255}));
    EXPECT_EQ(pixel(2), (std::array<int, 4>{200, 40, 80, 255}));
    EXPECT_EQ(pixel(3), (std::array<int, 4>{0, 0, 0, 255}));
    // Matching pixels darkened to a quarter, the differing one magenta.
    EXPECT_EQ(pixel(4), (std::array<int, 4>{50, 10, 20, 255}));
    EXPECT_EQ(pixel(5), (std::array<int, 4>{255, 0, 255, 255}));
}

TEST(ImageComparisonTest, SideBySideOfDifferentSizesMarksWhereOnlyOneHasPixels) {
    const rgba_image_t out = ImageComparison{0, 0.0}.sideBySide(filled(1, 1, {9, 9, 9, 255}),
                                                                filled(2, 2, {9, 9, 9, 255}));
    ASSERT_EQ(out.width, 6);
    ASSERT_EQ(out.height, 2);
    // The difference panel starts at x = 4: (0,0) is in both, (1,1) only in the new one.
    EXPECT_EQ(out.pixels[4 * 4], 2); // 9 / 4
    const std::size_t onlyNew = (1 * 6 + 5) * 4;
    EXPECT_EQ(out.pixels[onlyNew], 255);
    EXPECT_EQ(out.pixels[onlyNew + 1], 0);
    EXPECT_EQ(out.pixels[onlyNew + 2], 255);
}

} // namespace
