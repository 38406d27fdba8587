#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>

namespace ox::engine::shader {

// One shader file under watch by a ShaderReloader, with what was seen of it at
// the last look.
struct watched_file_t {
    // As the owner gave it; relative paths are taken from the reloader's base directory.
    std::string path;
    // Status at the last read. Either one differing counts as a change, so a
    // file rewritten twice within one timestamp tick is not missed.
    std::filesystem::file_time_type lastWriteTime{};
    std::uintmax_t size = 0;
    // When the text below was read; the clock's zero point until then.
    std::chrono::system_clock::time_point lastRead{};
    // The text of the last successful read; kept while the file cannot be read.
    std::string contents;
    // Read at the next poll whatever its status says: never read yet, or the
    // last attempt could not get at the file at all.
    bool stale = true;
    // Why the file cannot be used right now; empty while it can. Logged once
    // when it appears, not on every poll.
    std::string failure;
};

} // namespace ox::engine::shader
