#pragma once

#include "renderer/input.hpp"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// The program's controls, written once: every key the program reacts to is
// looked up here by what it does, and the controls text of --help (and the
// README's table, which a test holds to it) is made from the same rows.
namespace ox::app {

// What a key does.
enum class EControl : std::uint8_t {
    PitchUp,
    PitchDown,
    YawLeft,
    YawRight,
    RollPositive,
    RollNegative,
    MoveForward,
    MoveBackward,
    MoveRight,
    MoveLeft,
    MoveUp,
    MoveDown,
    FieldOfViewWider,
    FieldOfViewNarrower,
    Outlines,
    Overlay,
    RenderDocCapture,
    Screenshot,
    Quit,
};

struct key_binding_t {
    EControl control;
    renderer::EInputKey key;
    // The key as the controls text names it.
    std::string_view keyName;
};

// One row of the controls text: one or two keys (none for the mouse's rows),
// what to do with them and what it does.
struct control_row_t {
    std::array<key_binding_t, 2> keys;
    std::uint8_t keyCount = 0;
    // " held" for keys that act while held; the whole input for mouse rows.
    std::string_view how;
    std::string_view effect;
};

// The rows in the order the controls text lists them.
std::span<const control_row_t> controlRows();

// The key bound to `control`.
renderer::EInputKey keyFor(EControl control);

// The first column of a row: "W / S held", "F12", "mouse wheel".
std::string controlInput(const control_row_t& row);

// The controls text of --help, one line per row, each indented by two spaces.
std::string controlsHelp();

} // namespace ox::app
