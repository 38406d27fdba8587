#pragma once

#include "cx/Cx0.hpp"

namespace ox::cx::generator {

// The application's running time in seconds. A source: the frame loop writes
// `value` before each evaluation pass; the pass itself leaves it alone.
class TimeTicks : public Cx0<double> {
public:
    int compute() override;
};

} // namespace ox::cx::generator
