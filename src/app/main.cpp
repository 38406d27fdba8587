#include "app/Application.hpp"
#include "harness/RenderDocPreload.hpp"

#include <string_view>
#include <vector>

int main(int argc, char** argv) {
    const std::vector<std::string_view> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    // Before anything else: a restart with RenderDoc preloaded must not
    // follow a log already begun or a file already written.
    if (const auto exitCode = ox::harness::RenderDocPreload::arrange("vexel", arguments, argv)) {
        return *exitCode;
    }
    return ox::app::launchApplication(arguments);
}
