// Built into every sanitized executable (see ox_target_defaults), next to the
// sanitizer's default options, so that no test program has to remember it.
//
// GLFW unloads the GL library when it terminates, and Mesa's DRI driver goes
// with it. Memory that only the driver's globals pointed to (a realloc under
// the driver's pthread_once, for one) is then reported by LeakSanitizer as
// leaked from an unknown module, which no suppression by library can name;
// whether a stale copy of the pointer happens to hide it depends on the
// machine. This dlclose leaves every DRI driver mapped until the process
// ends, so the leak check always sees the driver's globals, and passes every
// other handle on. The executable exports the symbol (--export-dynamic-symbol),
// so the GL libraries' calls bind to it.

#include <dlfcn.h>
#include <link.h>

#include <string_view>

extern "C" int dlclose(void* handle) {
    link_map* library = nullptr;
    if (dlinfo(handle, RTLD_DI_LINKMAP, &library) == 0 && library != nullptr &&
        library->l_name != nullptr && std::string_view(library->l_name).ends_with("_dri.so")) {
        return 0;
    }
    using close_t = int (*)(void*);
    static const auto next = reinterpret_cast<close_t>(dlsym(RTLD_NEXT, "dlclose"));
    return next(handle);
}
