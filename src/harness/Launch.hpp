#pragma once

#include "app/frame_loop_controls_t.hpp"

#include <functional>
#include <span>
#include <string_view>

namespace ox::harness {

// Runs a program with the frame loop's controls and returns its exit code.
using program_t = std::function<int(const app::frame_loop_controls_t& controls)>;

// A program from its command line (without the program name): --help prints
// the options and returns 0; a bad option or value, an unreadable or
// malformed input file, an output (--stats, --record, a capture) that is the
// same file as the input, the log file or another output, an output that
// cannot be written or an unusable capture directory prints one line,
// "`name`: reason", to standard error and returns 2 before anything is logged
// and without touching a file. Otherwise runs `program` under a harness built
// from the options; the output files are created only once its renderer has
// started.
int launch(std::string_view name, std::span<const std::string_view> arguments,
           const program_t& program);

} // namespace ox::harness
