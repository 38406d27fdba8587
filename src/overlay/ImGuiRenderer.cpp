#include "overlay/ImGuiRenderer.hpp"

#include "renderer/IShaderBuilder.hpp"

#include <glm/ext/matrix_clip_space.hpp>
#include <imgui.h>

#include <cstddef>
#include <span>
#include <utility>

namespace ox::overlay {

using renderer::EBlendFactor;
using renderer::EBufferTarget;
using renderer::EBufferUsage;
using renderer::ECapability;
using renderer::EDataType;
using renderer::EPrimitiveMode;

namespace {

// Colours come as four unnormalised bytes (the API's attribute pointers are
// never normalised), hence the division.
constexpr const char* vertexSource = R"(#version 450 core
in vec2 position;
in vec2 uv;
in vec4 colour;
uniform mat4 projection;
out vec2 fragmentUv;
out vec4 fragmentColour;
void main() {
    fragmentUv = uv;
    fragmentColour = colour / 255.0;
    gl_Position = projection * vec4(position, 0.0, 1.0);
}
)";

constexpr const char* fragmentSource = R"(#version 450 core
in vec2 fragmentUv;
in vec4 fragmentColour;
uniform sampler2D atlas;
out vec4 colour;
void main() {
    colour = fragmentColour * texture(atlas, fragmentUv);
}
)";

static_assert(sizeof(ImDrawIdx) == 2, "indices are drawn as unsigned shorts");

} // namespace

bool ImGuiRenderer::init(std::shared_ptr<renderer::IRenderingApi> renderingApi) {
    api = std::move(renderingApi);
    if (!api) {
        return false;
    }
    std::shared_ptr<renderer::IShaderHolder> built;
    if (auto builder = api->createShaderBuilder()) {
        built = builder->addVertexShader(vertexSource).addFragmentShader(fragmentSource).build();
    }
    if (!built || !built->isLinked()) {
        api.reset();
        return false;
    }
    program = std::move(built);
    projection = program->getUniformLocation("projection");
    const auto position = program->getAttributeLocation("position", EDataType::Float, 2);
    const auto uv = program->getAttributeLocation("uv", EDataType::Float, 2);
    const auto colour = program->getAttributeLocation("colour", EDataType::UnsignedByte, 4);

    const auto arrays = api->genVertexArrays(1);
    const auto buffers = api->genBuffers(2);
    vertexArray = arrays.empty() ? 0 : arrays[0];
    vertexBuffer = buffers.size() < 2 ? 0 : buffers[0];
    indexBuffer = buffers.size() < 2 ? 0 : buffers[1];
    // The vertex array keeps the layout and the element buffer, so a frame
    // only binds it and fills the buffers.
    api->bindVertexArray(vertexArray);
    api->bindBuffer(EBufferTarget::ArrayBuffer, vertexBuffer);
    api->bindBuffer(EBufferTarget::ElementArrayBuffer, indexBuffer);
    constexpr auto stride = static_cast<std::int32_t>(sizeof(ImDrawVert));
    for (const auto& [attribute, offset] :
         {std::pair{position, offsetof(ImDrawVert, pos)}, std::pair{uv, offsetof(ImDrawVert, uv)},
          std::pair{colour, offsetof(ImDrawVert, col)}}) {
        api->vertexAttribPointer(attribute, stride, offset);
        api->enableVertexAttribArray(attribute);
    }
    api->bindVertexArray(0);

    unsigned char* pixels = nullptr;
    int width = 0;
    int height = 0;
    ImGuiIO& io = ImGui::GetIO();
    io.Fonts->GetTexDataAsRGBA32(&pixels, &width, &height);
    const auto textures = api->genTextures(1);
    fontTexture = textures.empty() ? 0 : textures[0];
    api->bindTexture(fontTexture);
    api->texParameter(renderer::ETextureParameter::MinFilter, renderer::ETextureFilter::Linear);
    api->texParameter(renderer::ETextureParameter::MagFilter, renderer::ETextureFilter::Linear);
    api->texImage2D({width, height}, std::span<const std::uint8_t>(
                                         pixels, static_cast<std::size_t>(width) *
                                                     static_cast<std::size_t>(height) * 4));
    api->bindTexture(0);
    io.Fonts->SetTexID(reinterpret_cast<ImTextureID>(static_cast<std::uintptr_t>(fontTexture)));
    return true;
}

void ImGuiRenderer::render(const ImDrawData& data) {
    const int width = static_cast<int>(data.DisplaySize.x * data.FramebufferScale.x);
    const int height = static_cast<int>(data.DisplaySize.y * data.FramebufferScale.y);
    if (!program || width <= 0 || height <= 0 || data.CmdListsCount == 0) {
        return;
    }
    const bool depthTest = api->isEnabled(ECapability::DepthTest);
    const bool cullFace = api->isEnabled(ECapability::CullFace);
    const bool blend = api->isEnabled(ECapability::Blend);
    const bool scissorTest = api->isEnabled(ECapability::ScissorTest);
    if (depthTest) {
        api->disable(ECapability::DepthTest);
    }
    if (cullFace) {
        api->disable(ECapability::CullFace);
    }
    if (!blend) {
        api->enable(ECapability::Blend);
    }
    if (!scissorTest) {
        api->enable(ECapability::ScissorTest);
    }
    api->blendFunc(EBlendFactor::SourceAlpha, EBlendFactor::OneMinusSourceAlpha);

    api->useProgram(program);
    const float left = data.DisplayPos.x;
    const float right = data.DisplayPos.x + data.DisplaySize.x;
    const float top = data.DisplayPos.y;
    const float bottom = data.DisplayPos.y + data.DisplaySize.y;
    if (projection) {
        projection->set(glm::ortho(left, right, bottom, top));
    }
    api->bindVertexArray(vertexArray);
    api->bindBuffer(EBufferTarget::ArrayBuffer, vertexBuffer);

    std::uint32_t boundTexture = 0;
    const ImVec2 origin = data.DisplayPos;
    const ImVec2 scale = data.FramebufferScale;
    for (int list = 0; list < data.CmdListsCount; ++list) {
        const ImDrawList& drawList = *data.CmdLists[list];
        api->bufferData(EBufferTarget::ArrayBuffer,
                        static_cast<std::uint32_t>(drawList.VtxBuffer.Size * sizeof(ImDrawVert)),
                        drawList.VtxBuffer.Data, EBufferUsage::StreamDraw);
        api->bufferData(EBufferTarget::ElementArrayBuffer,
                        static_cast<std::uint32_t>(drawList.IdxBuffer.Size * sizeof(ImDrawIdx)),
                        drawList.IdxBuffer.Data, EBufferUsage::StreamDraw);
        for (const ImDrawCmd& command : drawList.CmdBuffer) {
            // No user callbacks are ever added to these lists.
            if (command.UserCallback != nullptr || command.ElemCount == 0) {
                continue;
            }
            const float clipLeft = (command.ClipRect.x - origin.x) * scale.x;
            const float clipTop = (command.ClipRect.y - origin.y) * scale.y;
            const float clipRight = (command.ClipRect.z - origin.x) * scale.x;
            const float clipBottom = (command.ClipRect.w - origin.y) * scale.y;
            if (clipRight <= clipLeft || clipBottom <= clipTop) {
                continue;
            }
            // ImGui counts rows from the top, GL from the bottom.
            api->scissor(
                {static_cast<int>(clipLeft), static_cast<int>(height - clipBottom)},
                {static_cast<int>(clipRight - clipLeft), static_cast<int>(clipBottom - clipTop)});
            const auto texture =
                static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(command.GetTexID()));
            if (texture != boundTexture) {
                api->bindTexture(texture);
                boundTexture = texture;
            }
            api->drawElements(EPrimitiveMode::Triangles,
                              static_cast<std::int32_t>(command.ElemCount),
                              EDataType::UnsignedShort, command.IdxOffset * sizeof(ImDrawIdx));
        }
    }

    api->bindTexture(0);
    api->bindVertexArray(0);
    // The factors GL starts with, for a scene that blends without setting them.
    api->blendFunc(EBlendFactor::One, EBlendFactor::Zero);
    if (!scissorTest) {
        api->disable(ECapability::ScissorTest);
    }
    if (!blend) {
        api->disable(ECapability::Blend);
    }
    if (cullFace) {
        api->enable(ECapability::CullFace);
    }
    if (depthTest) {
        api->enable(ECapability::DepthTest);
    }
}

void ImGuiRenderer::shutdown() {
    if (!api) {
        return;
    }
    api->deleteTextures({fontTexture});
    api->deleteBuffers({vertexBuffer, indexBuffer});
    api->deleteVertexArrays({vertexArray});
    fontTexture = vertexBuffer = indexBuffer = vertexArray = 0;
    projection.reset();
    program.reset();
    api.reset();
}

} // namespace ox::overlay
