#include "harness/RenderDocLibrary.hpp"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace ox::harness {

void* RenderDocLibrary::entryPoint() {
    return dlsym(RTLD_DEFAULT, "RENDERDOC_GetAPI");
}

std::string RenderDocLibrary::name() {
    const char* chosen = std::getenv(libraryVariable);
    return chosen != nullptr && *chosen != '\0' ? chosen : defaultLibrary;
}

unsigned long RenderDocLibrary::processId() {
    return static_cast<unsigned long>(getpid());
}

bool RenderDocLibrary::restarted() {
    return std::getenv(restartedVariable) != nullptr;
}

bool RenderDocLibrary::loads(const std::string& library, std::string& error) {
    // The child reports the loader's reason through a pipe; its own output
    // (RenderDoc logs as it starts) goes nowhere.
    int reason[2];
    if (pipe(reason) != 0) {
        error = std::strerror(errno);
        return false;
    }
    const pid_t child = fork();
    if (child < 0) {
        error = std::strerror(errno);
        close(reason[0]);
        close(reason[1]);
        return false;
    }
    if (child == 0) {
        close(reason[0]);
        if (const int null = open("/dev/null", O_WRONLY); null >= 0) {
            dup2(null, STDOUT_FILENO);
            dup2(null, STDERR_FILENO);
        }
        void* handle = dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL);
        const char* text = handle == nullptr ? dlerror()
                           : dlsym(handle, "RENDERDOC_GetAPI") == nullptr
                               ? "it has no RENDERDOC_GetAPI"
                               : "";
        if (text != nullptr && *text != '\0') {
            [[maybe_unused]] const auto written = write(reason[1], text, std::strlen(text));
        }
        _exit(handle != nullptr && text != nullptr && *text == '\0' ? 0 : 1);
    }
    close(reason[1]);
    std::string text;
    char buffer[256];
    for (ssize_t got = 0; (got = read(reason[0], buffer, sizeof buffer)) != 0;) {
        if (got < 0 && errno != EINTR) {
            break;
        }
        text.append(buffer, static_cast<std::size_t>(got > 0 ? got : 0));
    }
    close(reason[0]);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0) {
        return true;
    }
    error = text.empty() ? "it cannot be loaded" : text;
    return false;
}

void RenderDocLibrary::restartWith(const std::string& library, char** argv, std::string& error) {
    const char* others = std::getenv("LD_PRELOAD");
    const std::string preload =
        others != nullptr && *others != '\0' ? library + ":" + others : library;
    if (setenv("LD_PRELOAD", preload.c_str(), 1) != 0 || setenv(restartedVariable, "1", 1) != 0) {
        error = std::strerror(errno);
        return;
    }
    execv("/proc/self/exe", argv);
    error = std::strerror(errno);
}

} // namespace ox::harness
