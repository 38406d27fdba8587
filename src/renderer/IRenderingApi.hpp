#pragma once

#include "renderer/EBlendFactor.hpp"
#include "renderer/EBufferTarget.hpp"
#include "renderer/EBufferUsage.hpp"
#include "renderer/ECapability.hpp"
#include "renderer/EClearBuffer.hpp"
#include "renderer/EDataType.hpp"
#include "renderer/EObjectType.hpp"
#include "renderer/EPrimitiveMode.hpp"
#include "renderer/EQueryTarget.hpp"
#include "renderer/ETextureParameter.hpp"

#include <glm/vec3.hpp>
#include <glm/vec4.hpp>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

namespace ox::renderer {

struct IRenderer;
struct IShaderBuilder;
struct IShaderHolder;
struct IShaderAttributeHolder;

// Every OpenGL command of the system goes through here. Each operation
// translates its enumerations, makes one OpenGL call and has the renderer poll
// the error state; a value outside its enumeration does nothing at all. Errors
// are logged by the renderer, never returned or thrown. Owned through
// std::shared_ptr; main thread with a current context only.
struct IRenderingApi {
    using int_pair_t = std::pair<std::int32_t, std::int32_t>;

    // The renderer that polls errors; may be empty.
    virtual std::shared_ptr<IRenderer> getRenderer() const = 0;
    virtual void viewport(const int_pair_t& origin, const int_pair_t& size) = 0;
    virtual void enable(ECapability capability) = 0;
    virtual void disable(ECapability capability) = 0;
    virtual bool isEnabled(ECapability capability) = 0;
    virtual void clearColor(const glm::vec4& rgba) = 0;
    // Clears every buffer in the set; an empty set still calls glClear(0).
    virtual void clear(clear_buffer_flags_t buffers) = 0;
    // Exactly one buffer; any other value does nothing.
    virtual void clear(EClearBuffer buffer) = 0;
    virtual void pointSize(float size) = 0;
    // Reads the colour of the read buffer (the back buffer of a double-buffered
    // window) as 8-bit RGBA, rows from the bottom up, into `rgba`. Makes no call
    // and returns false when the size is not positive or `rgba` holds fewer
    // than width x height x 4 bytes; otherwise returns true once the call was
    // made (a GL error is reported by the renderer like every other).
    virtual bool readPixels(const int_pair_t& origin, const int_pair_t& size,
                            std::span<std::uint8_t> rgba) = 0;
    // n new buffer names; n = 0 returns an empty vector without a call.
    virtual std::vector<std::uint32_t> genBuffers(std::uint32_t n) = 0;
    virtual void deleteBuffers(const std::vector<std::uint32_t>& names) = 0;
    virtual bool isBuffer(std::uint32_t name) = 0;
    virtual void bindBuffer(EBufferTarget target, std::uint32_t name) = 0;
    // 0 when the target is not an EBufferTarget.
    virtual std::int32_t vaoGetBinding(EBufferTarget target) = 0;
    virtual std::vector<std::uint32_t> genVertexArrays(std::uint32_t n) = 0;
    virtual void deleteVertexArrays(const std::vector<std::uint32_t>& names) = 0;
    virtual bool isVertexArray(std::uint32_t name) = 0;
    virtual void bindVertexArray(std::uint32_t name) = 0;
    virtual void bufferData(EBufferTarget target, std::span<const std::uint32_t> data,
                            EBufferUsage usage) = 0;
    virtual void bufferData(EBufferTarget target, std::span<const float> data,
                            EBufferUsage usage) = 0;
    virtual void bufferData(EBufferTarget target, std::uint32_t sizeInBytes, const void* data,
                            EBufferUsage usage) = 0;
    // Exclusively owned by the caller; keeps this API alive.
    virtual std::unique_ptr<IShaderBuilder> createShaderBuilder() = 0;
    // Nothing for an empty or unlinked holder.
    virtual void useProgram(std::shared_ptr<IShaderHolder> holder) = 0;
    virtual void enableVertexAttribArray(std::shared_ptr<IShaderAttributeHolder> attribute) = 0;
    virtual void disableVertexAttribArray(std::shared_ptr<IShaderAttributeHolder> attribute) = 0;
    // Location, component count and type come from the attribute; nothing for an
    // empty attribute or one whose data type has no OpenGL type.
    virtual void vertexAttribPointer(std::shared_ptr<IShaderAttributeHolder> attribute,
                                     std::int32_t stride, const void* pointer) = 0;
    virtual void vertexAttribPointer(std::shared_ptr<IShaderAttributeHolder> attribute,
                                     std::int32_t stride, std::size_t byteOffset) = 0;
    virtual void vertexAttribPointer(std::shared_ptr<IShaderAttributeHolder> attribute,
                                     std::int32_t stride) = 0;
    virtual void drawArrays(EPrimitiveMode mode, std::int32_t first, std::int32_t count) = 0;
    virtual void drawArraysInstanced(EPrimitiveMode mode, std::int32_t first, std::int32_t count,
                                     std::int32_t instanceCount) = 0;
    // Indices come from the bound element buffer, from offset 0.
    virtual void drawElements(EPrimitiveMode mode, std::int32_t count, EDataType indexType) = 0;
    // Indices from `byteOffset` into the bound element buffer.
    virtual void drawElements(EPrimitiveMode mode, std::int32_t count, EDataType indexType,
                              std::size_t byteOffset) = 0;
    virtual void drawElementsInstanced(EPrimitiveMode mode, std::int32_t count, EDataType indexType,
                                       std::int32_t instanceCount) = 0;
    virtual void legacyBegin(EPrimitiveMode mode) = 0;
    virtual void legacyEnd() = 0;
    virtual void legacyColor(const glm::vec4& color) = 0;
    virtual void legacyColor(const glm::vec3& color) = 0;
    virtual void legacyVertex(const glm::vec4& vertex) = 0;
    virtual void legacyVertex(const glm::vec3& vertex) = 0;
    // Bits of the context's counter for the target; 0 when it has none, so
    // its queries would measure nothing.
    virtual std::int32_t queryCounterBits(EQueryTarget target) = 0;
    // n new query names; n = 0 returns an empty vector without a call.
    virtual std::vector<std::uint32_t> genQueries(std::uint32_t n) = 0;
    virtual void deleteQueries(const std::vector<std::uint32_t>& names) = 0;
    // One query per target can be active at a time; they do not nest.
    virtual void beginQuery(EQueryTarget target, std::uint32_t name) = 0;
    virtual void endQuery(EQueryTarget target) = 0;
    // Never waits.
    virtual bool isQueryResultAvailable(std::uint32_t name) = 0;
    // Waits for the GPU when the result is not available yet.
    virtual std::uint64_t getQueryResult(std::uint32_t name) = 0;
    // Debug annotations for tools such as apitrace and RenderDoc; they change
    // nothing that is drawn.
    virtual void objectLabel(EObjectType type, std::uint32_t name, std::string_view label) = 0;
    virtual void pushDebugGroup(std::string_view message) = 0;
    virtual void popDebugGroup() = 0;
    // Blending of what is drawn with the frame (capability Blend):
    // source x `source` + destination x `destination`.
    virtual void blendFunc(EBlendFactor source, EBlendFactor destination) = 0;
    // Drawing is limited to this rectangle, in pixels from the lower left
    // corner, while capability ScissorTest is on.
    virtual void scissor(const int_pair_t& origin, const int_pair_t& size) = 0;
    // 2D textures, the only kind so far: names, binding, filters, and 8-bit
    // RGBA pixels, rows from the bottom up. texImage2D makes no call and
    // returns false when the size is not positive or `rgba` holds fewer than
    // width x height x 4 bytes.
    virtual std::vector<std::uint32_t> genTextures(std::uint32_t n) = 0;
    virtual void deleteTextures(const std::vector<std::uint32_t>& names) = 0;
    virtual void bindTexture(std::uint32_t name) = 0;
    virtual void texParameter(ETextureParameter parameter, ETextureFilter filter) = 0;
    virtual bool texImage2D(const int_pair_t& size, std::span<const std::uint8_t> rgba) = 0;
    virtual ~IRenderingApi() = default;
};

} // namespace ox::renderer
