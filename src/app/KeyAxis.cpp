#include "app/KeyAxis.hpp"

#include "cx/input/KeyIdentifier.hpp"
#include "cx/input/KeyPressed.hpp"
#include "cx/logic/Switch.hpp"
#include "cx/math/Plus.hpp"
#include "cx/math/UnaryMinus.hpp"

namespace ox::app {

using cx::input::KeyIdentifier;
using cx::input::KeyPressed;
using cx::logic::Switch;
using cx::math::Plus;
using cx::math::UnaryMinus;

std::shared_ptr<cx::Cx0<float>> createKeyAxis(
    cx::CxManager& manager, const std::shared_ptr<cx::Cx0<cx::input::helpers::KeysState>>& keys,
    renderer::EInputKey negative, renderer::EInputKey positive,
    const std::shared_ptr<cx::Cx0<float>>& zero, const std::shared_ptr<cx::Cx0<float>>& speed) {
    // The manager refuses nodes with empty inputs by returning an empty
    // pointer, which then propagates to every node built on it.
    const auto negativeKey = manager.create<KeyIdentifier>(negative);
    const auto negativeHeld = manager.create<KeyPressed>(keys, negativeKey);
    const auto negativeRate = manager.create<Switch<float>>(negativeHeld, zero, speed);
    const auto negated = manager.create<UnaryMinus<float>>(negativeRate);
    const auto positiveKey = manager.create<KeyIdentifier>(positive);
    const auto positiveHeld = manager.create<KeyPressed>(keys, positiveKey);
    const auto positiveRate = manager.create<Switch<float>>(positiveHeld, zero, speed);
    return manager.create<Plus<float, float>>(negated, positiveRate);
}

} // namespace ox::app
