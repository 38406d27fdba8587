#pragma once

#include "renderer/IRenderingApi.hpp"
#include "renderer/IShaderAttributeHolder.hpp"
#include "renderer/IShaderHolder.hpp"
#include "renderer/IShaderUniformHolder.hpp"

#include <cstdint>
#include <memory>

struct ImDrawData;

namespace ox::overlay {

// Draws Dear ImGui's draw lists through the checked rendering API, like any
// other client of the engine: every GL call is one of the API's, polled for
// errors under its name. It owns a program, a vertex array with its two
// buffers and the font texture; drawing leaves the depth test, culling,
// blending and scissor as it found them. Main thread with the context
// current; init and shutdown with the ImGui context whose fonts it draws.
class ImGuiRenderer {
public:
    // Builds the GL objects and hands the font atlas's texture to ImGui.
    // False (with nothing left built) when the program does not link.
    bool init(std::shared_ptr<renderer::IRenderingApi> api);
    bool isReady() const { return program != nullptr; }
    // The frame's lists over whatever the frame holds, in window pixels.
    void render(const ImDrawData& data);
    // Frees the GL objects; call while the context exists.
    void shutdown();

private:
    std::shared_ptr<renderer::IRenderingApi> api;
    std::shared_ptr<renderer::IShaderHolder> program;
    std::shared_ptr<renderer::IShaderUniformHolder> projection;
    std::uint32_t vertexArray = 0;
    std::uint32_t vertexBuffer = 0;
    std::uint32_t indexBuffer = 0;
    std::uint32_t fontTexture = 0;
};

} // namespace ox::overlay
