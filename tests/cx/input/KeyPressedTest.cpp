#include "cx/input/KeyPressed.hpp"
#include "cx/CxManager.hpp"
#include "cx/input/KeyIdentifier.hpp"
#include "cx/input/KeysPressed.hpp"
#include "renderer/RendererWindowEventsDispatcher.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

using ox::cx::CxManager;
using ox::cx::input::KeyIdentifier;
using ox::cx::input::KeyPressed;
using ox::cx::input::KeysPressed;
using ox::renderer::EInputAction;
using ox::renderer::EInputKey;

class KeyPressedTest : public ::testing::Test {
protected:
    void press(EInputKey key, EInputAction action) { keys->onKey(nullptr, key, 0, action, 0); }

    std::shared_ptr<KeyPressed> watch(EInputKey key) {
        return manager.create<KeyPressed>(keys, manager.create<KeyIdentifier>(key));
    }

    CxManager manager;
    std::shared_ptr<KeysPressed> keys = manager.create<KeysPressed>();
};

TEST_F(KeyPressedTest, EveryKeyStartsReleased) {
    for (auto action : keys->value.keys) {
        EXPECT_EQ(action, EInputAction::Release);
    }
    auto first = watch(EInputKey::Unknown);
    auto last = watch(EInputKey::Last);
    manager.update();
    EXPECT_FALSE(first->value);
    EXPECT_FALSE(last->value);
}

TEST_F(KeyPressedTest, FollowsPressRepeatAndReleaseOfItsOwnKeyOnly) {
    auto w = watch(EInputKey::W);
    auto s = watch(EInputKey::S);

    press(EInputKey::W, EInputAction::Press);
    manager.update();
    EXPECT_TRUE(w->value);
    EXPECT_FALSE(s->value);

    press(EInputKey::W, EInputAction::Repeat);
    manager.update();
    EXPECT_TRUE(w->value);

    // A pass does not reset the state: the key stays held without new events.
    manager.update();
    EXPECT_TRUE(w->value);

    press(EInputKey::S, EInputAction::Press);
    press(EInputKey::W, EInputAction::Release);
    manager.update();
    EXPECT_FALSE(w->value);
    EXPECT_TRUE(s->value);
}

TEST_F(KeyPressedTest, KeysOutsideTheTableAreIgnored) {
    const auto before = keys->value.keys;
    const auto pastEnd = static_cast<EInputKey>(ox::renderer::InputKeyCount);
    press(pastEnd, EInputAction::Press);
    press(static_cast<EInputKey>(-1), EInputAction::Press);
    EXPECT_EQ(keys->value.keys, before);

    auto corrupt = watch(pastEnd);
    auto negative = watch(static_cast<EInputKey>(-1));
    manager.update();
    EXPECT_FALSE(corrupt->value);
    EXPECT_FALSE(negative->value);
}

TEST_F(KeyPressedTest, ReceivesKeyEventsThroughTheWindowDispatcher) {
    using namespace std::placeholders;
    auto dispatcher = std::make_shared<ox::renderer::RendererWindowEventsDispatcher>();
    dispatcher->addOnKeyEventListener(
        std::bind(&KeysPressed::onKey, keys.get(), _1, _2, _3, _4, _5));
    auto t = watch(EInputKey::T);

    dispatcher->invokeOnKeyEvent(nullptr, EInputKey::T, 20, EInputAction::Press, 0x0001);
    manager.update();
    EXPECT_TRUE(t->value);

    dispatcher->invokeOnKeyEvent(nullptr, EInputKey::T, 20, EInputAction::Release, 0);
    manager.update();
    EXPECT_FALSE(t->value);
}

} // namespace
