#include "platform/Utf8Path.hpp"
#include "platform/FileAccess.hpp"

#include "support/TempDir.hpp"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

namespace {

// A file made under a UTF-8 name is found under the same name when its folder
// is listed: nothing was lost to a code page on the way in or out.
TEST(Utf8PathTest, NamesWithAnyCharactersSurviveARoundTripThroughTheFileSystem) {
    const std::string names[] = {
        "plain.csv",
        "with space.csv",
        "gr\xc3\xbc\xc3\x9f"
        "e.csv",                                                // grüße: Latin-1 range
        "\xce\xba\xce\xb1\xce\xbc\xce\xad\xcf\x81\xce\xb1.csv", // καμέρα: Greek
        "\xe6\x97\xa5\xe6\x9c\xac.csv", // 日本: outside every Western code page
        "\xf0\x9f\x8e\xa5.csv",         // 🎥: beyond 16 bits, a surrogate pair
    };
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        const ox::test::TempDir dir;
        const std::filesystem::path file = dir.path() / ox::platform::pathFromUtf8(name);
        EXPECT_EQ(ox::platform::utf8FromPath(file.filename()), name);
        std::FILE* stream = ox::platform::openFile(file, "w");
        ASSERT_NE(stream, nullptr);
        std::fclose(stream);
        std::string listed;
        for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
            listed = ox::platform::utf8FromPath(entry.path().filename());
        }
        EXPECT_EQ(listed, name);
    }
}

} // namespace
