#pragma once

#include <array>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace ox::harness {

// A file a run writes as it goes (--stats, --record). It is opened before the
// first frame, so that a path that cannot be written is refused at start,
// and collects what is written in a large buffer of its own, so that a line
// costs no system call. The first failure is kept, later writes are dropped,
// and close() reports it naming the file. Main thread only.
class OutputFile {
public:
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Creates or empties the file; nothing, with a one-line reason in
    // `error`, when it cannot be written.
    static std::unique_ptr<OutputFile> open(const std::filesystem::path& path, std::string& error);

    // False once a write has failed, this one or an earlier one.
    bool write(std::string_view text);
    // Writes what is buffered and closes the file; false with the reason in
    // `error` when anything could not be written. A second close does nothing.
    bool close(std::string& error);

    const std::filesystem::path& path() const { return file; }

private:
    OutputFile(std::filesystem::path path, std::FILE* stream);

    std::filesystem::path file;
    std::FILE* stream = nullptr;
    std::string failure;
    std::unique_ptr<std::array<char, 1 << 16>> buffer;
};

} // namespace ox::harness
