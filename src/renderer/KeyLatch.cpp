#include "renderer/KeyLatch.hpp"

#include <cstddef>

namespace ox::renderer {

namespace {

// Keys outside the table (none the translation produces) have no state.
bool inTable(EInputKey key) {
    return static_cast<std::size_t>(key) < InputKeyCount;
}

} // namespace

void KeyLatch::onKey(EInputKey key, EInputAction action) {
    if (!inTable(key)) {
        return;
    }
    key_state_t& state = keys[static_cast<std::size_t>(key)];
    if (action == EInputAction::Press) {
        state.held = true;
        state.unseen = true;
    } else if (action == EInputAction::Release) {
        state.held = false;
    }
}

bool KeyLatch::isPressed(EInputKey key) {
    // Unknown stands for every key the window system cannot name, so it is
    // no key that can be held; asking for it must not answer for whichever
    // of them is down.
    if (key == EInputKey::Unknown || !inTable(key)) {
        return false;
    }
    // Last names the window system's last key, which events call Menu.
    if (key == EInputKey::Last) {
        key = EInputKey::Menu;
    }
    key_state_t& state = keys[static_cast<std::size_t>(key)];
    const bool pressed = state.held || state.unseen;
    state.unseen = false;
    return pressed;
}

} // namespace ox::renderer
