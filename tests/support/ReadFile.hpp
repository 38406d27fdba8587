#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace ox::test {

// How a file written in text mode ends its lines on this system: the C
// runtime turns "\n" into "\r\n" on Windows.
#ifdef _WIN32
inline const std::string textLineEnd = "\r\n";
#else
inline const std::string textLineEnd = "\n";
#endif

// The whole content of a file, byte for byte; empty when it cannot be read.
inline std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    return content.str();
}

} // namespace ox::test
