#pragma once

#include "harness/run_options_t.hpp"

#include <span>
#include <string>
#include <string_view>

namespace ox::harness {

// The program's command line: `--name value` or `--name=value` options, all
// optional. Parsing touches no file and opens nothing.
struct CommandLine {
    enum class EOutcome { Run, Help, Error };

    EOutcome outcome = EOutcome::Run;
    run_options_t options;
    // One line saying what is wrong, when the outcome is Error.
    std::string error;

    // `arguments` excludes the program name.
    static CommandLine parse(std::span<const std::string_view> arguments);
    // The text --help prints for `program`, ending with a newline.
    static std::string usage(std::string_view program);
};

} // namespace ox::harness
