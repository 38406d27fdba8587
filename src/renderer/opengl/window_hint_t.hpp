#pragma once

#include "renderer/window_hints.hpp"

#include <cstdint>
#include <variant>

namespace ox::renderer::opengl {

// One window or context hint as the window factory was given it, in the
// system's own terms; each platform turns the ordered list into its own form
// when it makes a window (later hints for the same setting win).
struct window_hint_t {
    std::variant<EWindowIntHint, EWindowBoolHint, EClientApi, EContextRobustness, EOpenGlProfile>
        hint;
    // The value of an int or bool hint; unused for the others, whose value
    // is the hint itself.
    std::int32_t value = 0;
};

} // namespace ox::renderer::opengl
