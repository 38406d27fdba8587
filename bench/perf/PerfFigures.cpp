#include "perf/PerfFigures.hpp"

#include <fmt/format.h>

#include <cctype>
#include <istream>
#include <ostream>
#include <sstream>

namespace vexel::bench {

std::optional<perf_figures_t> readPerfFigures(std::istream& in, std::string& error) {
    perf_figures_t figures;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (const auto hash = line.find('#'); hash != std::string::npos) {
            line.resize(hash);
        }
        std::istringstream fields(line);
        std::string kind;
        if (!(fields >> kind)) {
            continue;
        }
        if (kind == "machine") {
            std::string text;
            std::getline(fields >> std::ws, text);
            while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) {
                text.pop_back();
            }
            figures.machine = text;
            continue;
        }
        std::string program;
        std::string name;
        double value = 0.0;
        std::string rest;
        const bool complete = static_cast<bool>(fields >> program >> name >> value) &&
                              !(fields >> rest) && value >= 0.0;
        if (complete && kind == "calls") {
            figures.calls[program][name] = value;
        } else if (complete && kind == "instructions" && name == "frame") {
            figures.frameInstructions[program] = value;
        } else if (complete && kind == "instructions" && name == "startup") {
            figures.startupInstructions[program] = value;
        } else {
            error = fmt::format("line {}: cannot read '{}'", number, line);
            return std::nullopt;
        }
    }
    return figures;
}

void writePerfFigures(std::ostream& out, const perf_figures_t& figures) {
    if (!figures.machine.empty()) {
        out << fmt::format("machine {}\n", figures.machine);
    }
    for (const auto& [program, calls] : figures.calls) {
        for (const auto& [name, perFrame] : calls) {
            out << fmt::format("calls {} {} {}\n", program, name, perFrame);
        }
    }
    for (const auto& [program, count] : figures.frameInstructions) {
        out << fmt::format("instructions {} frame {:.0f}\n", program, count);
    }
    for (const auto& [program, count] : figures.startupInstructions) {
        out << fmt::format("instructions {} startup {:.0f}\n", program, count);
    }
}

} // namespace vexel::bench
