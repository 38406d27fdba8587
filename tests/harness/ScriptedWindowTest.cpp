#include "harness/ScriptedWindow.hpp"
#include "renderer/RendererWindowEventsDispatcher.hpp"
#include "support/NullRendererWindow.hpp"

#include <gtest/gtest.h>

#include <set>
#include <sstream>

namespace {

using ox::renderer::EInputKey;

// A window whose keyboard holds a fixed set of keys.
struct HoldingWindow : ox::test::NullRendererWindow {
    std::set<EInputKey> held;
    bool isKeyPressed(EInputKey key) const override { return held.count(key) > 0; }
};

TEST(ScriptedWindowTest, AKeyIsPressedWhenTheWindowOrTheScriptHoldsIt) {
    const struct {
        const char* name;
        std::set<EInputKey> real;
        const char* script; // all of it dispatched as frame 1
        EInputKey asked;
        bool pressed;
    } cases[] = {
        {"neither", {}, "", EInputKey::C, false},
        {"real only", {EInputKey::C}, "", EInputKey::C, true},
        {"scripted only", {}, "1 key down C\n", EInputKey::C, true},
        {"scripted tap, not asked about yet", {}, "1 key down C\n1 key up C\n", EInputKey::C, true},
        {"released by script, held for real", {EInputKey::C}, "1 key up C\n", EInputKey::C, true},
        {"another key scripted", {}, "1 key down Escape\n", EInputKey::C, false},
        {"scripted Escape", {}, "1 key down Escape\n", EInputKey::Escape, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::istringstream text(c.script);
        std::string error;
        auto script = ox::harness::InputScript::parse(text, error);
        ASSERT_TRUE(script) << error;
        auto real = std::make_shared<HoldingWindow>();
        real->held = c.real;
        const auto events = std::make_shared<ox::renderer::RendererWindowEventsDispatcher>();
        script->dispatch(1, *events, real);

        const ox::harness::ScriptedWindow window(real, *script);
        EXPECT_EQ(window.isKeyPressed(c.asked), c.pressed);
    }
}

} // namespace
