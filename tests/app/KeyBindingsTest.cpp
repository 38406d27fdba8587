#include "app/key_bindings.hpp"
#include "support/ReadFile.hpp"

#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

// The first column of the table under "## Controls" in the README.
std::vector<std::string> readmeControls(const std::string& readme) {
    std::istringstream lines(readme.substr(readme.find("\n## Controls\n") + 1));
    std::vector<std::string> inputs;
    std::string line;
    std::getline(lines, line); // the heading
    bool inTable = false;
    while (std::getline(lines, line) && !line.starts_with("## ")) {
        if (!line.starts_with("|")) {
            if (inTable) {
                break;
            }
            continue;
        }
        inTable = true;
        const std::string input = line.substr(2, line.find(" |", 1) - 2);
        if (input != "input" && !line.starts_with("|---")) {
            inputs.push_back(input);
        }
    }
    return inputs;
}

TEST(KeyBindingsTest, TheReadmeListsTheControlsOfTheBindingTableInItsOrder) {
    const std::string readme = ox::test::readFile(OX_SOURCE_DIR "/README.md");
    std::vector<std::string> bound;
    for (const auto& row : ox::app::controlRows()) {
        bound.push_back(ox::app::controlInput(row));
    }
    EXPECT_EQ(readmeControls(readme), bound);
    // The demo's own keys, as the program has always read them.
    EXPECT_EQ(bound.front(), "W / S held");
    EXPECT_EQ(bound.back(), "Escape");
}

TEST(KeyBindingsTest, EveryKeyDoesOneThing) {
    std::set<ox::renderer::EInputKey> keys;
    std::size_t bindings = 0;
    for (const auto& row : ox::app::controlRows()) {
        for (std::uint8_t i = 0; i < row.keyCount; ++i) {
            keys.insert(row.keys[i].key);
            ++bindings;
        }
    }
    EXPECT_EQ(keys.size(), bindings);
    EXPECT_FALSE(keys.contains(ox::renderer::EInputKey::Unknown));
}

} // namespace
