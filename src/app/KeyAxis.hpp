#pragma once

#include "cx/Cx0.hpp"
#include "cx/CxManager.hpp"
#include "cx/input/helpers/KeysState.hpp"
#include "renderer/input.hpp"

#include <memory>

namespace ox::app {

// Turns two keys into one signed rate, built as nodes of `manager`: the value
// of `speed` while only `positive` is held, its negation while only `negative`
// is held, and 0 (from `zero`) while both or neither are. The manager and the
// returned pointer share the new nodes. Empty when an input is empty.
std::shared_ptr<cx::Cx0<float>> createKeyAxis(
    cx::CxManager& manager, const std::shared_ptr<cx::Cx0<cx::input::helpers::KeysState>>& keys,
    renderer::EInputKey negative, renderer::EInputKey positive,
    const std::shared_ptr<cx::Cx0<float>>& zero, const std::shared_ptr<cx::Cx0<float>>& speed);

} // namespace ox::app
