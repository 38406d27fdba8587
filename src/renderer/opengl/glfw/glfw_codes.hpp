#pragma once

#include "renderer/input.hpp"
#include "renderer/lookup_table.hpp"

#include <array>
#include <cstdint>
#include <optional>
#include <utility>

// Translation between the input vocabulary of input.hpp and GLFW's numeric
// codes. GLFW's codes are stable published values, so they are written out here
// instead of including GLFW in this layer. The first matching row wins
// (lookup_table.hpp); that is what makes GLFW key 348 arrive as Menu (never
// Last) and GLFW mouse button 0 as Button1 (never Left).
namespace ox::renderer::opengl::glfw {

inline constexpr std::array<std::pair<EInputKey, int>, InputKeyCount> glfwKeyTable{{
    std::pair{EInputKey::Unknown, -1},
    std::pair{EInputKey::Space, 32},
    std::pair{EInputKey::Apostrophe, 39},
    std::pair{EInputKey::Comma, 44},
    std::pair{EInputKey::Minus, 45},
    std::pair{EInputKey::Period, 46},
    std::pair{EInputKey::Slash, 47},
    std::pair{EInputKey::Num0, 48},
    std::pair{EInputKey::Num1, 49},
    std::pair{EInputKey::Num2, 50},
    std::pair{EInputKey::Num3, 51},
    std::pair{EInputKey::Num4, 52},
    std::pair{EInputKey::Num5, 53},
    std::pair{EInputKey::Num6, 54},
    std::pair{EInputKey::Num7, 55},
    std::pair{EInputKey::Num8, 56},
    std::pair{EInputKey::Num9, 57},
    std::pair{EInputKey::Semicolon, 59},
    std::pair{EInputKey::Equal, 61},
    std::pair{EInputKey::A, 65},
    std::pair{EInputKey::B, 66},
    std::pair{EInputKey::C, 67},
    std::pair{EInputKey::D, 68},
    std::pair{EInputKey::E, 69},
    std::pair{EInputKey::F, 70},
    std::pair{EInputKey::G, 71},
    std::pair{EInputKey::H, 72},
    std::pair{EInputKey::I, 73},
    std::pair{EInputKey::J, 74},
    std::pair{EInputKey::K, 75},
    std::pair{EInputKey::L, 76},
    std::pair{EInputKey::M, 77},
    std::pair{EInputKey::N, 78},
    std::pair{EInputKey::O, 79},
    std::pair{EInputKey::P, 80},
    std::pair{EInputKey::Q, 81},
    std::pair{EInputKey::R, 82},
    std::pair{EInputKey::S, 83},
    std::pair{EInputKey::T, 84},
    std::pair{EInputKey::U, 85},
    std::pair{EInputKey::V, 86},
    std::pair{EInputKey::W, 87},
    std::pair{EInputKey::X, 88},
    std::pair{EInputKey::Y, 89},
    std::pair{EInputKey::Z, 90},
    std::pair{EInputKey::LeftBracket, 91},
    std::pair{EInputKey::Backslash, 92},
    std::pair{EInputKey::RightBracket, 93},
    std::pair{EInputKey::GraveAccent, 96},
    std::pair{EInputKey::World1, 161},
    std::pair{EInputKey::World2, 162},
    std::pair{EInputKey::Escape, 256},
    std::pair{EInputKey::Enter, 257},
    std::pair{EInputKey::Tab, 258},
    std::pair{EInputKey::Backspace, 259},
    std::pair{EInputKey::Insert, 260},
    std::pair{EInputKey::Delete, 261},
    std::pair{EInputKey::Right, 262},
    std::pair{EInputKey::Left, 263},
    std::pair{EInputKey::Down, 264},
    std::pair{EInputKey::Up, 265},
    std::pair{EInputKey::PageUp, 266},
    std::pair{EInputKey::PageDown, 267},
    std::pair{EInputKey::Home, 268},
    std::pair{EInputKey::End, 269},
    std::pair{EInputKey::CapsLock, 280},
    std::pair{EInputKey::ScrollLock, 281},
    std::pair{EInputKey::NumLock, 282},
    std::pair{EInputKey::PrintScreen, 283},
    std::pair{EInputKey::Pause, 284},
    std::pair{EInputKey::F1, 290},
    std::pair{EInputKey::F2, 291},
    std::pair{EInputKey::F3, 292},
    std::pair{EInputKey::F4, 293},
    std::pair{EInputKey::F5, 294},
    std::pair{EInputKey::F6, 295},
    std::pair{EInputKey::F7, 296},
    std::pair{EInputKey::F8, 297},
    std::pair{EInputKey::F9, 298},
    std::pair{EInputKey::F10, 299},
    std::pair{EInputKey::F11, 300},
    std::pair{EInputKey::F12, 301},
    std::pair{EInputKey::F13, 302},
    std::pair{EInputKey::F14, 303},
    std::pair{EInputKey::F15, 304},
    std::pair{EInputKey::F16, 305},
    std::pair{EInputKey::F17, 306},
    std::pair{EInputKey::F18, 307},
    std::pair{EInputKey::F19, 308},
    std::pair{EInputKey::F20, 309},
    std::pair{EInputKey::F21, 310},
    std::pair{EInputKey::F22, 311},
    std::pair{EInputKey::F23, 312},
    std::pair{EInputKey::F24, 313},
    std::pair{EInputKey::F25, 314},
    std::pair{EInputKey::Kp0, 320},
    std::pair{EInputKey::Kp1, 321},
    std::pair{EInputKey::Kp2, 322},
    std::pair{EInputKey::Kp3, 323},
    std::pair{EInputKey::Kp4, 324},
    std::pair{EInputKey::Kp5, 325},
    std::pair{EInputKey::Kp6, 326},
    std::pair{EInputKey::Kp7, 327},
    std::pair{EInputKey::Kp8, 328},
    std::pair{EInputKey::Kp9, 329},
    std::pair{EInputKey::KpDecimal, 330},
    std::pair{EInputKey::KpDivide, 331},
    std::pair{EInputKey::KpMultiply, 332},
    std::pair{EInputKey::KpSubtract, 333},
    std::pair{EInputKey::KpAdd, 334},
    std::pair{EInputKey::KpEnter, 335},
    std::pair{EInputKey::KpEqual, 336},
    std::pair{EInputKey::LeftShift, 340},
    std::pair{EInputKey::LeftControl, 341},
    std::pair{EInputKey::LeftAlt, 342},
    std::pair{EInputKey::LeftSuper, 343},
    std::pair{EInputKey::RightShift, 344},
    std::pair{EInputKey::RightControl, 345},
    std::pair{EInputKey::RightAlt, 346},
    std::pair{EInputKey::RightSuper, 347},
    std::pair{EInputKey::Menu, 348},
    std::pair{EInputKey::Last, 348},
}};

inline constexpr std::array<std::pair<EInputAction, int>, 3> glfwActionTable{{
    std::pair{EInputAction::Press, 1},
    std::pair{EInputAction::Release, 0},
    std::pair{EInputAction::Repeat, 2},
}};

inline constexpr std::array<std::pair<EInputMouseButton, int>, 12> glfwMouseButtonTable{{
    std::pair{EInputMouseButton::Button1, 0},
    std::pair{EInputMouseButton::Button2, 1},
    std::pair{EInputMouseButton::Button3, 2},
    std::pair{EInputMouseButton::Button4, 3},
    std::pair{EInputMouseButton::Button5, 4},
    std::pair{EInputMouseButton::Button6, 5},
    std::pair{EInputMouseButton::Button7, 6},
    std::pair{EInputMouseButton::Button8, 7},
    std::pair{EInputMouseButton::Last, 7},
    std::pair{EInputMouseButton::Left, 0},
    std::pair{EInputMouseButton::Right, 1},
    std::pair{EInputMouseButton::Middle, 2},
}};

inline constexpr std::array<std::pair<ECursorMode, int>, 3> glfwCursorModeTable{{
    std::pair{ECursorMode::Normal, 0x34001},
    std::pair{ECursorMode::Hidden, 0x34002},
    std::pair{ECursorMode::Disabled, 0x34003},
}};

// GLFW's modifier bits and ours, tested in this order.
inline constexpr std::array<std::pair<std::uint16_t, int>, 4> glfwModifierTable{{
    std::pair{ModShift, 0x0001},
    std::pair{ModControl, 0x0002},
    std::pair{ModAlt, 0x0004},
    std::pair{ModSuper, 0x0008},
}};

// GLFW key code to EInputKey; empty for a code GLFW does not define. -1 (GLFW's
// unknown key) translates successfully to EInputKey::Unknown.
constexpr std::optional<EInputKey> keyFromGlfw(int glfwKey) {
    return reverseLookUp(glfwKeyTable, glfwKey);
}

// EInputKey to GLFW key code; empty for a value outside the enumeration.
constexpr std::optional<int> keyToGlfw(EInputKey key) {
    return lookUp(glfwKeyTable, key);
}

constexpr std::optional<EInputAction> actionFromGlfw(int glfwAction) {
    return reverseLookUp(glfwActionTable, glfwAction);
}

constexpr std::optional<int> actionToGlfw(EInputAction action) {
    return lookUp(glfwActionTable, action);
}

// GLFW buttons 0..7 give Button1..Button8.
constexpr std::optional<EInputMouseButton> mouseButtonFromGlfw(int glfwButton) {
    return reverseLookUp(glfwMouseButtonTable, glfwButton);
}

constexpr std::optional<int> mouseButtonToGlfw(EInputMouseButton button) {
    return lookUp(glfwMouseButtonTable, button);
}

constexpr std::optional<ECursorMode> cursorModeFromGlfw(int glfwMode) {
    return reverseLookUp(glfwCursorModeTable, glfwMode);
}

constexpr std::optional<int> cursorModeToGlfw(ECursorMode mode) {
    return lookUp(glfwCursorModeTable, mode);
}

// Keeps exactly the four known modifier bits; other GLFW bits (caps lock,
// num lock) are dropped.
constexpr std::uint16_t modsFromGlfw(int glfwMods) {
    std::uint16_t mods = 0;
    for (const auto& [bit, glfwBit] : glfwModifierTable) {
        if ((glfwMods & glfwBit) != 0) {
            mods = static_cast<std::uint16_t>(mods | bit);
        }
    }
    return mods;
}

} // namespace ox::renderer::opengl::glfw
