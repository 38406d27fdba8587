#pragma once

#include <dlfcn.h>
#include <link.h>

#include <string>
#include <string_view>
#include <vector>

namespace ox::test {

// GLFW unloads the GL library when it terminates, and Mesa's DRI driver goes
// with it. Memory that only the driver's globals referenced is then reported as
// leaked from an unknown module, which no suppression by library can name.
// Keeping every loaded DRI driver mapped until exit lets LeakSanitizer see the
// driver's globals again. Call it while a GL context exists.
inline void keepGlDriversLoaded() {
    std::vector<std::string> drivers;
    dl_iterate_phdr(
        [](dl_phdr_info* info, std::size_t, void* found) {
            const std::string_view name = info->dlpi_name != nullptr ? info->dlpi_name : "";
            if (name.ends_with("_dri.so")) {
                static_cast<std::vector<std::string>*>(found)->emplace_back(name);
            }
            return 0;
        },
        &drivers);
    for (const auto& driver : drivers) {
        // The handle is deliberately never closed.
        dlopen(driver.c_str(), RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
    }
}

} // namespace ox::test
