#pragma once

#include "cx/Cx2.hpp"
#include "cx/input/helpers/KeysState.hpp"
#include "renderer/input.hpp"

#include <memory>

namespace ox::cx::input {

// Whether one key is held: true while the keyboard state (input1) records a
// Press or Repeat for the watched key (input2). A key outside the table is
// never held.
class KeyPressed : public Cx2<bool, helpers::KeysState, renderer::EInputKey> {
public:
    KeyPressed(std::shared_ptr<Cx0<helpers::KeysState>> keys,
               std::shared_ptr<Cx0<renderer::EInputKey>> key);

    int compute() override;
};

} // namespace ox::cx::input
