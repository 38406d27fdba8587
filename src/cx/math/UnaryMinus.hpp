#pragma once

#include "cx/Cx1.hpp"

#include <memory>
#include <utility>

namespace ox::cx::math {
namespace {

// -input1. A negation flips the sign bit only (0 becomes -0, a NaN changes
// sign), which subtracting from zero would not.
template <typename T>
class UnaryMinus : public Cx1<T, T> {
public:
    explicit UnaryMinus(std::shared_ptr<Cx0<T>> input1)
        : Cx1<T, T>(std::move(input1)) {}

    int compute() override {
        this->value = -this->input1->value;
        return 0;
    }
};

} // namespace
} // namespace ox::cx::math
