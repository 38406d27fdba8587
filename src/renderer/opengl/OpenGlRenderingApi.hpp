#pragma once

#include "renderer/IRenderer.hpp"
#include "renderer/IRenderingApi.hpp"

#include <memory>
#include <optional>

namespace ox::renderer::opengl {

// The checked OpenGL call layer: every operation translates its enumerations
// through fixed tables, makes exactly one GL call and then has the renderer poll
// the GL error state under the call's report name. A value outside its table
// makes no call and no poll. Created and owned by the Renderer, which it holds
// strongly in turn until the renderer's deinit breaks the cycle through
// releaseRenderer(). Main thread, with a current context.
class OpenGlRenderingApi : public IRenderingApi,
                           public std::enable_shared_from_this<OpenGlRenderingApi> {
public:
    explicit OpenGlRenderingApi(std::shared_ptr<IRenderer> renderer);
    ~OpenGlRenderingApi() override;

    // Drops the renderer: calls are still made afterwards, but nothing is polled.
    void releaseRenderer();
    // Gives a released API its renderer back when that renderer is initialised again.
    void attachRenderer(std::shared_ptr<IRenderer> owner);

    std::shared_ptr<IRenderer> getRenderer() const override;
    void viewport(const int_pair_t& origin, const int_pair_t& size) override;
    void enable(ECapability capability) override;
    void disable(ECapability capability) override;
    bool isEnabled(ECapability capability) override;
    void clearColor(const glm::vec4& rgba) override;
    void clear(clear_buffer_flags_t buffers) override;
    void clear(EClearBuffer buffer) override;
    void pointSize(float size) override;
    bool readPixels(const int_pair_t& origin, const int_pair_t& size,
                    std::span<std::uint8_t> rgba) override;
    std::vector<std::uint32_t> genBuffers(std::uint32_t n) override;
    void deleteBuffers(const std::vector<std::uint32_t>& names) override;
    bool isBuffer(std::uint32_t name) override;
    void bindBuffer(EBufferTarget target, std::uint32_t name) override;
    std::int32_t vaoGetBinding(EBufferTarget target) override;
    std::vector<std::uint32_t> genVertexArrays(std::uint32_t n) override;
    void deleteVertexArrays(const std::vector<std::uint32_t>& names) override;
    bool isVertexArray(std::uint32_t name) override;
    void bindVertexArray(std::uint32_t name) override;
    void bufferData(EBufferTarget target, std::span<const std::uint32_t> data,
                    EBufferUsage usage) override;
    void bufferData(EBufferTarget target, std::span<const float> data, EBufferUsage usage) override;
    void bufferData(EBufferTarget target, std::uint32_t sizeInBytes, const void* data,
                    EBufferUsage usage) override;
    std::unique_ptr<IShaderBuilder> createShaderBuilder() override;
    void useProgram(std::shared_ptr<IShaderHolder> holder) override;
    void enableVertexAttribArray(std::shared_ptr<IShaderAttributeHolder> attribute) override;
    void disableVertexAttribArray(std::shared_ptr<IShaderAttributeHolder> attribute) override;
    void vertexAttribPointer(std::shared_ptr<IShaderAttributeHolder> attribute, std::int32_t stride,
                             const void* pointer) override;
    void vertexAttribPointer(std::shared_ptr<IShaderAttributeHolder> attribute, std::int32_t stride,
                             std::size_t byteOffset) override;
    void vertexAttribPointer(std::shared_ptr<IShaderAttributeHolder> attribute,
                             std::int32_t stride) override;
    void drawArrays(EPrimitiveMode mode, std::int32_t first, std::int32_t count) override;
    void drawArraysInstanced(EPrimitiveMode mode, std::int32_t first, std::int32_t count,
                             std::int32_t instanceCount) override;
    void drawElements(EPrimitiveMode mode, std::int32_t count, EDataType indexType) override;
    void drawElements(EPrimitiveMode mode, std::int32_t count, EDataType indexType,
                      std::size_t byteOffset) override;
    void drawElementsInstanced(EPrimitiveMode mode, std::int32_t count, EDataType indexType,
                               std::int32_t instanceCount) override;
    void legacyBegin(EPrimitiveMode mode) override;
    void legacyEnd() override;
    void legacyColor(const glm::vec4& color) override;
    void legacyColor(const glm::vec3& color) override;
    void legacyVertex(const glm::vec4& vertex) override;
    void legacyVertex(const glm::vec3& vertex) override;
    std::int32_t queryCounterBits(EQueryTarget target) override;
    std::vector<std::uint32_t> genQueries(std::uint32_t n) override;
    void deleteQueries(const std::vector<std::uint32_t>& names) override;
    void beginQuery(EQueryTarget target, std::uint32_t name) override;
    void endQuery(EQueryTarget target) override;
    bool isQueryResultAvailable(std::uint32_t name) override;
    std::uint64_t getQueryResult(std::uint32_t name) override;
    void objectLabel(EObjectType type, std::uint32_t name, std::string_view label) override;
    void pushDebugGroup(std::string_view message) override;
    void popDebugGroup() override;
    void blendFunc(EBlendFactor source, EBlendFactor destination) override;
    void scissor(const int_pair_t& origin, const int_pair_t& size) override;
    std::vector<std::uint32_t> genTextures(std::uint32_t n) override;
    void deleteTextures(const std::vector<std::uint32_t>& names) override;
    void bindTexture(std::uint32_t name) override;
    void texParameter(ETextureParameter parameter, ETextureFilter filter) override;
    bool texImage2D(const int_pair_t& size, std::span<const std::uint8_t> rgba) override;

    // GL constants of the system's enumerations; empty for a value outside the table.
    static std::optional<std::uint32_t> toGl(ECapability value);
    static std::optional<std::uint32_t> toGl(EClearBuffer value);
    static std::optional<std::uint32_t> toGl(EPrimitiveMode value);
    static std::optional<std::uint32_t> toGl(EDataType value);
    static std::optional<std::uint32_t> toGl(EBufferUsage value);
    static std::optional<std::uint32_t> toGl(EBufferTarget value);
    static std::optional<std::uint32_t> toGl(EQueryTarget value);
    static std::optional<std::uint32_t> toGl(EObjectType value);
    static std::optional<std::uint32_t> toGl(EBlendFactor value);
    static std::optional<std::uint32_t> toGl(ETextureParameter value);
    static std::optional<std::uint32_t> toGl(ETextureFilter value);

private:
    void poll(std::string_view reportName) const;

    std::shared_ptr<IRenderer> renderer;
};

} // namespace ox::renderer::opengl
