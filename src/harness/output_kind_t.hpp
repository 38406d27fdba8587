#pragma once

namespace ox::harness {

// A kind of file a run reads or writes, as the run's outputs (RunOutputs)
// know it: how a message names it, and what is checked before the start.
// A new kind of output is one more constant below.
struct output_kind_t {
    // The option that names it, or what it is ("the log file").
    const char* name;
    // Whether the run writes it: only these are refused on another's file.
    bool written;
    // Whether it must be writable before the run may start; an output that
    // is only written on request (F12) fails when asked, with an error line.
    bool checkedAtStart;
    // Whether it is a folder the run creates to write its files into.
    bool folder;
    // The start of the line that reports a file left incomplete at the end.
    const char* incomplete;
};

namespace output_kinds {

// Read or written by every run; it must not be another output's file.
inline constexpr output_kind_t log{"the log file", false, false, false, ""};
inline constexpr output_kind_t input{"--input", false, false, false, ""};
inline constexpr output_kind_t stats{"--stats", true, true, false, "Frame statistics incomplete"};
inline constexpr output_kind_t record{"--record", true, true, false,
                                      "Session recording incomplete"};
// The captures' folder; each capture file is registered as a capture too.
inline constexpr output_kind_t captureFolder{"--capture", true, true, true, ""};
inline constexpr output_kind_t capture{"--capture", true, false, false, ""};
inline constexpr output_kind_t screenshots{"the F12 screenshots folder", true, false, true, ""};

} // namespace output_kinds

} // namespace ox::harness
