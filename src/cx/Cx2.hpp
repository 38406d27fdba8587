#pragma once

#include "cx/Cx1.hpp"

#include <memory>
#include <utility>

namespace ox::cx {

// A node computed from two inputs, kept alive by the node.
template <typename T, typename A, typename B>
class Cx2 : public Cx1<T, A> {
public:
    std::shared_ptr<Cx0<B>> input2;

    Cx2(std::shared_ptr<Cx0<A>> input1, std::shared_ptr<Cx0<B>> input2)
        : Cx1<T, A>(std::move(input1))
        , input2(std::move(input2)) {}
};

} // namespace ox::cx
