#include "platform/StopRequests.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#ifdef _WIN32
#include <windows.h>
#else
#include <csignal>
#endif

namespace {

// What a terminal sends for "stop": SIGINT and SIGTERM; Ctrl+C on Windows,
// delivered by the console on a thread of its own.
struct request_t {
    const char* name;
    int code;
};

#ifdef _WIN32
// Wine's GenerateConsoleCtrlEvent sends no Ctrl+Break, so only Ctrl+C is
// proven here.
const request_t requests[] = {{"Ctrl+C", CTRL_C_EVENT}};
// The events go to every process of a console: the test gets one of its own.
bool send(int code) {
    if (GetConsoleWindow() == nullptr) {
        FreeConsole();
        AllocConsole();
    }
    return GenerateConsoleCtrlEvent(static_cast<DWORD>(code), 0) != 0;
}
#else
const request_t requests[] = {{"SIGINT", SIGINT}, {"SIGTERM", SIGTERM}};
bool send(int code) {
    return std::raise(code) == 0;
}
#endif

// A request is recorded and named, not acted on: the process lives on and
// ends its run itself. A new object forgets the earlier request.
TEST(StopRequestsTest, ATerminalsStopRequestIsRecordedAndNamed) {
    for (const request_t& request : requests) {
        SCOPED_TRACE(request.name);
        const ox::platform::StopRequests stop;
        EXPECT_EQ(ox::platform::StopRequests::received(), 0);
        EXPECT_EQ(std::string(ox::platform::StopRequests::name()), "");
        ASSERT_TRUE(send(request.code));
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (ox::platform::StopRequests::received() == 0 &&
               std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        EXPECT_NE(ox::platform::StopRequests::received(), 0);
        EXPECT_EQ(std::string(ox::platform::StopRequests::name()), request.name);
    }
}

} // namespace
