#pragma once

#include "cx/Cx2.hpp"

#include <memory>
#include <utility>

namespace ox::cx::math {
namespace {

// input2 + input1, in the precision of A.
template <typename T, typename A>
class Plus : public Cx2<T, A, A> {
public:
    Plus(std::shared_ptr<Cx0<A>> input1, std::shared_ptr<Cx0<A>> input2)
        : Cx2<T, A, A>(std::move(input1), std::move(input2)) {}

    int compute() override {
        this->value = static_cast<T>(this->input2->value + this->input1->value);
        return 0;
    }
};

} // namespace
} // namespace ox::cx::math
