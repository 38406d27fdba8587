#include "platform/ProcessArguments.hpp"

// windows.h first: shellapi.h builds on its declarations.
#include <windows.h>

#include <shellapi.h>

#include <cstdio>
#include <cwchar>

namespace ox::platform {

namespace {

std::string utf8FromWide(const wchar_t* text) {
    const int length = static_cast<int>(std::wcslen(text));
    if (length == 0) {
        return {};
    }
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, length, result.data(), size, nullptr, nullptr);
    return result;
}

bool leadsSomewhere(HANDLE handle) {
    return handle != nullptr && handle != INVALID_HANDLE_VALUE &&
           GetFileType(handle) != FILE_TYPE_UNKNOWN;
}

} // namespace

std::vector<std::string> splitCommandLine(const wchar_t* commandLine) {
    std::vector<std::string> arguments;
    int count = 0;
    wchar_t** words = CommandLineToArgvW(commandLine, &count);
    if (words == nullptr) {
        return arguments;
    }
    for (int index = 1; index < count; ++index) {
        arguments.push_back(utf8FromWide(words[index]));
    }
    LocalFree(words);
    return arguments;
}

std::vector<std::string> processArguments() {
    return splitCommandLine(GetCommandLineW());
}

void attachParentConsole() {
    const bool outputGiven = leadsSomewhere(GetStdHandle(STD_OUTPUT_HANDLE));
    const bool errorGiven = leadsSomewhere(GetStdHandle(STD_ERROR_HANDLE));
    if ((outputGiven && errorGiven) || !AttachConsole(ATTACH_PARENT_PROCESS)) {
        return;
    }
    if (!outputGiven && std::freopen("CONOUT$", "w", stdout) != nullptr) {
        std::setvbuf(stdout, nullptr, _IONBF, 0);
    }
    if (!errorGiven && std::freopen("CONOUT$", "w", stderr) != nullptr) {
        std::setvbuf(stderr, nullptr, _IONBF, 0);
    }
}

} // namespace ox::platform
