#include "harness/RenderDocLibrary.hpp"

#include <cstdlib>
#include <windows.h>

namespace ox::harness {

void* RenderDocLibrary::entryPoint() {
    HMODULE module = GetModuleHandleA("renderdoc.dll");
    return module != nullptr ? reinterpret_cast<void*>(GetProcAddress(module, "RENDERDOC_GetAPI"))
                             : nullptr;
}

std::string RenderDocLibrary::name() {
    const char* chosen = std::getenv(libraryVariable);
    return chosen != nullptr && *chosen != '\0' ? chosen : defaultLibrary;
}

bool RenderDocLibrary::restarted() {
    return false;
}

unsigned long RenderDocLibrary::processId() {
    return GetCurrentProcessId();
}

bool RenderDocLibrary::loads(const std::string& library, std::string& error) {
    // Found without running its start-up code; restartWith loads it for real.
    HMODULE module = LoadLibraryExA(library.c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES);
    if (module == nullptr) {
        error = "error " + std::to_string(GetLastError());
        return false;
    }
    FreeLibrary(module);
    return true;
}

void RenderDocLibrary::restartWith(const std::string& library, char**, std::string& error) {
    // No preload is needed here: loaded before the first GL context, the
    // library hooks it. Kept loaded for the life of the process.
    if (LoadLibraryA(library.c_str()) == nullptr) {
        error = "error " + std::to_string(GetLastError());
    }
}

} // namespace ox::harness
