#pragma once

#include "app/run_options_t.hpp"

#include <span>
#include <string>
#include <string_view>

namespace ox::app {

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
    // The text --help prints, ending with a newline.
    static const char* usage();
};

} // namespace ox::app
