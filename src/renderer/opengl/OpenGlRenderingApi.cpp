#include "renderer/opengl/OpenGlRenderingApi.hpp"

#include "renderer/IShaderAttributeHolder.hpp"
#include "renderer/IShaderBuilder.hpp"
#include "renderer/IShaderHolder.hpp"
#include "renderer/lookup_table.hpp"
#include "renderer/opengl/RShaderBuilder.hpp"

#include <GL/glew.h>
#include <array>
#include <utility>

namespace ox::renderer::opengl {

namespace {

template <typename E, std::size_t N>
using table_t = std::array<std::pair<E, GLenum>, N>;

template <typename E, typename... C>
constexpr auto sequentialTable(C... constants) {
    std::array<std::pair<E, GLenum>, sizeof...(C)> table{};
    std::size_t index = 0;
    ((table[index] = {static_cast<E>(index), static_cast<GLenum>(constants)}, ++index), ...);
    return table;
}

constexpr auto capabilities = sequentialTable<ECapability>(
    GL_ALPHA_TEST, GL_AUTO_NORMAL, GL_BLEND, GL_CLIP_PLANE0, GL_CLIP_PLANE1, GL_CLIP_PLANE2,
    GL_CLIP_PLANE3, GL_CLIP_PLANE4, GL_CLIP_PLANE5, GL_COLOR_LOGIC_OP, GL_COLOR_MATERIAL,
    GL_COLOR_SUM, GL_COLOR_TABLE, GL_CONVOLUTION_1D, GL_CONVOLUTION_2D, GL_CULL_FACE, GL_DEPTH_TEST,
    GL_DITHER, GL_FOG, GL_HISTOGRAM, GL_INDEX_LOGIC_OP, GL_LIGHT0, GL_LIGHT1, GL_LIGHT2, GL_LIGHT3,
    GL_LIGHT4, GL_LIGHT5, GL_LIGHT6, GL_LIGHT7, GL_LIGHTING, GL_LINE_SMOOTH, GL_LINE_STIPPLE,
    GL_MAP1_COLOR_4, GL_MAP1_INDEX, GL_MAP1_NORMAL, GL_MAP1_TEXTURE_COORD_1,
    GL_MAP1_TEXTURE_COORD_2, GL_MAP1_TEXTURE_COORD_3, GL_MAP1_TEXTURE_COORD_4, GL_MAP1_VERTEX_3,
    GL_MAP1_VERTEX_4, GL_MAP2_COLOR_4, GL_MAP2_INDEX, GL_MAP2_NORMAL, GL_MAP2_TEXTURE_COORD_1,
    GL_MAP2_TEXTURE_COORD_2, GL_MAP2_TEXTURE_COORD_3, GL_MAP2_TEXTURE_COORD_4, GL_MAP2_VERTEX_3,
    GL_MAP2_VERTEX_4, GL_MINMAX, GL_MULTISAMPLE, GL_NORMALIZE, GL_POINT_SMOOTH, GL_POINT_SPRITE,
    GL_POLYGON_OFFSET_FILL, GL_POLYGON_OFFSET_LINE, GL_POLYGON_OFFSET_POINT, GL_POLYGON_SMOOTH,
    GL_POLYGON_STIPPLE, GL_POST_COLOR_MATRIX_COLOR_TABLE, GL_POST_CONVOLUTION_COLOR_TABLE,
    GL_RESCALE_NORMAL, GL_SAMPLE_ALPHA_TO_COVERAGE, GL_SAMPLE_ALPHA_TO_ONE, GL_SAMPLE_COVERAGE,
    GL_SEPARABLE_2D, GL_SCISSOR_TEST, GL_STENCIL_TEST, GL_TEXTURE_1D, GL_TEXTURE_2D, GL_TEXTURE_3D,
    GL_TEXTURE_CUBE_MAP, GL_TEXTURE_GEN_Q, GL_TEXTURE_GEN_R, GL_TEXTURE_GEN_S, GL_TEXTURE_GEN_T,
    GL_VERTEX_PROGRAM_POINT_SIZE, GL_VERTEX_PROGRAM_TWO_SIDE);
static_assert(capabilities.size() == 79);

constexpr table_t<EClearBuffer, 4> clearBuffers{{
    {EClearBuffer::Color, GL_COLOR_BUFFER_BIT},
    {EClearBuffer::Depth, GL_DEPTH_BUFFER_BIT},
    {EClearBuffer::Accum, GL_ACCUM_BUFFER_BIT},
    {EClearBuffer::Stencil, GL_STENCIL_BUFFER_BIT},
}};

constexpr auto primitiveModes = sequentialTable<EPrimitiveMode>(
    GL_POINTS, GL_LINES, GL_LINE_STRIP, GL_LINE_LOOP, GL_TRIANGLES, GL_TRIANGLE_STRIP,
    GL_TRIANGLE_FAN, GL_QUADS, GL_QUAD_STRIP, GL_POLYGON);

constexpr auto dataTypes = sequentialTable<EDataType>(
    GL_BYTE, GL_UNSIGNED_BYTE, GL_SHORT, GL_UNSIGNED_SHORT, GL_INT, GL_UNSIGNED_INT, GL_HALF_FLOAT,
    GL_FLOAT, GL_DOUBLE, GL_FIXED, GL_INT_2_10_10_10_REV, GL_UNSIGNED_INT_2_10_10_10_REV,
    GL_UNSIGNED_INT_10F_11F_11F_REV);

constexpr auto bufferUsages = sequentialTable<EBufferUsage>(
    GL_STREAM_DRAW, GL_STREAM_READ, GL_STREAM_COPY, GL_STATIC_DRAW, GL_STATIC_READ, GL_STATIC_COPY,
    GL_DYNAMIC_DRAW, GL_DYNAMIC_READ, GL_DYNAMIC_COPY);

constexpr auto bufferTargets = sequentialTable<EBufferTarget>(
    GL_ARRAY_BUFFER, GL_ATOMIC_COUNTER_BUFFER, GL_COPY_READ_BUFFER, GL_COPY_WRITE_BUFFER,
    GL_DISPATCH_INDIRECT_BUFFER, GL_DRAW_INDIRECT_BUFFER, GL_ELEMENT_ARRAY_BUFFER,
    GL_PIXEL_PACK_BUFFER, GL_PIXEL_UNPACK_BUFFER, GL_QUERY_BUFFER, GL_SHADER_STORAGE_BUFFER,
    GL_TEXTURE_BUFFER, GL_TRANSFORM_FEEDBACK_BUFFER, GL_UNIFORM_BUFFER);

// The query that yields the buffer bound to each target, in the order of the
// target table. Querying the target constant itself would be an invalid enum.
constexpr auto bufferBindings = sequentialTable<EBufferTarget>(
    GL_ARRAY_BUFFER_BINDING, GL_ATOMIC_COUNTER_BUFFER_BINDING, GL_COPY_READ_BUFFER_BINDING,
    GL_COPY_WRITE_BUFFER_BINDING, GL_DISPATCH_INDIRECT_BUFFER_BINDING,
    GL_DRAW_INDIRECT_BUFFER_BINDING, GL_ELEMENT_ARRAY_BUFFER_BINDING, GL_PIXEL_PACK_BUFFER_BINDING,
    GL_PIXEL_UNPACK_BUFFER_BINDING, GL_QUERY_BUFFER_BINDING, GL_SHADER_STORAGE_BUFFER_BINDING,
    GL_TEXTURE_BUFFER_BINDING, GL_TRANSFORM_FEEDBACK_BUFFER_BINDING, GL_UNIFORM_BUFFER_BINDING);
static_assert(bufferBindings.size() == bufferTargets.size());

constexpr auto queryTargets = sequentialTable<EQueryTarget>(GL_TIME_ELAPSED);

constexpr auto objectTypes = sequentialTable<EObjectType>(GL_BUFFER, GL_PROGRAM, GL_VERTEX_ARRAY);

constexpr auto blendFactors =
    sequentialTable<EBlendFactor>(GL_ZERO, GL_ONE, GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);

constexpr auto textureParameters =
    sequentialTable<ETextureParameter>(GL_TEXTURE_MIN_FILTER, GL_TEXTURE_MAG_FILTER);

constexpr auto textureFilters = sequentialTable<ETextureFilter>(GL_NEAREST, GL_LINEAR);

} // namespace

OpenGlRenderingApi::OpenGlRenderingApi(std::shared_ptr<IRenderer> renderer)
    : renderer(std::move(renderer)) {}

OpenGlRenderingApi::~OpenGlRenderingApi() = default;

void OpenGlRenderingApi::releaseRenderer() {
    renderer.reset();
}

void OpenGlRenderingApi::attachRenderer(std::shared_ptr<IRenderer> owner) {
    renderer = std::move(owner);
}

void OpenGlRenderingApi::poll(std::string_view reportName) const {
    if (renderer) {
        renderer->pollErrors(reportName);
    }
}

std::optional<std::uint32_t> OpenGlRenderingApi::toGl(ECapability value) {
    return lookUp(capabilities, value);
}
std::optional<std::uint32_t> OpenGlRenderingApi::toGl(EClearBuffer value) {
    return lookUp(clearBuffers, value);
}
std::optional<std::uint32_t> OpenGlRenderingApi::toGl(EPrimitiveMode value) {
    return lookUp(primitiveModes, value);
}
std::optional<std::uint32_t> OpenGlRenderingApi::toGl(EDataType value) {
    return lookUp(dataTypes, value);
}
std::optional<std::uint32_t> OpenGlRenderingApi::toGl(EBufferUsage value) {
    return lookUp(bufferUsages, value);
}
std::optional<std::uint32_t> OpenGlRenderingApi::toGl(EBufferTarget value) {
    return lookUp(bufferTargets, value);
}
std::optional<std::uint32_t> OpenGlRenderingApi::toGl(EQueryTarget value) {
    return lookUp(queryTargets, value);
}
std::optional<std::uint32_t> OpenGlRenderingApi::toGl(EObjectType value) {
    return lookUp(objectTypes, value);
}

std::optional<std::uint32_t> OpenGlRenderingApi::toGl(EBlendFactor value) {
    return lookUp(blendFactors, value);
}
std::optional<std::uint32_t> OpenGlRenderingApi::toGl(ETextureParameter value) {
    return lookUp(textureParameters, value);
}
std::optional<std::uint32_t> OpenGlRenderingApi::toGl(ETextureFilter value) {
    return lookUp(textureFilters, value);
}

std::shared_ptr<IRenderer> OpenGlRenderingApi::getRenderer() const {
    return renderer;
}

void OpenGlRenderingApi::viewport(const int_pair_t& origin, const int_pair_t& size) {
    glViewport(origin.first, origin.second, size.first, size.second);
    poll("glViewport");
}

void OpenGlRenderingApi::enable(ECapability capability) {
    if (const auto constant = toGl(capability)) {
        glEnable(*constant);
        poll("glEnable");
    }
}

void OpenGlRenderingApi::disable(ECapability capability) {
    if (const auto constant = toGl(capability)) {
        glDisable(*constant);
        poll("glDisable");
    }
}

bool OpenGlRenderingApi::isEnabled(ECapability capability) {
    const auto constant = toGl(capability);
    if (!constant) {
        return false;
    }
    const bool enabled = glIsEnabled(*constant) == GL_TRUE;
    poll("glIsEnabled");
    return enabled;
}

void OpenGlRenderingApi::clearColor(const glm::vec4& rgba) {
    glClearColor(rgba.r, rgba.g, rgba.b, rgba.a);
    poll("glClearColor");
}

void OpenGlRenderingApi::clear(clear_buffer_flags_t buffers) {
    GLbitfield mask = 0;
    for (const auto& [buffer, bit] : clearBuffers) {
        if (buffers.has(buffer)) {
            mask |= bit;
        }
    }
    glClear(mask);
    poll("glClear");
}

void OpenGlRenderingApi::clear(EClearBuffer buffer) {
    if (const auto bit = toGl(buffer)) {
        glClear(*bit);
        poll("glClear");
    }
}

void OpenGlRenderingApi::pointSize(float size) {
    glPointSize(size);
    poll("glPointSize");
}

bool OpenGlRenderingApi::readPixels(const int_pair_t& origin, const int_pair_t& size,
                                    std::span<std::uint8_t> rgba) {
    const auto [width, height] = size;
    // Checked in 64 bits: a window-sized product fits, but a bad caller's
    // would wrap and let GL write past the end of the span.
    if (width <= 0 || height <= 0 ||
        static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) * 4u > rgba.size()) {
        return false;
    }
    // Rows of 8-bit RGBA are always a multiple of four bytes long, so the
    // default pack alignment leaves no padding between them.
    glReadPixels(origin.first, origin.second, width, height, GL_RGBA, GL_UNSIGNED_BYTE,
                 rgba.data());
    poll("glReadPixels");
    return true;
}

std::vector<std::uint32_t> OpenGlRenderingApi::genBuffers(std::uint32_t n) {
    if (n == 0) {
        return {};
    }
    std::vector<GLuint> names(n, 0);
    glGenBuffers(static_cast<GLsizei>(n), names.data());
    poll("glGenBuffers");
    return {names.begin(), names.end()};
}

void OpenGlRenderingApi::deleteBuffers(const std::vector<std::uint32_t>& names) {
    if (names.empty()) {
        return;
    }
    const std::vector<GLuint> copy(names.begin(), names.end());
    glDeleteBuffers(static_cast<GLsizei>(copy.size()), copy.data());
    poll("glDeleteBuffers");
}

bool OpenGlRenderingApi::isBuffer(std::uint32_t name) {
    const bool result = glIsBuffer(name) == GL_TRUE;
    poll("glIsBuffer");
    return result;
}

void OpenGlRenderingApi::bindBuffer(EBufferTarget target, std::uint32_t name) {
    if (const auto constant = toGl(target)) {
        glBindBuffer(*constant, name);
        poll("glBindBuffer");
    }
}

std::int32_t OpenGlRenderingApi::vaoGetBinding(EBufferTarget target) {
    const auto query = lookUp(bufferBindings, target);
    if (!query) {
        return 0;
    }
    GLint bound = 0;
    glGetIntegerv(*query, &bound);
    poll("vaoGetBinding[glGetIntegerv]");
    return bound;
}

std::vector<std::uint32_t> OpenGlRenderingApi::genVertexArrays(std::uint32_t n) {
    if (n == 0) {
        return {};
    }
    std::vector<GLuint> names(n, 0);
    glGenVertexArrays(static_cast<GLsizei>(n), names.data());
    poll("glGenVertexArrays");
    return {names.begin(), names.end()};
}

void OpenGlRenderingApi::deleteVertexArrays(const std::vector<std::uint32_t>& names) {
    if (names.empty()) {
        return;
    }
    const std::vector<GLuint> copy(names.begin(), names.end());
    glDeleteVertexArrays(static_cast<GLsizei>(copy.size()), copy.data());
    poll("glDeleteVertexArrays");
}

bool OpenGlRenderingApi::isVertexArray(std::uint32_t name) {
    const bool result = glIsVertexArray(name) == GL_TRUE;
    poll("glIsVertexArray");
    return result;
}

void OpenGlRenderingApi::bindVertexArray(std::uint32_t name) {
    glBindVertexArray(name);
    poll("glBindVertexArray");
}

void OpenGlRenderingApi::bufferData(EBufferTarget target, std::span<const std::uint32_t> data,
                                    EBufferUsage usage) {
    bufferData(target, static_cast<std::uint32_t>(data.size() * 4), data.data(), usage);
}

void OpenGlRenderingApi::bufferData(EBufferTarget target, std::span<const float> data,
                                    EBufferUsage usage) {
    bufferData(target, static_cast<std::uint32_t>(data.size() * 4), data.data(), usage);
}

void OpenGlRenderingApi::bufferData(EBufferTarget target, std::uint32_t sizeInBytes,
                                    const void* data, EBufferUsage usage) {
    const auto glTarget = toGl(target);
    const auto glUsage = toGl(usage);
    if (!glTarget || !glUsage) {
        return;
    }
    glBufferData(*glTarget, static_cast<GLsizeiptr>(sizeInBytes), data, *glUsage);
    poll("glBufferData");
}

std::unique_ptr<IShaderBuilder> OpenGlRenderingApi::createShaderBuilder() {
    // Throws std::bad_weak_ptr when nobody owns this API any more.
    return std::make_unique<RShaderBuilder>(shared_from_this());
}

void OpenGlRenderingApi::useProgram(std::shared_ptr<IShaderHolder> holder) {
    if (!holder || !holder->isLinked()) {
        return;
    }
    glUseProgram(holder->getProgram());
    poll("glUseProgram");
}

void OpenGlRenderingApi::enableVertexAttribArray(
    std::shared_ptr<IShaderAttributeHolder> attribute) {
    if (!attribute) {
        return;
    }
    glEnableVertexAttribArray(static_cast<GLuint>(attribute->getLocation()));
    poll("glEnableVertexAttribArray");
}

void OpenGlRenderingApi::disableVertexAttribArray(
    std::shared_ptr<IShaderAttributeHolder> attribute) {
    if (!attribute) {
        return;
    }
    glDisableVertexAttribArray(static_cast<GLuint>(attribute->getLocation()));
    poll("glDisableVertexAttribArray");
}

void OpenGlRenderingApi::vertexAttribPointer(std::shared_ptr<IShaderAttributeHolder> attribute,
                                             std::int32_t stride, const void* pointer) {
    if (!attribute) {
        return;
    }
    const auto glType = attribute->getGlType();
    if (!glType) {
        return;
    }
    glVertexAttribPointer(static_cast<GLuint>(attribute->getLocation()),
                          attribute->getComponentCount(), *glType, GL_FALSE, stride, pointer);
    poll("glVertexAttribPointer");
}

void OpenGlRenderingApi::vertexAttribPointer(std::shared_ptr<IShaderAttributeHolder> attribute,
                                             std::int32_t stride, std::size_t byteOffset) {
    // GL takes a buffer offset disguised as a pointer.
    vertexAttribPointer(std::move(attribute), stride,
                        reinterpret_cast<const void*>(static_cast<std::uintptr_t>(byteOffset)));
}

void OpenGlRenderingApi::vertexAttribPointer(std::shared_ptr<IShaderAttributeHolder> attribute,
                                             std::int32_t stride) {
    vertexAttribPointer(std::move(attribute), stride, std::size_t{0});
}

void OpenGlRenderingApi::drawArrays(EPrimitiveMode mode, std::int32_t first, std::int32_t count) {
    if (const auto glMode = toGl(mode)) {
        glDrawArrays(*glMode, first, count);
        poll("glDrawArrays");
    }
}

void OpenGlRenderingApi::drawArraysInstanced(EPrimitiveMode mode, std::int32_t first,
                                             std::int32_t count, std::int32_t instanceCount) {
    if (const auto glMode = toGl(mode)) {
        glDrawArraysInstanced(*glMode, first, count, instanceCount);
        poll("glDrawArraysInstanced");
    }
}

void OpenGlRenderingApi::drawElements(EPrimitiveMode mode, std::int32_t count,
                                      EDataType indexType) {
    const auto glMode = toGl(mode);
    const auto glType = toGl(indexType);
    if (!glMode || !glType) {
        return;
    }
    glDrawElements(*glMode, count, *glType, nullptr);
    poll("glDrawElements");
}

void OpenGlRenderingApi::drawElements(EPrimitiveMode mode, std::int32_t count, EDataType indexType,
                                      std::size_t byteOffset) {
    const auto glMode = toGl(mode);
    const auto glType = toGl(indexType);
    if (!glMode || !glType) {
        return;
    }
    // GL takes an offset into the element buffer disguised as a pointer.
    glDrawElements(*glMode, count, *glType,
                   reinterpret_cast<const void*>(static_cast<std::uintptr_t>(byteOffset)));
    poll("glDrawElements");
}

void OpenGlRenderingApi::drawElementsInstanced(EPrimitiveMode mode, std::int32_t count,
                                               EDataType indexType, std::int32_t instanceCount) {
    const auto glMode = toGl(mode);
    const auto glType = toGl(indexType);
    if (!glMode || !glType) {
        return;
    }
    glDrawElementsInstanced(*glMode, count, *glType, nullptr, instanceCount);
    poll("glDrawElementsInstanced");
}

void OpenGlRenderingApi::legacyBegin(EPrimitiveMode mode) {
    if (const auto glMode = toGl(mode)) {
        glBegin(*glMode);
        poll("glBegin");
    }
}

void OpenGlRenderingApi::legacyEnd() {
    glEnd();
    poll("glEnd");
}

void OpenGlRenderingApi::legacyColor(const glm::vec4& color) {
    glColor4fv(&color.x);
    poll("legacyColor[glColor4fv]");
}

void OpenGlRenderingApi::legacyColor(const glm::vec3& color) {
    glColor3fv(&color.x);
    poll("legacyColor[glColor3fv]");
}

void OpenGlRenderingApi::legacyVertex(const glm::vec4& vertex) {
    glVertex4fv(&vertex.x);
    poll("legacyVertex[glVertex4fv]");
}

void OpenGlRenderingApi::legacyVertex(const glm::vec3& vertex) {
    glVertex3fv(&vertex.x);
    poll("legacyVertex[glVertex3fv]");
}

std::int32_t OpenGlRenderingApi::queryCounterBits(EQueryTarget target) {
    const auto constant = toGl(target);
    if (!constant) {
        return 0;
    }
    GLint bits = 0;
    glGetQueryiv(*constant, GL_QUERY_COUNTER_BITS, &bits);
    poll("glGetQueryiv");
    return bits;
}

std::vector<std::uint32_t> OpenGlRenderingApi::genQueries(std::uint32_t n) {
    if (n == 0) {
        return {};
    }
    std::vector<GLuint> names(n, 0);
    glGenQueries(static_cast<GLsizei>(n), names.data());
    poll("glGenQueries");
    return {names.begin(), names.end()};
}

void OpenGlRenderingApi::deleteQueries(const std::vector<std::uint32_t>& names) {
    if (names.empty()) {
        return;
    }
    const std::vector<GLuint> copy(names.begin(), names.end());
    glDeleteQueries(static_cast<GLsizei>(copy.size()), copy.data());
    poll("glDeleteQueries");
}

void OpenGlRenderingApi::beginQuery(EQueryTarget target, std::uint32_t name) {
    if (const auto constant = toGl(target)) {
        glBeginQuery(*constant, name);
        poll("glBeginQuery");
    }
}

void OpenGlRenderingApi::endQuery(EQueryTarget target) {
    if (const auto constant = toGl(target)) {
        glEndQuery(*constant);
        poll("glEndQuery");
    }
}

bool OpenGlRenderingApi::isQueryResultAvailable(std::uint32_t name) {
    GLint available = GL_FALSE;
    glGetQueryObjectiv(name, GL_QUERY_RESULT_AVAILABLE, &available);
    poll("glGetQueryObjectiv");
    return available == GL_TRUE;
}

std::uint64_t OpenGlRenderingApi::getQueryResult(std::uint32_t name) {
    GLuint64 result = 0;
    glGetQueryObjectui64v(name, GL_QUERY_RESULT, &result);
    poll("glGetQueryObjectui64v");
    return result;
}

void OpenGlRenderingApi::objectLabel(EObjectType type, std::uint32_t name, std::string_view label) {
    if (const auto constant = toGl(type)) {
        glObjectLabel(*constant, name, static_cast<GLsizei>(label.size()), label.data());
        poll("glObjectLabel");
    }
}

void OpenGlRenderingApi::pushDebugGroup(std::string_view message) {
    glPushDebugGroup(GL_DEBUG_SOURCE_APPLICATION, 0, static_cast<GLsizei>(message.size()),
                     message.data());
    poll("glPushDebugGroup");
}

void OpenGlRenderingApi::popDebugGroup() {
    glPopDebugGroup();
    poll("glPopDebugGroup");
}

void OpenGlRenderingApi::blendFunc(EBlendFactor source, EBlendFactor destination) {
    const auto glSource = toGl(source);
    const auto glDestination = toGl(destination);
    if (!glSource || !glDestination) {
        return;
    }
    glBlendFunc(*glSource, *glDestination);
    poll("glBlendFunc");
}

void OpenGlRenderingApi::scissor(const int_pair_t& origin, const int_pair_t& size) {
    glScissor(origin.first, origin.second, size.first, size.second);
    poll("glScissor");
}

std::vector<std::uint32_t> OpenGlRenderingApi::genTextures(std::uint32_t n) {
    if (n == 0) {
        return {};
    }
    std::vector<GLuint> names(n, 0);
    glGenTextures(static_cast<GLsizei>(n), names.data());
    poll("glGenTextures");
    return {names.begin(), names.end()};
}

void OpenGlRenderingApi::deleteTextures(const std::vector<std::uint32_t>& names) {
    if (names.empty()) {
        return;
    }
    const std::vector<GLuint> copy(names.begin(), names.end());
    glDeleteTextures(static_cast<GLsizei>(copy.size()), copy.data());
    poll("glDeleteTextures");
}

void OpenGlRenderingApi::bindTexture(std::uint32_t name) {
    glBindTexture(GL_TEXTURE_2D, name);
    poll("glBindTexture");
}

void OpenGlRenderingApi::texParameter(ETextureParameter parameter, ETextureFilter filter) {
    const auto glParameter = toGl(parameter);
    const auto glFilter = toGl(filter);
    if (!glParameter || !glFilter) {
        return;
    }
    glTexParameteri(GL_TEXTURE_2D, *glParameter, static_cast<GLint>(*glFilter));
    poll("glTexParameteri");
}

bool OpenGlRenderingApi::texImage2D(const int_pair_t& size, std::span<const std::uint8_t> rgba) {
    const auto [width, height] = size;
    // As in readPixels: checked in 64 bits, so a bad size cannot make GL read
    // past the end of the span.
    if (width <= 0 || height <= 0 ||
        static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) * 4u > rgba.size()) {
        return false;
    }
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 rgba.data());
    poll("glTexImage2D");
    return true;
}

} // namespace ox::renderer::opengl
