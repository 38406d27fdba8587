#include "renderer/opengl/gl_entry_points.hpp"
#include "support/ReadFile.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace {

bool isIdentifierCharacter(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_';
}

// Every identifier of the form glXxx in `text` (std::regex is far too slow for
// a sanitized build reading every source file).
std::set<std::string> glIdentifiers(const std::string& text) {
    std::set<std::string> found;
    for (std::size_t at = text.find("gl"); at != std::string::npos; at = text.find("gl", at + 2)) {
        if ((at > 0 && isIdentifierCharacter(text[at - 1])) || at + 2 >= text.size() ||
            std::isupper(static_cast<unsigned char>(text[at + 2])) == 0) {
            continue;
        }
        std::size_t end = at + 2;
        while (end < text.size() && isIdentifierCharacter(text[end])) {
            ++end;
        }
        found.insert(text.substr(at, end - at));
    }
    return found;
}

// Where GLEW is built for GLX, its result under an EGL context cannot say
// whether the GL entry points are there, and the headless start-up checks
// the listed ones itself. A call to a GLEW function that the list lacks would
// pass that check and then jump through a null pointer on a driver without
// it; a listed function nobody calls would fail start-ups for nothing.
TEST(GlEntryPointsTest, TheListHoldsExactlyTheGlewFunctionsTheSourcesCall) {
    // GLEW's loaded functions, "#define glName GLEW_GET_FUN(__glewName)".
    std::set<std::string> glew;
    const std::string header = ox::test::readFile(OX_GLEW_HEADER);
    const std::string define = "#define ";
    for (std::size_t at = header.find(define + "gl"); at != std::string::npos;
         at = header.find(define + "gl", at + 1)) {
        const std::size_t name = at + define.size();
        const std::size_t space = header.find(' ', name);
        if (space != std::string::npos && header.compare(space, 14, " GLEW_GET_FUN(") == 0) {
            glew.insert(header.substr(name, space - name));
        }
    }
    ASSERT_GT(glew.size(), 1000u) << "no GLEW function found in " OX_GLEW_HEADER;

    std::set<std::string> called;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(
             std::filesystem::path(OX_SOURCE_DIR) / "src")) {
        const auto extension = entry.path().extension();
        if ((extension != ".cpp" && extension != ".hpp") ||
            entry.path().stem() == "gl_entry_points") {
            continue;
        }
        for (const std::string& name : glIdentifiers(ox::test::readFile(entry.path()))) {
            if (glew.contains(name)) {
                called.insert(name);
            }
        }
    }

    std::set<std::string> listed;
    for (const auto& entry : ox::renderer::opengl::glEntryPoints()) {
        listed.emplace(entry.name);
    }
    std::vector<std::string> unlisted;
    std::set_difference(called.begin(), called.end(), listed.begin(), listed.end(),
                        std::back_inserter(unlisted));
    std::vector<std::string> uncalled;
    std::set_difference(listed.begin(), listed.end(), called.begin(), called.end(),
                        std::back_inserter(uncalled));
    EXPECT_TRUE(unlisted.empty()) << "called, not listed: " << ::testing::PrintToString(unlisted);
    EXPECT_TRUE(uncalled.empty()) << "listed, not called: " << ::testing::PrintToString(uncalled);
    EXPECT_GT(listed.size(), 40u);
}

} // namespace
