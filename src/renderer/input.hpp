#pragma once

#include <cstddef>
#include <cstdint>

// Input vocabulary shared by the window back end, the application and the
// computation graph's input nodes. Values are fixed: tables indexed by EInputKey
// (one entry per value) and the window-system translation in glfw_codes.hpp
// depend on them.
namespace ox::renderer {

// Keyboard keys in the order of the window system's key codes. Unknown is a
// regular key (the window system's "unknown key" code). Last shares its
// window-system code with Menu, so incoming events never carry Last.
enum class EInputKey : std::int32_t {
    Unknown = 0,
    Space = 1,
    Apostrophe = 2,
    Comma = 3,
    Minus = 4,
    Period = 5,
    Slash = 6,
    Num0 = 7,
    Num1 = 8,
    Num2 = 9,
    Num3 = 10,
    Num4 = 11,
    Num5 = 12,
    Num6 = 13,
    Num7 = 14,
    Num8 = 15,
    Num9 = 16,
    Semicolon = 17,
    Equal = 18,
    A = 19,
    B = 20,
    C = 21,
    D = 22,
    E = 23,
    F = 24,
    G = 25,
    H = 26,
    I = 27,
    J = 28,
    K = 29,
    L = 30,
    M = 31,
    N = 32,
    O = 33,
    P = 34,
    Q = 35,
    R = 36,
    S = 37,
    T = 38,
    U = 39,
    V = 40,
    W = 41,
    X = 42,
    Y = 43,
    Z = 44,
    LeftBracket = 45,
    Backslash = 46,
    RightBracket = 47,
    GraveAccent = 48,
    World1 = 49,
    World2 = 50,
    Escape = 51,
    Enter = 52,
    Tab = 53,
    Backspace = 54,
    Insert = 55,
    Delete = 56,
    Right = 57,
    Left = 58,
    Down = 59,
    Up = 60,
    PageUp = 61,
    PageDown = 62,
    Home = 63,
    End = 64,
    CapsLock = 65,
    ScrollLock = 66,
    NumLock = 67,
    PrintScreen = 68,
    Pause = 69,
    F1 = 70,
    F2 = 71,
    F3 = 72,
    F4 = 73,
    F5 = 74,
    F6 = 75,
    F7 = 76,
    F8 = 77,
    F9 = 78,
    F10 = 79,
    F11 = 80,
    F12 = 81,
    F13 = 82,
    F14 = 83,
    F15 = 84,
    F16 = 85,
    F17 = 86,
    F18 = 87,
    F19 = 88,
    F20 = 89,
    F21 = 90,
    F22 = 91,
    F23 = 92,
    F24 = 93,
    F25 = 94,
    Kp0 = 95,
    Kp1 = 96,
    Kp2 = 97,
    Kp3 = 98,
    Kp4 = 99,
    Kp5 = 100,
    Kp6 = 101,
    Kp7 = 102,
    Kp8 = 103,
    Kp9 = 104,
    KpDecimal = 105,
    KpDivide = 106,
    KpMultiply = 107,
    KpSubtract = 108,
    KpAdd = 109,
    KpEnter = 110,
    KpEqual = 111,
    LeftShift = 112,
    LeftControl = 113,
    LeftAlt = 114,
    LeftSuper = 115,
    RightShift = 116,
    RightControl = 117,
    RightAlt = 118,
    RightSuper = 119,
    Menu = 120,
    Last = 121,
};

// Number of EInputKey values; a table indexed by EInputKey has this many entries.
inline constexpr std::size_t InputKeyCount = 122;

enum class EInputAction : std::int32_t {
    Press = 1,
    Release = 2,
    Repeat = 3,
};

// Button1..Button8 are what events carry. Last, Left, Right and Middle are
// aliases for querying and never arrive in an event.
enum class EInputMouseButton : std::int32_t {
    Button1 = 1,
    Button2 = 2,
    Button3 = 3,
    Button4 = 4,
    Button5 = 5,
    Button6 = 6,
    Button7 = 7,
    Button8 = 8,
    Last = 9,
    Left = 10,
    Right = 11,
    Middle = 12,
};

// Modifier bits of the `mods` value passed with key and mouse-button events.
inline constexpr std::uint16_t ModShift = 0x0001;
inline constexpr std::uint16_t ModControl = 0x0002;
inline constexpr std::uint16_t ModAlt = 0x0004;
inline constexpr std::uint16_t ModSuper = 0x0008;

// An unset or unknown mode is an empty std::optional<ECursorMode>.
enum class ECursorMode : std::int32_t {
    Normal = 1,
    Hidden = 2,
    Disabled = 3,
};

} // namespace ox::renderer
