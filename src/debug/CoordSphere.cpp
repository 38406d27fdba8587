#include "debug/CoordSphere.hpp"

#include <cmath>

namespace ox::debug {

void CoordSphere::fillOutline() {
    // The angle steps in single precision, so the loop bound decides the count:
    // after 16 steps of pi/8 the float angle has reached 2*pi (as a float) and
    // the closing point is not repeated.
    constexpr float fullTurn = 6.2831855f;
    constexpr float step = 0.3926991f;
    for (float angle = 0.0f; angle < fullTurn; angle += step) {
        const double wide = angle;
        outline.emplace_back(static_cast<float>(std::cos(wide)),
                             static_cast<float>(std::sin(wide)));
    }
}

} // namespace ox::debug
