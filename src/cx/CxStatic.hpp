#pragma once

#include "cx/Cx0.hpp"

namespace ox::cx {
namespace {

// A constant: keeps the value it was built with for its whole life.
template <typename T>
class CxStatic : public Cx0<T> {
public:
    explicit CxStatic(T constant) { this->value = constant; }

    int compute() override { return 0; }
};

} // namespace
} // namespace ox::cx
