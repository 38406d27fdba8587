#pragma once

#include "cx/Cx1.hpp"

#include <memory>

namespace ox::cx::generator {

// The change of a time input since the previous pass, in the input's units.
// `previous` starts at 0, so the first pass yields the whole time since the
// clock's origin.
class TimeDelta : public Cx1<double, double> {
public:
    double previous = 0.0;

    explicit TimeDelta(std::shared_ptr<Cx0<double>> time);

    int compute() override;
};

} // namespace ox::cx::generator
