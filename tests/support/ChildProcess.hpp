#pragma once

#include <chrono>
#include <csignal>
#include <filesystem>
#include <optional>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <utility>
#include <vector>

namespace ox::test {

// A program started in its own working directory, with extra environment
// settings and arguments, and reaped (killed if still running) when the
// object goes away.
class ChildProcess {
public:
    ChildProcess(const std::string& program, const std::filesystem::path& workingDir,
                 std::vector<std::pair<std::string, std::optional<std::string>>> environment = {},
                 std::vector<std::string> arguments = {}) {
        // Built before the fork, so the child allocates nothing for them.
        std::vector<char*> argv{const_cast<char*>(program.c_str())};
        for (auto& argument : arguments) {
            argv.push_back(argument.data());
        }
        argv.push_back(nullptr);
        pid = fork();
        if (pid == 0) {
            for (const auto& [name, value] : environment) {
                if (value) {
                    setenv(name.c_str(), value->c_str(), 1);
                } else {
                    unsetenv(name.c_str());
                }
            }
            if (chdir(workingDir.c_str()) != 0) {
                _exit(127);
            }
            execv(program.c_str(), argv.data());
            _exit(127);
        }
    }
    ~ChildProcess() {
        if (pid > 0 && !exitCode) {
            kill(pid, SIGKILL);
            int status = 0;
            waitpid(pid, &status, 0);
        }
    }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t id() const { return pid; }

    // Exit code once the process has ended (-1 when killed by a signal), or
    // empty if it is still running after the timeout.
    std::optional<int> waitFor(std::chrono::milliseconds timeout) {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while (!exitCode) {
            int status = 0;
            const pid_t done = waitpid(pid, &status, WNOHANG);
            if (done == pid) {
                exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
                break;
            }
            if (std::chrono::steady_clock::now() >= deadline) {
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return exitCode;
    }

private:
    pid_t pid = -1;
    std::optional<int> exitCode;
};

// Runs a shell command and returns what it printed on standard output,
// without the trailing line feed.
inline std::string commandOutput(const std::string& command) {
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[256];
        while (fgets(buffer, sizeof buffer, pipe) != nullptr) {
            output += buffer;
        }
        pclose(pipe);
    }
    while (!output.empty() && (output.back() == '\n' || output.back() == '\r')) {
        output.pop_back();
    }
    return output;
}

} // namespace ox::test
