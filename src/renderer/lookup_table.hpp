#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <type_traits>
#include <utility>

// The system's enumerations reach GLFW and OpenGL through fixed tables of
// (value, constant) pairs. Both directions search from the top and the first
// matching row wins, so where two rows share a value or a constant the upper
// one decides. Anything not in the table gives an empty optional, which the
// callers turn into "do nothing".
namespace ox::renderer {

// The constant paired with `value`.
template <typename Value, typename Constant, std::size_t N>
constexpr std::optional<Constant> lookUp(const std::array<std::pair<Value, Constant>, N>& table,
                                         std::type_identity_t<Value> value) {
    for (const auto& [candidate, constant] : table) {
        if (candidate == value) {
            return constant;
        }
    }
    return std::nullopt;
}

// The value paired with `constant`.
template <typename Value, typename Constant, std::size_t N>
constexpr std::optional<Value> reverseLookUp(const std::array<std::pair<Value, Constant>, N>& table,
                                             std::type_identity_t<Constant> constant) {
    for (const auto& [value, candidate] : table) {
        if (candidate == constant) {
            return value;
        }
    }
    return std::nullopt;
}

} // namespace ox::renderer
