// A stand-in for RenderDoc's library, named to the program through
// VEXEL_RENDERDOC_LIBRARY: it writes one line into the file that
// OX_RENDERDOC_STUB_MARKER names each time a process loads it, and offers an
// API that refuses every version, as no RenderDoc would.
#include <cstdio>
#include <cstdlib>

namespace {

__attribute__((constructor)) void markLoaded() {
    const char* marker = std::getenv("OX_RENDERDOC_STUB_MARKER");
    if (marker == nullptr) {
        return;
    }
    if (std::FILE* file = std::fopen(marker, "a")) {
        std::fputs(std::getenv("VEXEL_RENDERDOC_RESTARTED") != nullptr ? "loaded, restart marked\n"
                                                                       : "loaded\n",
                   file);
        std::fclose(file);
    }
}

} // namespace

extern "C" __attribute__((visibility("default"))) int RENDERDOC_GetAPI(int, void** api) {
    *api = nullptr;
    return 0;
}
