#include "harness/Launch.hpp"

#include "harness/CommandLine.hpp"
#include "harness/FrameCapture.hpp"
#include "harness/InputScript.hpp"
#include "harness/RunHarness.hpp"

#include <cstdio>
#include <optional>
#include <string>

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
    if (options.captureDir) {
        std::string error;
        if (!FrameCapture::prepareDirectory(*options.captureDir, error)) {
            return refuse("--capture " + error);
        }
    }
    RunHarness harness(options, std::move(input));
    return program(harness.controls());
}

} // namespace ox::harness
