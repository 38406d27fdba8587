#pragma once

#include "cx/Cx3.hpp"

#include <memory>
#include <utility>

namespace ox::cx::logic {
namespace {

// Selects input3 while the condition input1 holds, input2 otherwise. Both
// candidates are computed every pass; only the chosen one is copied.
template <typename T>
class Switch : public Cx3<T, bool, T, T> {
public:
    Switch(std::shared_ptr<Cx0<bool>> condition, std::shared_ptr<Cx0<T>> whenFalse,
           std::shared_ptr<Cx0<T>> whenTrue)
        : Cx3<T, bool, T, T>(std::move(condition), std::move(whenFalse), std::move(whenTrue)) {}

    int compute() override {
        this->value = this->input1->value ? this->input3->value : this->input2->value;
        return 0;
    }
};

} // namespace
} // namespace ox::cx::logic
