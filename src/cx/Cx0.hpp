#pragma once

#include "cx/ICx.hpp"

#include <glm/mat4x4.hpp>

#include <type_traits>

namespace ox::cx {

// A node that holds one value of type T and has no inputs. Other nodes read
// `value` directly through their input pointers; sources (time, keyboard) are
// written from outside the graph between evaluation passes. Shared by the
// manager and by every node that reads it. Main thread only.
template <typename T>
class Cx0 : public ICx {
public:
    T value = initialValue();

    ~Cx0() override = default;

    int update() override { return compute(); }

    // Recomputes `value` from the inputs; sources implement it as a no-op.
    virtual int compute() = 0;

private:
    // A matrix that nobody has computed yet should not collapse the scene, so
    // it starts as the identity; everything else starts at zero.
    static T initialValue() {
        if constexpr (std::is_same_v<T, ::glm::mat4>) {
            return T(1.0f);
        } else {
            return T{};
        }
    }
};

} // namespace ox::cx
