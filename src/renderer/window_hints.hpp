#pragma once

#include <cstdint>

// Window and context hints understood by IRendererWindowOpenGlHintFactory. A
// value outside the listed range is ignored by the builder.
namespace ox::renderer {

enum class EWindowIntHint : std::int32_t {
    RedBits = 0,
    GreenBits = 1,
    BlueBits = 2,
    AlphaBits = 3,
    DepthBits = 4,
    StencilBits = 5,
    AccumRedBits = 6,
    AccumGreenBits = 7,
    AccumBlueBits = 8,
    AccumAlphaBits = 9,
    AuxBuffers = 10,
    Samples = 11,
    RefreshRate = 12,
    ContextVersionMajor = 13,
    ContextVersionMinor = 14,
};

enum class EWindowBoolHint : std::int32_t {
    Resizable = 0,
    Visible = 1,
    Decorated = 2,
    Stereo = 3,
    SrgbCapable = 4,
    OpenGlForwardCompat = 5,
    OpenGlDebugContext = 6,
};

enum class EClientApi : std::int32_t {
    OpenGl = 0,
    OpenGlEs = 1,
};

enum class EContextRobustness : std::int32_t {
    None = 0,
    NoResetNotification = 1,
    LoseContextOnReset = 2,
};

enum class EOpenGlProfile : std::int32_t {
    Any = 0,
    Compatibility = 1,
    Core = 2,
};

// Requested OpenGL context version, e.g. {4, 5}.
struct context_version_t {
    std::uint8_t major = 0;
    std::uint8_t minor = 0;
};

} // namespace ox::renderer
