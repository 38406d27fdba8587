#pragma once

#include <array>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace ox::harness {

// A file a run writes as it goes (--stats, --record). Its path is checked
// before the window opens, without touching what is there, so that a path
// that cannot be written is refused at start; the file itself is created only
// once the run has started (RunOutputs sees to both), so a refused or failed
// start leaves an older file as it was. It collects what is written in a large buffer of its own,
// so that a line costs no system call. The first failure is kept, later writes are dropped, and
// close() reports it naming the file. Main thread only.
class OutputFile {
public:
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Whether open() can be expected to succeed: not a directory, and either
    // a file that may be written or a new name in a folder that takes new
    // files. Reads only; false with a one-line reason in `error`.
    static bool check(const std::filesystem::path& path, std::string& error);
    // The same for a folder the run would create and write files into: a
    // writable folder, or a name whose nearest existing parent is one.
    static bool checkFolder(const std::filesystem::path& path, std::string& error);
    // Creates the folder and its parents if needed; false with a one-line
    // reason in `error`.
    static bool createFolder(const std::filesystem::path& path, std::string& error);
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
