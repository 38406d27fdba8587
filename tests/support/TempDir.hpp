#pragma once

#include <filesystem>
#include <random>
#include <string>

namespace ox::test {

// A fresh directory under the system temp folder, removed with its contents
// when the object goes out of scope.
class TempDir {
public:
    // A random name, taken only if create_directory made it: mkdtemp's
    // guarantee with calls that Windows has too.
    TempDir() {
        const std::filesystem::path base = std::filesystem::temp_directory_path();
        std::random_device seed;
        std::mt19937_64 numbers(seed());
        for (int attempt = 0; attempt < 100; ++attempt) {
            std::filesystem::path candidate = base / ("vexel-test-" + std::to_string(numbers()));
            if (std::filesystem::create_directory(candidate)) {
                dir = candidate;
                return;
            }
        }
        throw std::filesystem::filesystem_error("no free temporary directory name", base,
                                                std::make_error_code(std::errc::file_exists));
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(dir, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return dir; }
    std::filesystem::path operator/(const std::string& name) const { return dir / name; }

private:
    std::filesystem::path dir;
};

} // namespace ox::test
