#include "renderer/KeyLatch.hpp"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

using ox::renderer::EInputAction;
using ox::renderer::EInputKey;

TEST(KeyLatchTest, AnswersEachQuestionAsAWindowsKeyboardWould) {
    const struct {
        const char* name;
        std::vector<std::pair<EInputKey, EInputAction>> events;
        EInputKey asked;
        // One answer per question, asked one after the other.
        std::vector<bool> answers;
    } cases[] = {
        {"nothing held", {}, EInputKey::W, {false}},
        {"held", {{EInputKey::W, EInputAction::Press}}, EInputKey::W, {true, true}},
        {"a repeat is no press", {{EInputKey::W, EInputAction::Repeat}}, EInputKey::W, {false}},
        {"a tap is seen once",
         {{EInputKey::C, EInputAction::Press}, {EInputKey::C, EInputAction::Release}},
         EInputKey::C,
         {true, false}},
        {"another key held", {{EInputKey::W, EInputAction::Press}}, EInputKey::S, {false}},
        // GLFW key 348 arrives as Menu, and asking for Last asks for key 348.
        {"Last answers for the held Menu key",
         {{EInputKey::Menu, EInputAction::Press}},
         EInputKey::Last,
         {true}},
        {"Last is not held with nothing held", {}, EInputKey::Last, {false}},
        // Every key without a name of its own arrives as Unknown: holding one
        // of them is holding no particular key.
        {"an untranslatable key held is no key",
         {{EInputKey::Unknown, EInputAction::Press}},
         EInputKey::Unknown,
         {false}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ox::renderer::KeyLatch keys;
        for (const auto& [key, action] : c.events) {
            keys.onKey(key, action);
        }
        std::vector<bool> answers;
        for (std::size_t i = 0; i < c.answers.size(); ++i) {
            answers.push_back(keys.isPressed(c.asked));
        }
        EXPECT_EQ(answers, c.answers);
    }
}

} // namespace
