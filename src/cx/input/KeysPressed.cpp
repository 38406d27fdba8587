#include "cx/input/KeysPressed.hpp"

#include <cstddef>

namespace ox::cx::input {

int KeysPressed::compute() {
    return 0;
}

void KeysPressed::onKey(std::shared_ptr<renderer::IRendererWindow> /*window*/,
                        renderer::EInputKey key, int /*scancode*/, renderer::EInputAction action,
                        unsigned short /*mods*/) {
    const auto index = static_cast<std::size_t>(key);
    if (index >= value.keys.size()) {
        return;
    }
    value.keys[index] = action;
}

} // namespace ox::cx::input
