#include "harness/Launch.hpp"

#include "harness/CommandLine.hpp"
#include "harness/InputScript.hpp"
#include "harness/RunObservers.hpp"

#include <cstdio>
#include <optional>
#include <string>
#include <utility>

namespace ox::harness {

int launch(std::string_view name, std::span<const std::string_view> arguments,
           const program_t& program) {
    const CommandLine commandLine = CommandLine::parse(arguments);
    const auto refuse = [name](const std::string& reason) {
        std::fprintf(stderr, "%.*s: %s\n", static_cast<int>(name.size()), name.data(),
                     reason.c_str());
        return 2;
    };
    switch (commandLine.outcome) {
    case CommandLine::EOutcome::Help:
        std::fputs(CommandLine::usage(name).c_str(), stdout);
        return 0;
    case CommandLine::EOutcome::Error:
        return refuse(commandLine.error);
    case CommandLine::EOutcome::Run:
        break;
    }
    const run_options_t& options = commandLine.options;
    std::optional<InputScript> input;
    if (options.inputFile) {
        std::string error;
        input = InputScript::load(*options.inputFile, error);
        if (!input) {
            return refuse("--input " + error);
        }
    }
    // The outputs are only checked here: they are created once the program
    // has started, so a start that fails leaves them as they were.
    RunObservers run(options, std::move(input));
    if (std::string error; !run.outputs().check(error)) {
        return refuse(error);
    }
    const app::frame_loop_controls_t controls = run.controls();
    return program(controls);
}

} // namespace ox::harness
