#include "harness/RenderDocPreload.hpp"

#include "harness/CommandLine.hpp"
#include "harness/RenderDocLibrary.hpp"

#include <fmt/format.h>

#include <cstdio>
#include <string>

namespace ox::harness {

std::optional<int> RenderDocPreload::arrange(std::string_view name,
                                             std::span<const std::string_view> arguments,
                                             char** argv) {
    const CommandLine commandLine = CommandLine::parse(arguments);
    if (commandLine.outcome != CommandLine::EOutcome::Run || !commandLine.options.renderdoc ||
        RenderDocLibrary::entryPoint() != nullptr) {
        return std::nullopt;
    }
    const char* option =
        commandLine.options.renderdocFrames.empty() ? "--renderdoc" : "--renderdoc-frames";
    const auto refuse = [&](const std::string& reason) {
        std::fputs(fmt::format("{}: {} {}\n", name, option, reason).c_str(), stderr);
        return 2;
    };
    const std::string library = RenderDocLibrary::name();
    std::string error;
    if (!RenderDocLibrary::loads(library, error)) {
        return refuse(fmt::format("needs RenderDoc: '{}' cannot be loaded ({}); install the "
                                  "package {}",
                                  library, error, RenderDocLibrary::package));
    }
    // Restarted with the library preloaded and still without it: the loader
    // would not take it, and restarting again would loop.
    if (RenderDocLibrary::restarted()) {
        return refuse(
            fmt::format("needs RenderDoc: '{}' was preloaded but is not in the process", library));
    }
    RenderDocLibrary::restartWith(library, argv, error);
    if (error.empty() && RenderDocLibrary::entryPoint() != nullptr) {
        return std::nullopt;
    }
    return refuse(fmt::format("needs RenderDoc: the restart with '{}' preloaded failed ({})",
                              library, error));
}

} // namespace ox::harness
