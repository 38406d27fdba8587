#pragma once

#include "cx/Cx2.hpp"

#include <memory>
#include <utility>

namespace ox::cx {

// A node computed from three inputs, kept alive by the node.
template <typename T, typename A, typename B, typename C>
class Cx3 : public Cx2<T, A, B> {
public:
    std::shared_ptr<Cx0<C>> input3;

    Cx3(std::shared_ptr<Cx0<A>> input1, std::shared_ptr<Cx0<B>> input2,
        std::shared_ptr<Cx0<C>> input3)
        : Cx2<T, A, B>(std::move(input1), std::move(input2))
        , input3(std::move(input3)) {}
};

} // namespace ox::cx
