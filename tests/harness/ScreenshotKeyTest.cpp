#include "harness/ScreenshotKey.hpp"
#include "support/ReadFile.hpp"
#include "support/TempDir.hpp"

#include <gtest/gtest.h>

#include <fstream>

namespace {

using ox::harness::ScreenshotKey;

// Screenshots number on from the highest already in the folder, whatever
// else lies there, past names another program takes meanwhile, and never
// replace a file: when the numbers run out there is no screenshot.
TEST(ScreenshotKeyTest, NumbersOnFromTheFilesAlreadyThereAndNeverReplacesOne) {
    const std::string last = "vexel-18446744073709551615.png";
    const struct {
        std::vector<std::string> present;
        // Created between the look at the folder and the screenshot's file.
        std::vector<std::string> meanwhile;
        std::string next; // empty: none
    } cases[] = {
        {{}, {}, "vexel-1.png"},
        {{"vexel-1.png"}, {}, "vexel-2.png"},
        {{"vexel-1.png", "vexel-9.png", "vexel-10.png"}, {}, "vexel-11.png"},
        {{"vexel-3.png", "vexel-x.png", "vexel-.png", "vexel-40.jpg", "other-50.png",
          "vexel-7.png.bak", "vexel--8.png", "vexel-18446744073709551616.png"},
         {},
         "vexel-4.png"},
        {{"vexel-1.png"}, {"vexel-2.png", "vexel-3.png"}, "vexel-4.png"},
        {{last}, {}, ""},
        {{"vexel-18446744073709551614.png"}, {last}, ""},
    };
    for (const auto& c : cases) {
        ox::test::TempDir dir;
        for (const auto& name : c.present) {
            std::ofstream(dir / name) << "x";
        }
        const std::uint64_t highest = ScreenshotKey::highestNumber(dir.path());
        for (const auto& name : c.meanwhile) {
            std::ofstream(dir / name) << "x";
        }
        std::string error;
        const auto file = ScreenshotKey::createAfter(dir.path(), highest, error);
        if (c.next.empty()) {
            EXPECT_FALSE(file) << *file;
            EXPECT_EQ(error, "no number is left after '" + (dir / last).string() + "'.");
            EXPECT_FALSE(std::filesystem::exists(dir / "vexel-0.png"));
        } else {
            EXPECT_EQ(file, dir / c.next) << error;
        }
        for (const auto& names : {c.present, c.meanwhile}) {
            for (const auto& name : names) {
                EXPECT_EQ(ox::test::readFile(dir / name), "x") << name;
            }
        }
    }
    EXPECT_EQ(ScreenshotKey::highestNumber("/nonexistent/folder"), 0u);
}

} // namespace
