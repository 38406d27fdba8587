#include "perf/PerfComparison.hpp"
#include "perf/PerfFigures.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

using vexel::bench::perf_bounds_t;
using vexel::bench::perf_figures_t;
using vexel::bench::PerfComparison;

perf_figures_t references() {
    perf_figures_t figures;
    figures.machine = "AMD EPYC; libc6 2.36-9";
    figures.calls["demo"] = {{"glClear", 1}, {"glGetError", 1085}, {"glUseProgram", 362}};
    figures.calls["baseline"] = {{"glClear", 1}, {"glUseProgram", 362}};
    figures.frameInstructions = {{"demo", 34000000}, {"baseline", 33800000}};
    figures.startupInstructions = {{"demo", 1800000000}, {"baseline", 1000000000}};
    return figures;
}

// ratio 1.0075 over 33.8 M allows the demo 34,053,500 instructions per frame.
constexpr perf_bounds_t bounds{1.0075, 0.01, 0.02};

struct comparison_case_t {
    const char* name;
    std::function<void(perf_figures_t&)> change;
    bool passed;
    // Figures of the rows that fail, and the difference each one shows.
    std::set<std::pair<std::string, std::string>> failing;
};

TEST(PerfComparisonTest, FailsExactlyTheFiguresThatLeftTheirBounds) {
    const std::vector<comparison_case_t> cases{
        {"equal", [](perf_figures_t&) {}, true, {}},
        {"demo just under the ratio",
         [](perf_figures_t& f) { f.frameInstructions["demo"] = 34053000; },
         true,
         {}},
        {"demo over the ratio",
         [](perf_figures_t& f) { f.frameInstructions["demo"] = 34060000; },
         false,
         {{"demo/baseline instructions per frame", "+0.0002 to the bound"}}},
        {"both programs 1.5% cheaper: ratio kept, counts off their references",
         [](perf_figures_t& f) {
             f.frameInstructions["demo"] = 33490000;
             f.frameInstructions["baseline"] = 33293000;
         },
         false,
         {{"demo instructions per frame", "-1.500%"},
          {"baseline instructions per frame", "-1.500%"}}},
        {"start-up 2.5% longer",
         [](perf_figures_t& f) { f.startupInstructions["baseline"] = 1025000000; },
         false,
         {{"baseline instructions to the first frame", "+2.500%"}}},
        {"start-up 1.9% shorter",
         [](perf_figures_t& f) { f.startupInstructions["demo"] = 1765800000; },
         true,
         {}},
        {"one more error poll per mesh",
         [](perf_figures_t& f) { f.calls["demo"]["glGetError"] = 1447; },
         false,
         {{"demo calls per frame", "1 functions changed"}, {"  glGetError", "+362"}}},
        {"a new call",
         [](perf_figures_t& f) { f.calls["baseline"]["glGetIntegerv"] = 1; },
         false,
         {{"baseline calls per frame", "1 functions changed"}, {"  glGetIntegerv", "new call"}}},
        {"a call gone",
         [](perf_figures_t& f) { f.calls["demo"].erase("glGetError"); },
         false,
         {{"demo calls per frame", "1 functions changed"}, {"  glGetError", "call gone"}}},
        {"counted on another machine: each program's counts only shown, the ratio checked",
         [](perf_figures_t& f) {
             f.machine = "another processor";
             f.frameInstructions["demo"] = 35020000;
             f.frameInstructions["baseline"] = 34814000;
             f.startupInstructions["demo"] = 1900000000;
         },
         true,
         {}},
        {"counted on another machine, the ratio over its bound",
         [](perf_figures_t& f) {
             f.machine = "another processor";
             f.frameInstructions["demo"] = 35100000;
             f.frameInstructions["baseline"] = 34814000;
         },
         false,
         {{"demo/baseline instructions per frame", "+0.0007 to the bound"}}},
        {"a program not measured",
         [](perf_figures_t& f) {
             f.calls.erase("baseline");
             f.frameInstructions.erase("baseline");
         },
         false,
         {{"baseline calls per frame", "2 functions changed"},
          {"  glClear", "call gone"},
          {"  glUseProgram", "call gone"},
          {"demo/baseline instructions per frame", "-"},
          {"baseline instructions per frame", "-"}}},
    };
    for (const comparison_case_t& c : cases) {
        SCOPED_TRACE(c.name);
        perf_figures_t measured = references();
        c.change(measured);
        const PerfComparison comparison = PerfComparison::compare(measured, references(), bounds);
        EXPECT_EQ(comparison.passed(), c.passed);
        std::set<std::pair<std::string, std::string>> failing;
        for (const auto& row : comparison.rows()) {
            if (!row.passed) {
                failing.insert({row.figure, row.difference});
            }
        }
        EXPECT_EQ(failing, c.failing);
        // The table marks each failing row.
        const std::string table = comparison.table();
        std::size_t marks = 0;
        for (std::size_t at = table.find("FAIL"); at != std::string::npos;
             at = table.find("FAIL", at + 1)) {
            ++marks;
        }
        EXPECT_EQ(marks, c.failing.size()) << table;
    }
}

struct reading_case_t {
    const char* name;
    std::string text;
    bool readable;
};

TEST(PerfComparisonTest, ReadsOnlyWellFormedFiguresAndBounds) {
    const std::vector<reading_case_t> figures{
        {"comments and blank lines",
         "# references\n\nmachine AMD EPYC; libc6 2.36-9\ncalls demo glClear 1 # one clear\n"
         "instructions demo frame 34000000\n"
         "instructions demo startup 1800000000\n",
         true},
        {"an unknown kind of figure", "frames demo 300 1\n", false},
        {"a count that is not a number", "calls demo glClear many\n", false},
        {"a count left out", "instructions demo frame\n", false},
        {"something after the count", "calls demo glClear 1 2\n", false},
        {"a negative count", "instructions baseline startup -5\n", false},
    };
    for (const reading_case_t& c : figures) {
        SCOPED_TRACE(c.name);
        std::istringstream in(c.text);
        std::string error;
        EXPECT_EQ(vexel::bench::readPerfFigures(in, error).has_value(), c.readable) << error;
    }
    const std::vector<reading_case_t> boundFiles{
        {"all three", "ratio 1.0075\nframe 0.01 # 1%\nstartup 0.02\n", true},
        {"one missing", "ratio 1.0075\nframe 0.01\n", false},
        {"an unknown bound", "ratio 1.0075\nframe 0.01\nstartup 0.02\nmemory 3\n", false},
        {"a zero bound", "ratio 1.0075\nframe 0\nstartup 0.02\n", false},
    };
    for (const reading_case_t& c : boundFiles) {
        SCOPED_TRACE(c.name);
        std::istringstream in(c.text);
        std::string error;
        EXPECT_EQ(vexel::bench::readPerfBounds(in, error).has_value(), c.readable) << error;
    }
}

TEST(PerfComparisonTest, WrittenFiguresReadBackUnchanged) {
    perf_figures_t figures = references();
    figures.calls["demo"]["glfwSetWindowTitle"] = 1;
    std::ostringstream out;
    vexel::bench::writePerfFigures(out, figures);
    std::istringstream in(out.str());
    std::string error;
    const auto read = vexel::bench::readPerfFigures(in, error);
    ASSERT_TRUE(read.has_value()) << error;
    EXPECT_EQ(*read, figures);
}

} // namespace
