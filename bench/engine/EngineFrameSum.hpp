#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace vexel::bench {

// A console reporter that also adds up the CPU time per iteration of the
// benchmarks that each stand for one piece of a frame's engine work, prints the
// sum and, when VEXEL_ENGINE_CPU_OUT names a file, writes it there as
//   part <name> <ns>
//   engine_cpu_ns <sum>
// so that the frame-rate comparison can set it against the demo's frame time.
class EngineFrameSum : public benchmark::ConsoleReporter {
public:
    explicit EngineFrameSum(std::vector<std::string> parts)
        : parts(std::move(parts)) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration || run.error_occurred || run.iterations == 0) {
                continue;
            }
            const std::string name = run.benchmark_name();
            if (isPart(name)) {
                cpuNs[name] = run.cpu_accumulated_time / static_cast<double>(run.iterations) * 1e9;
            }
        }
    }

    // Prints and writes the sum; false when a part is missing or the file
    // cannot be written.
    bool finish() const {
        double sum = 0.0;
        std::vector<std::string> missing;
        for (const std::string& part : parts) {
            const auto found = cpuNs.find(part);
            if (found == cpuNs.end()) {
                missing.push_back(part);
            } else {
                sum += found->second;
            }
        }
        std::printf("Engine CPU work per frame (sum of %zu parts): %.2f us\n", cpuNs.size(),
                    sum / 1000.0);
        for (const std::string& part : missing) {
            std::printf("  not measured: %s\n", part.c_str());
        }
        const char* path = std::getenv("VEXEL_ENGINE_CPU_OUT");
        if (path == nullptr || *path == '\0') {
            return missing.empty();
        }
        FILE* out = std::fopen(path, "w");
        if (out == nullptr) {
            std::fprintf(stderr, "cannot write %s\n", path);
            return false;
        }
        for (const auto& [name, ns] : cpuNs) {
            std::fprintf(out, "part %s %.1f\n", name.c_str(), ns);
        }
        for (const std::string& part : missing) {
            std::fprintf(out, "missing %s\n", part.c_str());
        }
        std::fprintf(out, "engine_cpu_ns %.1f\n", sum);
        std::fclose(out);
        return missing.empty();
    }

private:
    bool isPart(const std::string& name) const {
        for (const std::string& part : parts) {
            if (name == part) {
                return true;
            }
        }
        return false;
    }

    std::vector<std::string> parts;
    std::map<std::string, double> cpuNs;
};

} // namespace vexel::bench
