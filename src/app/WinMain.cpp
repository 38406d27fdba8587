#include "app/Application.hpp"
#include "harness/RenderDocPreload.hpp"
#include "platform/ProcessArguments.hpp"

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

// The GUI entry function; its arguments carry nothing the options need (the
// narrow command line would lose every character outside the ANSI code page).
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    ox::platform::attachParentConsole();
    const std::vector<std::string> arguments = ox::platform::processArguments();
    const std::vector<std::string_view> views(arguments.begin(), arguments.end());
    // Before anything else, as on Linux; here loading the library before the
    // first context is all it takes, so there is no restart and no argv.
    if (const auto exitCode = ox::harness::RenderDocPreload::arrange("vexel", views, nullptr)) {
        return *exitCode;
    }
    return ox::app::launchApplication(views);
}
