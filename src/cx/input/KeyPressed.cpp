#include "cx/input/KeyPressed.hpp"

#include <cstddef>
#include <utility>

namespace ox::cx::input {

KeyPressed::KeyPressed(std::shared_ptr<Cx0<helpers::KeysState>> keys,
                       std::shared_ptr<Cx0<renderer::EInputKey>> key)
    : Cx2<bool, helpers::KeysState, renderer::EInputKey>(std::move(keys), std::move(key)) {}

int KeyPressed::compute() {
    const auto& keys = input1->value.keys;
    const auto index = static_cast<std::size_t>(input2->value);
    if (index >= keys.size()) {
        value = false;
        return 0;
    }
    const renderer::EInputAction action = keys[index];
    value = action == renderer::EInputAction::Press || action == renderer::EInputAction::Repeat;
    return 0;
}

} // namespace ox::cx::input
