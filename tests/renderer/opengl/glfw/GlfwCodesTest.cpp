#include "renderer/opengl/glfw/glfw_codes.hpp"

#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <set>
#include <vector>

using namespace ox::renderer;
using namespace ox::renderer::opengl::glfw;

namespace {

// Table order is what decides ambiguous codes, so it is pinned at compile time too.
static_assert(glfwKeyTable.size() == 122);
static_assert(keyFromGlfw(348) == EInputKey::Menu);
static_assert(keyToGlfw(EInputKey::Last) == 348);
static_assert(mouseButtonFromGlfw(0) == EInputMouseButton::Button1);

TEST(GlfwCodesTest, KeyTableRowsFollowTheEnumerationValues) {
    for (std::size_t row = 0; row < glfwKeyTable.size(); ++row) {
        EXPECT_EQ(static_cast<std::size_t>(glfwKeyTable[row].first), row);
    }
    EXPECT_EQ(static_cast<int>(EInputKey::Last), 121);
    EXPECT_EQ(static_cast<int>(EInputKey::Menu), 120);
}

TEST(GlfwCodesTest, SharedKeyCodeTranslatesToMenuButLastStillQueries348) {
    EXPECT_EQ(keyFromGlfw(348), EInputKey::Menu);
    EXPECT_EQ(keyToGlfw(EInputKey::Menu), 348);
    EXPECT_EQ(keyToGlfw(EInputKey::Last), 348);
}

TEST(GlfwCodesTest, UnknownKeyCodeIsASuccessfulTranslation) {
    const auto key = keyFromGlfw(-1);
    ASSERT_TRUE(key.has_value());
    EXPECT_EQ(*key, EInputKey::Unknown);
    EXPECT_EQ(keyToGlfw(EInputKey::Unknown), -1);
}

TEST(GlfwCodesTest, CodesGlfwDoesNotDefineFailToTranslate) {
    for (int code : {-2,  0,   31,  33,  40,  58,  60,  62,  64,  94,  95,  97,  160,
                     163, 255, 270, 279, 285, 289, 315, 319, 337, 339, 349, 1000}) {
        EXPECT_FALSE(keyFromGlfw(code).has_value()) << code;
    }
    EXPECT_FALSE(keyToGlfw(static_cast<EInputKey>(122)).has_value());
    EXPECT_FALSE(keyToGlfw(static_cast<EInputKey>(-1)).has_value());
}

// Every key against GLFW's own header, written independently of our table so
// that a swapped or mistyped row cannot pass by agreeing with itself.
TEST(GlfwCodesTest, EveryKeyMatchesTheGlfwHeader) {
    const std::vector<std::pair<EInputKey, int>> expected{
        {EInputKey::Unknown, GLFW_KEY_UNKNOWN},
        {EInputKey::Space, GLFW_KEY_SPACE},
        {EInputKey::Apostrophe, GLFW_KEY_APOSTROPHE},
        {EInputKey::Comma, GLFW_KEY_COMMA},
        {EInputKey::Minus, GLFW_KEY_MINUS},
        {EInputKey::Period, GLFW_KEY_PERIOD},
        {EInputKey::Slash, GLFW_KEY_SLASH},
        {EInputKey::Num0, GLFW_KEY_0},
        {EInputKey::Num1, GLFW_KEY_1},
        {EInputKey::Num2, GLFW_KEY_2},
        {EInputKey::Num3, GLFW_KEY_3},
        {EInputKey::Num4, GLFW_KEY_4},
        {EInputKey::Num5, GLFW_KEY_5},
        {EInputKey::Num6, GLFW_KEY_6},
        {EInputKey::Num7, GLFW_KEY_7},
        {EInputKey::Num8, GLFW_KEY_8},
        {EInputKey::Num9, GLFW_KEY_9},
        {EInputKey::Semicolon, GLFW_KEY_SEMICOLON},
        {EInputKey::Equal, GLFW_KEY_EQUAL},
        {EInputKey::A, GLFW_KEY_A},
        {EInputKey::B, GLFW_KEY_B},
        {EInputKey::C, GLFW_KEY_C},
        {EInputKey::D, GLFW_KEY_D},
        {EInputKey::E, GLFW_KEY_E},
        {EInputKey::F, GLFW_KEY_F},
        {EInputKey::G, GLFW_KEY_G},
        {EInputKey::H, GLFW_KEY_H},
        {EInputKey::I, GLFW_KEY_I},
        {EInputKey::J, GLFW_KEY_J},
        {EInputKey::K, GLFW_KEY_K},
        {EInputKey::L, GLFW_KEY_L},
        {EInputKey::M, GLFW_KEY_M},
        {EInputKey::N, GLFW_KEY_N},
        {EInputKey::O, GLFW_KEY_O},
        {EInputKey::P, GLFW_KEY_P},
        {EInputKey::Q, GLFW_KEY_Q},
        {EInputKey::R, GLFW_KEY_R},
        {EInputKey::S, GLFW_KEY_S},
        {EInputKey::T, GLFW_KEY_T},
        {EInputKey::U, GLFW_KEY_U},
        {EInputKey::V, GLFW_KEY_V},
        {EInputKey::W, GLFW_KEY_W},
        {EInputKey::X, GLFW_KEY_X},
        {EInputKey::Y, GLFW_KEY_Y},
        {EInputKey::Z, GLFW_KEY_Z},
        {EInputKey::LeftBracket, GLFW_KEY_LEFT_BRACKET},
        {EInputKey::Backslash, GLFW_KEY_BACKSLASH},
        {EInputKey::RightBracket, GLFW_KEY_RIGHT_BRACKET},
        {EInputKey::GraveAccent, GLFW_KEY_GRAVE_ACCENT},
        {EInputKey::World1, GLFW_KEY_WORLD_1},
        {EInputKey::World2, GLFW_KEY_WORLD_2},
        {EInputKey::Escape, GLFW_KEY_ESCAPE},
        {EInputKey::Enter, GLFW_KEY_ENTER},
        {EInputKey::Tab, GLFW_KEY_TAB},
        {EInputKey::Backspace, GLFW_KEY_BACKSPACE},
        {EInputKey::Insert, GLFW_KEY_INSERT},
        {EInputKey::Delete, GLFW_KEY_DELETE},
        {EInputKey::Right, GLFW_KEY_RIGHT},
        {EInputKey::Left, GLFW_KEY_LEFT},
        {EInputKey::Down, GLFW_KEY_DOWN},
        {EInputKey::Up, GLFW_KEY_UP},
        {EInputKey::PageUp, GLFW_KEY_PAGE_UP},
        {EInputKey::PageDown, GLFW_KEY_PAGE_DOWN},
        {EInputKey::Home, GLFW_KEY_HOME},
        {EInputKey::End, GLFW_KEY_END},
        {EInputKey::CapsLock, GLFW_KEY_CAPS_LOCK},
        {EInputKey::ScrollLock, GLFW_KEY_SCROLL_LOCK},
        {EInputKey::NumLock, GLFW_KEY_NUM_LOCK},
        {EInputKey::PrintScreen, GLFW_KEY_PRINT_SCREEN},
        {EInputKey::Pause, GLFW_KEY_PAUSE},
        {EInputKey::F1, GLFW_KEY_F1},
        {EInputKey::F2, GLFW_KEY_F2},
        {EInputKey::F3, GLFW_KEY_F3},
        {EInputKey::F4, GLFW_KEY_F4},
        {EInputKey::F5, GLFW_KEY_F5},
        {EInputKey::F6, GLFW_KEY_F6},
        {EInputKey::F7, GLFW_KEY_F7},
        {EInputKey::F8, GLFW_KEY_F8},
        {EInputKey::F9, GLFW_KEY_F9},
        {EInputKey::F10, GLFW_KEY_F10},
        {EInputKey::F11, GLFW_KEY_F11},
        {EInputKey::F12, GLFW_KEY_F12},
        {EInputKey::F13, GLFW_KEY_F13},
        {EInputKey::F14, GLFW_KEY_F14},
        {EInputKey::F15, GLFW_KEY_F15},
        {EInputKey::F16, GLFW_KEY_F16},
        {EInputKey::F17, GLFW_KEY_F17},
        {EInputKey::F18, GLFW_KEY_F18},
        {EInputKey::F19, GLFW_KEY_F19},
        {EInputKey::F20, GLFW_KEY_F20},
        {EInputKey::F21, GLFW_KEY_F21},
        {EInputKey::F22, GLFW_KEY_F22},
        {EInputKey::F23, GLFW_KEY_F23},
        {EInputKey::F24, GLFW_KEY_F24},
        {EInputKey::F25, GLFW_KEY_F25},
        {EInputKey::Kp0, GLFW_KEY_KP_0},
        {EInputKey::Kp1, GLFW_KEY_KP_1},
        {EInputKey::Kp2, GLFW_KEY_KP_2},
        {EInputKey::Kp3, GLFW_KEY_KP_3},
        {EInputKey::Kp4, GLFW_KEY_KP_4},
        {EInputKey::Kp5, GLFW_KEY_KP_5},
        {EInputKey::Kp6, GLFW_KEY_KP_6},
        {EInputKey::Kp7, GLFW_KEY_KP_7},
        {EInputKey::Kp8, GLFW_KEY_KP_8},
        {EInputKey::Kp9, GLFW_KEY_KP_9},
        {EInputKey::KpDecimal, GLFW_KEY_KP_DECIMAL},
        {EInputKey::KpDivide, GLFW_KEY_KP_DIVIDE},
        {EInputKey::KpMultiply, GLFW_KEY_KP_MULTIPLY},
        {EInputKey::KpSubtract, GLFW_KEY_KP_SUBTRACT},
        {EInputKey::KpAdd, GLFW_KEY_KP_ADD},
        {EInputKey::KpEnter, GLFW_KEY_KP_ENTER},
        {EInputKey::KpEqual, GLFW_KEY_KP_EQUAL},
        {EInputKey::LeftShift, GLFW_KEY_LEFT_SHIFT},
        {EInputKey::LeftControl, GLFW_KEY_LEFT_CONTROL},
        {EInputKey::LeftAlt, GLFW_KEY_LEFT_ALT},
        {EInputKey::LeftSuper, GLFW_KEY_LEFT_SUPER},
        {EInputKey::RightShift, GLFW_KEY_RIGHT_SHIFT},
        {EInputKey::RightControl, GLFW_KEY_RIGHT_CONTROL},
        {EInputKey::RightAlt, GLFW_KEY_RIGHT_ALT},
        {EInputKey::RightSuper, GLFW_KEY_RIGHT_SUPER},
        {EInputKey::Menu, GLFW_KEY_MENU},
        {EInputKey::Last, GLFW_KEY_LAST},

    };
    ASSERT_EQ(expected.size(), 122u);
    for (const auto& [key, code] : expected) {
        EXPECT_EQ(keyToGlfw(key), code) << "key " << static_cast<int>(key);
        if (key != EInputKey::Last) {
            EXPECT_EQ(keyFromGlfw(code), key) << "GLFW code " << code;
        }
    }
}

TEST(GlfwCodesTest, EveryKeyRoundTripsExceptLastWhichSharesMenusCode) {
    std::set<int> codes;
    for (const auto& [key, code] : glfwKeyTable) {
        ASSERT_EQ(keyToGlfw(key), code);
        const auto back = keyFromGlfw(code);
        ASSERT_TRUE(back.has_value()) << code;
        EXPECT_EQ(*back, key == EInputKey::Last ? EInputKey::Menu : key) << code;
        codes.insert(code);
    }
    EXPECT_EQ(codes.size(), 121u); // only Last shares a code
}

TEST(GlfwCodesTest, ActionsTranslateBothWays) {
    EXPECT_EQ(actionFromGlfw(1), EInputAction::Press);
    EXPECT_EQ(actionFromGlfw(0), EInputAction::Release);
    EXPECT_EQ(actionFromGlfw(2), EInputAction::Repeat);
    EXPECT_FALSE(actionFromGlfw(3).has_value());
    EXPECT_FALSE(actionFromGlfw(-1).has_value());
    for (const auto& [action, code] : glfwActionTable) {
        EXPECT_EQ(actionToGlfw(action), code);
        EXPECT_EQ(actionFromGlfw(code), action);
    }
    EXPECT_FALSE(actionToGlfw(static_cast<EInputAction>(0)).has_value());
}

TEST(GlfwCodesTest, GlfwButtonsBecomeNumberedButtonsNeverAliases) {
    const auto first = mouseButtonFromGlfw(0);
    ASSERT_TRUE(first.has_value());
    EXPECT_EQ(*first, EInputMouseButton::Button1);
    EXPECT_EQ(static_cast<int>(*first), 1);
    for (int code = 0; code < 8; ++code) {
        EXPECT_EQ(static_cast<int>(*mouseButtonFromGlfw(code)), code + 1);
    }
    EXPECT_FALSE(mouseButtonFromGlfw(8).has_value());
    EXPECT_FALSE(mouseButtonFromGlfw(-1).has_value());
}

TEST(GlfwCodesTest, ButtonAliasesQueryTheirGlfwButtons) {
    EXPECT_EQ(mouseButtonToGlfw(EInputMouseButton::Left), 0);
    EXPECT_EQ(mouseButtonToGlfw(EInputMouseButton::Right), 1);
    EXPECT_EQ(mouseButtonToGlfw(EInputMouseButton::Middle), 2);
    EXPECT_EQ(mouseButtonToGlfw(EInputMouseButton::Last), 7);
    EXPECT_FALSE(mouseButtonToGlfw(static_cast<EInputMouseButton>(0)).has_value());
    EXPECT_FALSE(mouseButtonToGlfw(static_cast<EInputMouseButton>(13)).has_value());
    for (const auto& [button, code] : glfwMouseButtonTable) {
        EXPECT_EQ(mouseButtonToGlfw(button), code);
    }
}

TEST(GlfwCodesTest, ModifierBitsKeepTheirPositions) {
    EXPECT_EQ(modsFromGlfw(0x1 | 0x4), 0x0005);
    EXPECT_EQ(modsFromGlfw(0x3), ModShift | ModControl);
    EXPECT_EQ(modsFromGlfw(0xF), 0x000F);
    EXPECT_EQ(modsFromGlfw(0), 0);
    // Caps lock and num lock (0x10, 0x20) are not part of our set.
    EXPECT_EQ(modsFromGlfw(0x10 | 0x20 | 0x8), ModSuper);
}

TEST(GlfwCodesTest, CursorModesTranslateBothWays) {
    EXPECT_EQ(cursorModeToGlfw(ECursorMode::Normal), 0x34001);
    EXPECT_EQ(cursorModeToGlfw(ECursorMode::Hidden), 0x34002);
    EXPECT_EQ(cursorModeToGlfw(ECursorMode::Disabled), 0x34003);
    for (const auto& [mode, code] : glfwCursorModeTable) {
        EXPECT_EQ(cursorModeFromGlfw(code), mode);
    }
    EXPECT_FALSE(cursorModeFromGlfw(0x34004).has_value());
    EXPECT_FALSE(cursorModeFromGlfw(0).has_value());
    EXPECT_FALSE(cursorModeToGlfw(static_cast<ECursorMode>(0)).has_value());
    EXPECT_FALSE(cursorModeToGlfw(static_cast<ECursorMode>(4)).has_value());
}

} // namespace
