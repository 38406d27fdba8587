#pragma once

#include "support/ReadFile.hpp"

#include <filesystem>
#include <map>
#include <string>

namespace ox::test {

// Every file and folder under `dir` by relative path, files with their
// bytes: two snapshots are equal when nothing there was created, removed or
// changed.
inline std::map<std::string, std::string> snapshot(const std::filesystem::path& dir) {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(dir)) {
        files[std::filesystem::relative(entry.path(), dir).string()] =
            entry.is_regular_file() ? readFile(entry.path()) : "(not a file)";
    }
    return files;
}

} // namespace ox::test
