#include "image/PngFile.hpp"
#include "support/ReadFile.hpp"
#include "support/TempDir.hpp"

#include <gtest/gtest.h>

#include <fstream>

namespace {

using ox::image::PngFile;
using ox::image::rgba_image_t;

rgba_image_t gradient() {
    rgba_image_t image{3, 2, {}};
    for (int i = 0; i < 6; ++i) {
        image.pixels.insert(image.pixels.end(), {static_cast<std::uint8_t>(40 * i), 7,
                                                 static_cast<std::uint8_t>(250 - i),
                                                 static_cast<std::uint8_t>(i == 5 ? 128 : 255)});
    }
    return image;
}

TEST(PngFileTest, WritesWhatItReadsBackAndTheSameBytesEveryTime) {
    ox::test::TempDir dir;
    std::string error;
    ASSERT_TRUE(PngFile::write(dir / "a.png", gradient(), error)) << error;
    ASSERT_TRUE(PngFile::write(dir / "b.png", gradient(), error)) << error;
    const auto read = PngFile::read(dir / "a.png", error);
    ASSERT_TRUE(read) << error;
    EXPECT_EQ(read->width, 3);
    EXPECT_EQ(read->height, 2);
    EXPECT_EQ(read->pixels, gradient().pixels);
    EXPECT_EQ(ox::test::readFile(dir / "a.png"), ox::test::readFile(dir / "b.png"));
    // The PNG signature: a real PNG, not some other format.
    EXPECT_EQ(ox::test::readFile(dir / "a.png").substr(1, 3), "PNG");
}

TEST(PngFileTest, FailuresComeBackAsAReasonNamingTheFile) {
    ox::test::TempDir dir;
    std::ofstream(dir / "text.png") << "not a picture\n";
    std::string error;
    EXPECT_FALSE(PngFile::read(dir / "text.png", error));
    EXPECT_NE(error.find("text.png: "), std::string::npos) << error;
    EXPECT_FALSE(PngFile::read(dir / "missing.png", error));
    EXPECT_NE(error.find("missing.png: "), std::string::npos) << error;

    // A directory that cannot exist, even for root: its parent is a file.
    EXPECT_FALSE(PngFile::write(dir / "text.png" / "out.png", gradient(), error));
    EXPECT_NE(error.find("out.png: "), std::string::npos) << error;
    rgba_image_t short_ = gradient();
    short_.pixels.pop_back();
    EXPECT_FALSE(PngFile::write(dir / "short.png", short_, error));
    EXPECT_EQ(error, (dir / "short.png").string() + ": no picture to write");
    EXPECT_FALSE(std::filesystem::exists(dir / "short.png"));
}

} // namespace
