#include "support/TempDir.hpp"

#include <fstream>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Runs the built program with the given working directory and returns its exit code.
int runVexelIn(const std::filesystem::path& workingDir) {
    const pid_t child = fork();
    if (child == 0) {
        if (chdir(workingDir.c_str()) != 0) {
            _exit(127);
        }
        execl(VEXEL_BINARY, VEXEL_BINARY, static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(VexelBinaryTest, CreatesAnEmptyLogFileInTheWorkingDirectory) {
    ox::test::TempDir dir;
    std::ofstream(dir / "vexel.log") << "stale line from an earlier run\n";
    ASSERT_EQ(runVexelIn(dir.path()), 0);
    ASSERT_TRUE(std::filesystem::exists(dir / "vexel.log"));
    EXPECT_EQ(std::filesystem::file_size(dir / "vexel.log"), 0u);
}

} // namespace
