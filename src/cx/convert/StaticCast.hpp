#pragma once

#include "cx/Cx1.hpp"

#include <memory>
#include <utility>

namespace ox::cx::convert {
namespace {

// input1 converted to To with one rounding conversion; between floating-point
// types, values beyond the target's range become infinities.
template <typename To, typename From>
class StaticCast : public Cx1<To, From> {
public:
    explicit StaticCast(std::shared_ptr<Cx0<From>> input1)
        : Cx1<To, From>(std::move(input1)) {}

    int compute() override {
        this->value = static_cast<To>(this->input1->value);
        return 0;
    }
};

} // namespace
} // namespace ox::cx::convert
