#include "perf/CallgrindDump.hpp"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

using vexel::bench::readCallgrindDump;

// One frame as callgrind dumps it (cut down): names are compressed, the cost
// of a call follows its calls= line, and _int_malloc is first named as a
// callee. Own instructions: glfwSetWindowTitle 28 + 17, malloc 60,
// _int_malloc 500 + 300, unlink_chunk 40, free 30, systrim 9 (trimming
// the heap), the program's own _int_malloc 7; 991 in all.
constexpr const char* kFrame = R"(# callgrind format
version: 1
creator: callgrind-3.19.0
cmd:  /build/bench/vexel-baseline --frames 10
part: 5
thread: 1

desc: Timerange: Basic block 313499174 - 330035287
desc: Trigger: Client Request: frame 5

positions: line
events: Ir
summary: 991

ob=(21) /usr/lib/x86_64-linux-gnu/libglfw.so.3.3
fl=(200) ???
fn=(192) glfwSetWindowTitle
0 28
cob=(3) /usr/lib/x86_64-linux-gnu/libc.so.6
cfi=(7) ./malloc/./malloc/malloc.c
cfn=(822) malloc
calls=2 1338
* 900
+3 17

ob=(3)
fl=(7)
fn=(822)
3287 60
cfn=(823) _int_malloc
calls=2 3900
* 840
fn=(823)
3900 500
+12 300
cfn=(824) unlink_chunk.constprop.0
calls=1 1600
* 40
fn=(824)
1600 40
fn=(825) free
3360 30
cfn=(826) systrim.constprop.0
calls=1 2900
* 9
fn=(826)
2900 9

ob=(30) /build/bench/vexel-baseline
fl=(31) ???
fn=(832) _int_malloc
0 7

totals: 991
)";

TEST(CallgrindDumpTest, AFrameLeavesOutOnlyTheHeapBookkeeping) {
    std::istringstream in(kFrame);
    std::string error;
    const auto dump = readCallgrindDump(in, error);
    ASSERT_TRUE(dump.has_value()) << error;
    EXPECT_EQ(dump->label, "frame 5");
    EXPECT_EQ(dump->total, 991);
    // The calls' inclusive costs (900, 840, 40, 9) are nobody's own work; the
    // program's function of the same name is not glibc's.
    EXPECT_EQ(dump->libcSelf.at("_int_malloc"), 800);
    EXPECT_EQ(dump->libcSelf.at("malloc"), 60);
    EXPECT_EQ(dump->withoutHeapBookkeeping(), 991 - 800 - 40 - 9);
}

TEST(CallgrindDumpTest, RefusesWhatIsNotADump) {
    struct refused_t {
        const char* name;
        std::string text;
    };
    const std::vector<refused_t> cases{
        {"no totals", "events: Ir\nfn=(1) main\n0 5\n"},
        {"a cost that is not a number", "events: Ir\nsummary: 5\nfn=(1) main\n0 five\n"},
        {"a total that is not a number", "events: Ir\nsummary: many\n"},
        {"empty", ""},
    };
    for (const refused_t& c : cases) {
        SCOPED_TRACE(c.name);
        std::istringstream in(c.text);
        std::string error;
        EXPECT_FALSE(readCallgrindDump(in, error).has_value());
        EXPECT_FALSE(error.empty());
    }
}

} // namespace
