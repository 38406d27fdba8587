#pragma once

#include "cx/Cx0.hpp"
#include "renderer/input.hpp"

namespace ox::cx::input {

// A constant key, the second input of a KeyPressed.
class KeyIdentifier : public Cx0<renderer::EInputKey> {
public:
    explicit KeyIdentifier(renderer::EInputKey key);

    int compute() override;
};

} // namespace ox::cx::input
