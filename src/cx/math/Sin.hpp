#pragma once

#include "cx/Cx1.hpp"

#include <cmath>
#include <memory>
#include <utility>

namespace ox::cx::math {

// sin(input1), evaluated in double precision and rounded back to T, so that a
// float input of pi/2 gives exactly 1.
template <typename T, typename A>
class Sin : public Cx1<T, A> {
public:
    explicit Sin(std::shared_ptr<Cx0<A>> input1)
        : Cx1<T, A>(std::move(input1)) {}

    int compute() override {
        this->value = static_cast<T>(std::sin(static_cast<double>(this->input1->value)));
        return 0;
    }
};

} // namespace ox::cx::math
