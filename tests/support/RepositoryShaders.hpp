#pragma once

#include "support/WriteFile.hpp"

#include <filesystem>

#ifndef OX_SHADERS_DIR
#error "Define OX_SHADERS_DIR as the repository's shaders/ folder for this test"
#endif

namespace ox::test {

// The repository's shaders/ folder.
inline std::filesystem::path repositoryShaders() {
    return OX_SHADERS_DIR;
}

// Copies the repository's shader files into `dir`/shaders, where the meshes
// look for them when `dir` is the working directory, each with a new write time.
inline void copyRepositoryShaders(const std::filesystem::path& dir) {
    const auto target = dir / "shaders";
    std::filesystem::create_directories(target);
    for (const auto& entry : std::filesystem::directory_iterator(repositoryShaders())) {
        const auto copy = target / entry.path().filename();
        std::filesystem::copy_file(entry.path(), copy,
                                   std::filesystem::copy_options::overwrite_existing);
        stampNewWriteTime(copy);
    }
}

} // namespace ox::test
