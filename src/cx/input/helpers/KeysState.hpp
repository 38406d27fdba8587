#pragma once

#include "renderer/input.hpp"

#include <array>
#include <cstdint>

namespace ox::cx::input::helpers {

// The last reported action of every key, indexed by the numeric value of its
// EInputKey. A key never reported counts as released.
struct KeysState {
    std::array<renderer::EInputAction, renderer::InputKeyCount> keys = released();

private:
    static constexpr std::array<renderer::EInputAction, renderer::InputKeyCount> released() {
        std::array<renderer::EInputAction, renderer::InputKeyCount> all{};
        all.fill(renderer::EInputAction::Release);
        return all;
    }
};

static_assert(sizeof(renderer::EInputAction) == sizeof(std::int32_t));

} // namespace ox::cx::input::helpers
