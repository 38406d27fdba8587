#include "platform/ProcessArguments.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The command line as Windows gives it, split as the C runtime splits it
// (quotes group, backslashes stay unless they escape a quote) and turned
// into UTF-8; the program's own name is left out.
TEST(ProcessArgumentsTest, TheCommandLineSplitsIntoUtf8Arguments) {
    struct row_t {
        const wchar_t* commandLine;
        std::vector<std::string> arguments;
    };
    const row_t rows[] = {
        {L"vexel.exe", {}},
        {L"\"C:\\Program Files\\Vexel\\vexel.exe\" --frames 3", {"--frames", "3"}},
        {L"vexel.exe --stats \"C:\\my runs\\stats.csv\" --fixed-dt=0.016",
         {"--stats", "C:\\my runs\\stats.csv", "--fixed-dt=0.016"}},
        {L"vexel.exe --record gr\u00fc\u00dfe.input",
         {"--record", "gr\xc3\xbc\xc3\x9f"
                      "e.input"}},
        {L"vexel.exe --capture \u65e5\u672c\\\U0001F3A5",
         {"--capture", "\xe6\x97\xa5\xe6\x9c\xac\\\xf0\x9f\x8e\xa5"}},
        {L"vexel.exe \"say \\\"hi\\\"\" a\\\\b", {"say \"hi\"", "a\\\\b"}},
    };
    for (const row_t& row : rows) {
        EXPECT_EQ(ox::platform::splitCommandLine(row.commandLine), row.arguments);
    }
}

} // namespace
