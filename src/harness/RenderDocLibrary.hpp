#pragma once

#include <string>

namespace ox::harness {

// Where RenderDoc's library comes from, and the process-level steps that put
// it into the program: all the system calls behind RenderDoc in one place,
// one source file per operating system. Used at start-up, before any other
// thread or library of the program runs.
class RenderDocLibrary {
public:
    // Names the library to preload instead of the system's (a path or a
    // name the loader finds); the package's library when unset.
    static constexpr const char* libraryVariable = "VEXEL_RENDERDOC_LIBRARY";
    // Set in the environment of the program restarted with the library
    // preloaded, so that a preload that did not take cannot restart it again.
    static constexpr const char* restartedVariable = "VEXEL_RENDERDOC_RESTARTED";
#ifdef _WIN32
    static constexpr const char* defaultLibrary = "renderdoc.dll";
#else
    static constexpr const char* defaultLibrary = "librenderdoc.so";
#endif
    static constexpr const char* package = "librenderdoc";

    // RENDERDOC_GetAPI of a RenderDoc already in the process; null when there
    // is none. Loads nothing.
    static void* entryPoint();
    // The library to preload: the variable's value, or the default.
    static std::string name();
    // Whether this process was restarted to preload the library.
    static bool restarted();
    // Whether `library` loads and offers the API, tried in a short-lived
    // child process so this one stays as it is. False with the loader's
    // reason in `error`.
    static bool loads(const std::string& library, std::string& error);
    // Starts this program again, with the same arguments, `library` first in
    // LD_PRELOAD and the restart marked. Returns only on failure, with the
    // reason in `error`. On Windows, where RenderDoc hooks GL whenever it is
    // loaded before the first context, it loads the library into this
    // process instead and returns with `error` empty.
    static void restartWith(const std::string& library, char** argv, std::string& error);
    // This process's number, for naming its files.
    static unsigned long processId();
};

} // namespace ox::harness
