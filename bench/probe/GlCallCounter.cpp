#include "probe/GlCallCounter.hpp"

#include "support/probe/GlInterposer.hpp"

#include <array>
#include <cstddef>
#include <string_view>

#if !defined(__x86_64__)
#error "The GL call counter's thunks are written for x86-64."
#endif

// The OpenGL 1.0 and 1.1 functions of a core profile, plus the fixed-function
// calls the engine's debug drawing may make: what a program can call without
// going through glXGetProcAddress.
#define VEXEL_DIRECT_GL_CALLS                                                                      \
    "glBindTexture glBlendFunc glClear glClearColor glClearDepth glClearStencil glColorMask "      \
    "glCopyTexImage1D glCopyTexImage2D glCopyTexSubImage1D glCopyTexSubImage2D glCullFace "        \
    "glDeleteTextures glDepthFunc glDepthMask glDepthRange glDisable glDrawArrays "                \
    "glDrawBuffer glDrawElements glEnable glFinish glFlush glFrontFace glGenTextures "             \
    "glGetBooleanv glGetDoublev glGetError glGetFloatv glGetIntegerv glGetPointerv "               \
    "glGetString glGetTexImage glGetTexLevelParameterfv glGetTexLevelParameteriv "                 \
    "glGetTexParameterfv glGetTexParameteriv glHint glIsEnabled glIsTexture glLineWidth "          \
    "glLogicOp glPixelStoref glPixelStorei glPointSize glPolygonMode glPolygonOffset "             \
    "glReadBuffer glReadPixels glScissor glStencilFunc glStencilMask glStencilOp "                 \
    "glTexImage1D glTexImage2D glTexParameterf glTexParameterfv glTexParameteri "                  \
    "glTexParameteriv glTexSubImage1D glTexSubImage2D glViewport "                                 \
    "glBegin glEnd glColor3fv glColor4fv glVertex3fv glVertex4fv"

namespace {

using ox::probe::proc_t;

constexpr std::size_t fetchedCapacity = 4096;
constexpr std::string_view directNames = VEXEL_DIRECT_GL_CALLS;

constexpr std::size_t countDirect() {
    std::size_t n = 0;
    bool inName = false;
    for (const char c : directNames) {
        if (c != ' ' && !inName) {
            ++n;
        }
        inName = c != ' ';
    }
    return n;
}
constexpr std::size_t directCount = countDirect();

} // namespace

// The thunks' data, named from the assembly below.
extern "C" {
__attribute__((visibility("hidden"))) std::uint64_t vexel_fetched_counts[fetchedCapacity];
__attribute__((visibility("hidden"))) proc_t vexel_fetched_targets[fetchedCapacity];
__attribute__((visibility("hidden"))) std::uint64_t vexel_direct_counts[directCount];
__attribute__((visibility("hidden"))) proc_t vexel_direct_targets[directCount];
__attribute__((visibility("hidden"))) void vexel_fetched_thunks();
}

// Fetched thunks: 16 bytes apart, thunk i counting into slot i. Direct
// thunks: exported under the GL names, in the order of the list above.
asm(R"(
    .text
    .p2align 4
    .globl vexel_fetched_thunks
    .hidden vexel_fetched_thunks
    .type vexel_fetched_thunks, @function
vexel_fetched_thunks:
    .set vexel_slot, 0
    .rept 4096
    incq vexel_fetched_counts+8*vexel_slot(%rip)
    jmp *vexel_fetched_targets+8*vexel_slot(%rip)
    .p2align 4, 0xcc
    .set vexel_slot, vexel_slot+1
    .endr
    .set vexel_slot, 0
    .irp name )" VEXEL_DIRECT_GL_CALLS R"(
    .globl \name
    .type \name, @function
    .p2align 4
\name:
    incq vexel_direct_counts+8*vexel_slot(%rip)
    jmp *vexel_direct_targets+8*vexel_slot(%rip)
    .set vexel_slot, vexel_slot+1
    .endr
)");

namespace vexel::bench {

namespace {

static_assert(sizeof(vexel_fetched_counts) / sizeof(vexel_fetched_counts[0]) == 4096,
              "the assembly's .rept count");

std::array<std::string, fetchedCapacity> fetchedNames;
std::size_t fetchedUsed = 0;
std::uint64_t fetchedOverflow = 0;

std::array<std::string, directCount> directCallNames() {
    std::array<std::string, directCount> names;
    std::size_t i = 0;
    for (const char c : directNames) {
        if (c == ' ') {
            i += names[i].empty() ? 0 : 1;
        } else {
            names[i] += c;
        }
    }
    return names;
}

const std::array<std::string, directCount>& directNameList() {
    static const auto names = directCallNames();
    return names;
}

// A driver without one of the direct functions: the program cannot have
// linked against it, but the thunk must still lead somewhere.
void missingFunction() {}

proc_t countFetched(std::string_view name, proc_t found) {
    if (fetchedUsed == fetchedCapacity) {
        ++fetchedOverflow;
        return found;
    }
    const std::size_t slot = fetchedUsed++;
    fetchedNames[slot] = name;
    vexel_fetched_targets[slot] = found;
    return reinterpret_cast<proc_t>(reinterpret_cast<std::uintptr_t>(&vexel_fetched_thunks) +
                                    16 * slot);
}

} // namespace

void GlCallCounter::install() {
    const auto& names = directNameList();
    for (std::size_t i = 0; i < directCount; ++i) {
        const auto next = ox::probe::nextSymbol<proc_t>(names[i].c_str());
        vexel_direct_targets[i] = next != nullptr ? next : &missingFunction;
    }
    ox::probe::GlInterposer::setLookupStep(&countFetched);
}

std::map<std::string, std::uint64_t> GlCallCounter::totals() {
    std::map<std::string, std::uint64_t> calls;
    for (std::size_t i = 0; i < fetchedUsed; ++i) {
        if (vexel_fetched_counts[i] != 0) {
            calls[fetchedNames[i]] += vexel_fetched_counts[i];
        }
    }
    const auto& names = directNameList();
    for (std::size_t i = 0; i < directCount; ++i) {
        if (vexel_direct_counts[i] != 0) {
            calls[names[i]] += vexel_direct_counts[i];
        }
    }
    return calls;
}

std::uint64_t GlCallCounter::uncounted() {
    return fetchedOverflow;
}

} // namespace vexel::bench
