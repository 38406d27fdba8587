#pragma once

#include "app/InputScript.hpp"
#include "app/run_options_t.hpp"

#include <span>
#include <string_view>

namespace ox::app {

// The program: builds the logging, renderer and scene contexts in order, runs
// the frame loop and releases everything in reverse order. Returns the process
// exit code: 0 after a normal end, 1 when a start-up stage failed.
// `options` come from a checked command line: a capture directory must
// already exist and be writable, and `input` (not owned, may be null) is the
// loaded script of `options.inputFile`.
int runApplication(const run_options_t& options = {}, InputScript* input = nullptr);

// The program from its command line (without the program name): --help
// prints the options and returns 0; a bad option or value, an unreadable or
// malformed input file or an unusable capture directory prints one line to
// standard error and returns 2 before anything is logged or opened.
int launchApplication(std::span<const std::string_view> arguments);

} // namespace ox::app
