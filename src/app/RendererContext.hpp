#pragma once

#include "app/LoggingContext.hpp"
#include "renderer/IRenderer.hpp"
#include "renderer/IRendererWindow.hpp"
#include "renderer/IRendererWindowFactory.hpp"
#include "renderer/RendererEventsDispatcher.hpp"
#include "renderer/RendererWindowEventsDispatcher.hpp"
#include "renderer/opengl/renderer_options_t.hpp"

#include <memory>

namespace ox::app {

// The renderer, its factory, the main window and their event dispatchers.
// Filled only when the start-up succeeds; members are released last to first.
struct RendererContext {
    std::shared_ptr<renderer::RendererEventsDispatcher> rendererEvents;
    std::shared_ptr<renderer::IRenderer> renderer;
    std::shared_ptr<renderer::IRendererWindowFactory> windowFactory;
    std::shared_ptr<renderer::RendererWindowEventsDispatcher> windowEvents;
    std::shared_ptr<renderer::IRendererWindow> window;
};

// Main window settings.
inline constexpr const char* windowTitle = "Vexel";
inline constexpr int windowWidth = 1024;
inline constexpr int windowHeight = 1024;

// Creates the renderer of the platform the options choose (the window
// system's, or a headless device) and the main window with an OpenGL 4.5 core context, and
// registers the listeners that log renderer and window events. On failure it
// logs one fatal line on "main", releases what it built and returns false.
bool setupRenderer(const LoggingContext& logging, RendererContext& context,
                   const renderer::opengl::renderer_options_t& options = {});

// Shuts the renderer down if it still runs (destroying its windows, logging
// as it goes), then releases the members last to first.
void releaseRenderer(RendererContext& context);

} // namespace ox::app
