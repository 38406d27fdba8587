#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

namespace ox::renderer {

struct IRenderer;

// Payload of the renderer's message event. It lives only for the duration of
// the event call: `message` refers to a view owned by the caller, so listeners
// copy the text if they keep it.
struct renderer_message_data_t {
    // The renderer that reports the message; may be empty.
    std::shared_ptr<IRenderer> renderer;
    // 0 = error, 1 = information; any other value is treated as the lowest severity.
    std::int32_t type;
    const std::string_view& message;
};

inline constexpr std::int32_t MessageTypeError = 0;
inline constexpr std::int32_t MessageTypeInfo = 1;

} // namespace ox::renderer
