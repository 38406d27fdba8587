#include "app/key_bindings.hpp"

#include <algorithm>

namespace ox::app {

using renderer::EInputKey;

namespace {

constexpr key_binding_t none{EControl::Quit, EInputKey::Unknown, ""};

constexpr control_row_t pair(key_binding_t first, key_binding_t second, std::string_view effect) {
    return control_row_t{{first, second}, 2, " held", effect};
}

constexpr control_row_t single(key_binding_t key, std::string_view how, std::string_view effect) {
    return control_row_t{{key, none}, 1, how, effect};
}

constexpr control_row_t mouse(std::string_view input, std::string_view effect) {
    return control_row_t{{none, none}, 0, input, effect};
}

constexpr std::array rows{
    pair({EControl::PitchUp, EInputKey::W, "W"}, {EControl::PitchDown, EInputKey::S, "S"},
         "pitch up / down, 2 rad/s"),
    pair({EControl::YawLeft, EInputKey::A, "A"}, {EControl::YawRight, EInputKey::D, "D"},
         "yaw left / right, 2 rad/s"),
    pair({EControl::RollPositive, EInputKey::Q, "Q"}, {EControl::RollNegative, EInputKey::E, "E"},
         "roll, positive / negative, 2 rad/s"),
    pair({EControl::MoveForward, EInputKey::T, "T"}, {EControl::MoveBackward, EInputKey::G, "G"},
         "move forward / backward, 20 units/s"),
    pair({EControl::MoveRight, EInputKey::H, "H"}, {EControl::MoveLeft, EInputKey::F, "F"},
         "move right / left, 20 units/s"),
    pair({EControl::MoveUp, EInputKey::Y, "Y"}, {EControl::MoveDown, EInputKey::R, "R"},
         "move up / down, 20 units/s"),
    pair({EControl::FieldOfViewWider, EInputKey::Z, "Z"},
         {EControl::FieldOfViewNarrower, EInputKey::X, "X"},
         "field of view wider / narrower, 10 degrees/s"),
    mouse("mouse wheel", "field of view narrower (up) / wider (down), one degree a step"),
    mouse("left mouse button held", "mouse look"),
    single({EControl::Outlines, EInputKey::C, "C"}, " held",
           "outlines (line loops) instead of filled triangles"),
    single({EControl::Overlay, EInputKey::F1, "F1"}, "",
           "hide / show the overlay (with --overlay)"),
    single({EControl::RenderDocCapture, EInputKey::F11, "F11"}, "",
           "RenderDoc capture of the next frame (with --renderdoc)"),
    single({EControl::Screenshot, EInputKey::F12, "F12"}, "",
           "screenshot to screenshots/vexel-<n>.png"),
    single({EControl::Quit, EInputKey::Escape, "Escape"}, "", "quit"),
};

} // namespace

std::span<const control_row_t> controlRows() {
    return rows;
}

EInputKey keyFor(EControl control) {
    for (const control_row_t& row : rows) {
        for (std::uint8_t i = 0; i < row.keyCount; ++i) {
            if (row.keys[i].control == control) {
                return row.keys[i].key;
            }
        }
    }
    return EInputKey::Unknown;
}

std::string controlInput(const control_row_t& row) {
    std::string input;
    for (std::uint8_t i = 0; i < row.keyCount; ++i) {
        input += (i == 0 ? "" : " / ");
        input += row.keys[i].keyName;
    }
    input += row.how;
    return input;
}

std::string controlsHelp() {
    std::size_t width = 0;
    for (const control_row_t& row : rows) {
        width = std::max(width, controlInput(row).size());
    }
    std::string text;
    for (const control_row_t& row : rows) {
        const std::string input = controlInput(row);
        text += "  " + input + std::string(width + 2 - input.size(), ' ');
        text += row.effect;
        text += '\n';
    }
    return text;
}

} // namespace ox::app
