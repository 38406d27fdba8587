#pragma once

#include <filesystem>

namespace ox::test {

// Makes `path` the process's current directory for the lifetime of the
// object and restores the previous one afterwards.
class CurrentDirectory {
public:
    explicit CurrentDirectory(const std::filesystem::path& path)
        : previous(std::filesystem::current_path()) {
        std::filesystem::current_path(path);
    }
    ~CurrentDirectory() {
        std::error_code ignored;
        std::filesystem::current_path(previous, ignored);
    }
    CurrentDirectory(const CurrentDirectory&) = delete;
    CurrentDirectory& operator=(const CurrentDirectory&) = delete;

private:
    std::filesystem::path previous;
};

} // namespace ox::test
