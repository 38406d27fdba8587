#pragma once

#include "renderer/window_hints.hpp"

#include <cstdint>
#include <memory>

namespace ox::renderer {

struct IMonitorVideoMode;
struct IRendererWindowFactory;

// Ordered window and context hints for the windows of one factory; every
// setter appends one or more hints and returns this builder for chaining.
// Belongs to (and is destroyed with) its IRendererWindowFactory. Main thread
// only.
struct IRendererWindowOpenGlHintFactory {
    virtual IRendererWindowOpenGlHintFactory&
    setContextVersion(const context_version_t& version) = 0;
    virtual IRendererWindowOpenGlHintFactory& setIntHint(EWindowIntHint hint,
                                                         std::int32_t value) = 0;
    virtual IRendererWindowOpenGlHintFactory& setBoolHint(EWindowBoolHint hint, bool value) = 0;
    virtual IRendererWindowOpenGlHintFactory& setClientApi(EClientApi api) = 0;
    virtual IRendererWindowOpenGlHintFactory&
    setContextRobustness(EContextRobustness robustness) = 0;
    virtual IRendererWindowOpenGlHintFactory& setOpenGlProfile(EOpenGlProfile profile) = 0;
    // Red, green and blue bit depths of the video mode; nothing for an empty one.
    virtual IRendererWindowOpenGlHintFactory&
    setColorBits(std::shared_ptr<IMonitorVideoMode> mode) = 0;
    // The factory that owns this builder.
    virtual IRendererWindowFactory& getWindowFactory() = 0;

protected:
    ~IRendererWindowOpenGlHintFactory() = default;
};

} // namespace ox::renderer
