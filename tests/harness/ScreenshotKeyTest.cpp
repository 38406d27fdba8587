#include "harness/ScreenshotKey.hpp"
#include "support/TempDir.hpp"

#include <gtest/gtest.h>

#include <fstream>

namespace {

// Screenshots number on from the highest already in the folder, whatever
// else lies there.
TEST(ScreenshotKeyTest, NumbersOnFromTheFilesAlreadyThere) {
    const struct {
        std::vector<std::string> present;
        const char* next;
    } cases[] = {
        {{}, "vexel-1.png"},
        {{"vexel-1.png"}, "vexel-2.png"},
        {{"vexel-1.png", "vexel-9.png", "vexel-10.png"}, "vexel-11.png"},
        {{"vexel-3.png", "vexel-x.png", "vexel-.png", "vexel-40.jpg", "other-50.png",
          "vexel-7.png.bak", "vexel--8.png"},
         "vexel-4.png"},
    };
    for (const auto& c : cases) {
        ox::test::TempDir dir;
        for (const auto& name : c.present) {
            std::ofstream(dir / name) << "x";
        }
        EXPECT_EQ(ox::harness::ScreenshotKey::nextFile(dir.path()), dir / c.next) << c.next;
    }
    EXPECT_EQ(ox::harness::ScreenshotKey::nextFile("/nonexistent/folder"),
              std::filesystem::path("/nonexistent/folder/vexel-1.png"));
}

} // namespace
