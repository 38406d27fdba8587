#pragma once

#include "cx/Cx3.hpp"

#include <glm/vec3.hpp>

#include <memory>
#include <utility>

namespace ox::cx::glm {
namespace {

// Assembles three scalar inputs into a three-component vector (x, y, z).
template <typename T>
class Vec3 : public Cx3<::glm::vec<3, T>, T, T, T> {
public:
    Vec3(std::shared_ptr<Cx0<T>> x, std::shared_ptr<Cx0<T>> y, std::shared_ptr<Cx0<T>> z)
        : Cx3<::glm::vec<3, T>, T, T, T>(std::move(x), std::move(y), std::move(z)) {}

    int compute() override {
        this->value =
            ::glm::vec<3, T>(this->input1->value, this->input2->value, this->input3->value);
        return 0;
    }
};

} // namespace
} // namespace ox::cx::glm
