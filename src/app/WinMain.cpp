#include "app/Application.hpp"
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
    return ox::app::launchApplication(views);
}
