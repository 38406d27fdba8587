#include "app/KeyAxis.hpp"
#include "cx/CxManager.hpp"
#include "cx/CxStatic.hpp"
#include "cx/input/KeysPressed.hpp"

#include <gtest/gtest.h>

#include <memory>

namespace {

using ox::cx::CxManager;
using ox::cx::CxStatic;
using ox::cx::input::KeysPressed;
using ox::renderer::EInputAction;
using ox::renderer::EInputKey;

TEST(KeyAxisTest, PositiveKeyGivesTheSpeedNegativeItsNegationBothOrNeitherZero) {
    const struct {
        EInputAction negative;
        EInputAction positive;
        float expected;
    } cases[] = {
        {EInputAction::Release, EInputAction::Release, 0.0f},
        {EInputAction::Press, EInputAction::Release, -2.5f},
        {EInputAction::Release, EInputAction::Press, 2.5f},
        {EInputAction::Press, EInputAction::Press, 0.0f},
        // A held key keeps repeating while it stays down.
        {EInputAction::Repeat, EInputAction::Release, -2.5f},
    };
    for (const auto& [negative, positive, expected] : cases) {
        CxManager manager;
        const auto keys = manager.create<KeysPressed>();
        const auto axis = ox::app::createKeyAxis(manager, keys, EInputKey::N, EInputKey::P,
                                                 manager.create<CxStatic<float>>(0.0f),
                                                 manager.create<CxStatic<float>>(2.5f));
        ASSERT_TRUE(axis);
        keys->onKey(nullptr, EInputKey::N, 0, negative, 0);
        keys->onKey(nullptr, EInputKey::P, 0, positive, 0);
        manager.update();
        EXPECT_EQ(axis->value, expected)
            << "N " << static_cast<int>(negative) << ", P " << static_cast<int>(positive);
    }
}

} // namespace
