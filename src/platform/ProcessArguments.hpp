#pragma once

#include <string>
#include <vector>

namespace ox::platform {

// Windows only. A GUI program's entry function gets no usable arguments: the
// options come from the process's UTF-16 command line, here split the way
// the C runtime splits it and turned into UTF-8, so paths with any
// characters reach the options as written.

// The arguments of `commandLine` after the program's name.
std::vector<std::string> splitCommandLine(const wchar_t* commandLine);
// The arguments of this process's command line after the program's name.
std::vector<std::string> processArguments();

// A GUI program has no console: started from a terminal, its output would be
// lost. This sends standard output and error to the console of the process
// that started it, where the parent gave no other place (a file, a pipe);
// without such a console, nothing changes.
void attachParentConsole();

} // namespace ox::platform
