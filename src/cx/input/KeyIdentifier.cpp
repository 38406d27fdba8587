#include "cx/input/KeyIdentifier.hpp"

namespace ox::cx::input {

KeyIdentifier::KeyIdentifier(renderer::EInputKey key) {
    value = key;
}

int KeyIdentifier::compute() {
    return 0;
}

} // namespace ox::cx::input
