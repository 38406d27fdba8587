#pragma once

#include "cx/Cx0.hpp"

#include <memory>
#include <utility>

namespace ox::cx {

// A node computed from one input. The node keeps its input alive.
template <typename T, typename A>
class Cx1 : public Cx0<T> {
public:
    std::shared_ptr<Cx0<A>> input1;

    explicit Cx1(std::shared_ptr<Cx0<A>> input1)
        : input1(std::move(input1)) {}
};

} // namespace ox::cx
