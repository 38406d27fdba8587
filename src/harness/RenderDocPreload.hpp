#pragma once

#include <optional>
#include <span>
#include <string_view>

namespace ox::harness {

// The first step of a program whose command line asks for RenderDoc
// (--renderdoc, --renderdoc-frames): RenderDoc hooks GL only when it is in
// the process before the GL libraries are, so a program started without it
// starts itself again with the library preloaded. Call it from the entry
// function before anything else, with the untouched argv.
class RenderDocPreload {
public:
    // Empty when the program goes on in this process: no option asks for
    // RenderDoc, the command line is for launch() to refuse, or RenderDoc is
    // here already. Otherwise the exit code after one line on standard error:
    // 2 when the library is not installed or the restart failed.
    static std::optional<int> arrange(std::string_view name,
                                      std::span<const std::string_view> arguments, char** argv);
};

} // namespace ox::harness
