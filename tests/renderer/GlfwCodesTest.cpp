#include "renderer/glfw_codes.hpp"

#include <gtest/gtest.h>

#include <set>

using namespace ox::renderer;

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

TEST(GlfwCodesTest, SpotChecksAgainstGlfwKeyCodes) {
    EXPECT_EQ(keyFromGlfw(87), EInputKey::W);
    EXPECT_EQ(keyFromGlfw(32), EInputKey::Space);
    EXPECT_EQ(keyFromGlfw(48), EInputKey::Num0);
    EXPECT_EQ(keyFromGlfw(57), EInputKey::Num9);
    EXPECT_EQ(keyFromGlfw(65), EInputKey::A);
    EXPECT_EQ(keyFromGlfw(90), EInputKey::Z);
    EXPECT_EQ(keyFromGlfw(256), EInputKey::Escape);
    EXPECT_EQ(keyFromGlfw(290), EInputKey::F1);
    EXPECT_EQ(keyFromGlfw(314), EInputKey::F25);
    EXPECT_EQ(keyFromGlfw(320), EInputKey::Kp0);
    EXPECT_EQ(keyFromGlfw(336), EInputKey::KpEqual);
    EXPECT_EQ(keyFromGlfw(340), EInputKey::LeftShift);
    EXPECT_EQ(keyFromGlfw(347), EInputKey::RightSuper);
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
