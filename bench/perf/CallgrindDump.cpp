#include "perf/CallgrindDump.hpp"

#include <fmt/format.h>

#include <array>
#include <charconv>
#include <cstdint>
#include <istream>
#include <string_view>

namespace vexel::bench {

namespace {

constexpr std::string_view kTrigger = "desc: Trigger: Client Request: ";

// The functions of glibc's malloc that search, split and merge free chunks and
// grow or trim the heap. GCC's specialised copies carry a suffix
// ("unlink_chunk.constprop.0"), so a name also matches with one.
constexpr std::array<std::string_view, 11> kHeapBookkeeping{"_int_malloc",
                                                            "unlink_chunk",
                                                            "malloc_consolidate",
                                                            "sysmalloc",
                                                            "sysmalloc_mmap",
                                                            "sysmalloc_mmap_fallback",
                                                            "systrim",
                                                            "alloc_perturb",
                                                            "__glibc_morecore",
                                                            "sbrk",
                                                            "brk"};

bool isHeapBookkeeping(std::string_view function) {
    for (const std::string_view name : kHeapBookkeeping) {
        if (function == name || (function.starts_with(name) && function.size() > name.size() &&
                                 function[name.size()] == '.')) {
            return true;
        }
    }
    return false;
}

// Names are written once as "(id) name" and referred to as "(id)" after that;
// objects and functions keep separate tables, shared by the called-side keys
// (cob=, cfn=). Without compression the value is the name itself.
class NameTable {
public:
    std::string resolve(std::string_view value) {
        if (!value.starts_with('(')) {
            return std::string(value);
        }
        const auto close = value.find(')');
        if (close == std::string_view::npos) {
            return std::string(value);
        }
        const std::string id(value.substr(1, close - 1));
        if (close + 1 < value.size()) {
            std::string_view name = value.substr(close + 1);
            if (name.starts_with(' ')) {
                name.remove_prefix(1);
            }
            names[id] = std::string(name);
        }
        return names[id];
    }

private:
    std::map<std::string, std::string> names;
};

bool readCount(std::string_view text, double& count) {
    std::uint64_t value = 0;
    const auto [end, failure] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (failure != std::errc{} || end != text.data() + text.size()) {
        return false;
    }
    count = static_cast<double>(value);
    return true;
}

} // namespace

double callgrind_dump_t::withoutHeapBookkeeping() const {
    double bookkeeping = 0.0;
    for (const auto& [function, count] : libcSelf) {
        if (isHeapBookkeeping(function)) {
            bookkeeping += count;
        }
    }
    return total - bookkeeping;
}

std::optional<callgrind_dump_t> readCallgrindDump(std::istream& in, std::string& error) {
    callgrind_dump_t dump;
    bool haveTotal = false;
    NameTable objects;
    NameTable functions;
    std::string object;
    std::string function;
    bool callCostNext = false;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        const std::string_view text(line);
        if (text.empty()) {
            continue;
        }
        const char first = text.front();
        if ((first >= '0' && first <= '9') || first == '+' || first == '-' || first == '*') {
            // "<position> <instructions>"; the line after calls= is the call's
            // inclusive cost, which belongs to the callee.
            if (callCostNext) {
                callCostNext = false;
                continue;
            }
            const auto space = text.find(' ');
            double count = 0.0;
            if (space != std::string_view::npos) {
                const auto rest = text.substr(space + 1);
                if (!readCount(rest.substr(0, rest.find(' ')), count)) {
                    error = fmt::format("line {}: cannot read the cost '{}'", number, line);
                    return std::nullopt;
                }
            }
            if (object.find("libc.so") != std::string::npos) {
                dump.libcSelf[function] += count;
            }
            continue;
        }
        const auto equals = text.find('=');
        const auto colon = text.find(": ");
        if (colon != std::string_view::npos &&
            (equals == std::string_view::npos || colon < equals)) {
            if (text.starts_with(kTrigger)) {
                dump.label = std::string(text.substr(kTrigger.size()));
            } else if (text.starts_with("totals: ") || text.starts_with("summary: ")) {
                const auto value = text.substr(colon + 2);
                if (!readCount(value.substr(0, value.find(' ')), dump.total)) {
                    error = fmt::format("line {}: cannot read the total '{}'", number, line);
                    return std::nullopt;
                }
                haveTotal = true;
            }
            continue;
        }
        if (equals == std::string_view::npos) {
            continue;
        }
        const std::string_view key = text.substr(0, equals);
        const std::string_view value = text.substr(equals + 1);
        if (key == "ob") {
            object = objects.resolve(value);
        } else if (key == "cob") {
            objects.resolve(value);
        } else if (key == "fn") {
            function = functions.resolve(value);
        } else if (key == "cfn") {
            functions.resolve(value);
        } else if (key == "calls") {
            callCostNext = true;
        }
    }
    if (!haveTotal) {
        error = "no totals: not a callgrind dump";
        return std::nullopt;
    }
    return dump;
}

} // namespace vexel::bench
