#include "mesh/TestTriangle.hpp"

#include "engine/mesh/MeshLabels.hpp"
#include "renderer/IRenderingApi.hpp"
#include "renderer/IShaderBuilder.hpp"

#include <array>
#include <charconv>
#include <cmath>

namespace ox::mesh {

using renderer::EBufferTarget;
using renderer::EBufferUsage;
using renderer::EDataType;
using renderer::EPrimitiveMode;

namespace {

static_assert(TestTriangle::vertexShaderSource.size() == 240);
static_assert(TestTriangle::fragmentShaderSource.size() == 112);

// Position x, y, z, then colour r, g, b.
constexpr std::int32_t vertexStride = 6 * sizeof(float);
constexpr std::size_t colorOffset = 3 * sizeof(float);

constexpr std::uint8_t initClearedBits = 0x03;

std::string shortNumber(float value) {
    std::array<char, 32> text{};
    const auto [end, error] = std::to_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() ? std::string(text.data(), end) : std::string("?");
}

} // namespace

TestTriangle::TestTriangle(float depth, float hue)
    : depth(depth)
    , hue(hue)
    // Shortest form: z=1, z=-180, z=0.5.
    , name("TestTriangle z=" + shortNumber(depth)) {}

TestTriangle::~TestTriangle() = default;

glm::vec3 TestTriangle::colorFromHue(float hue) {
    const float h = hue / 60.0f;
    const float s = std::floor(h);
    const float f = h - s;
    const float q = 1.0f - 0.5f * f;
    const float t = 1.0f - 0.5f * (1.0f - f);
    // Checked before converting: a NaN or huge hue has no integer sector and
    // converting it would be undefined; it takes the default like 0 does.
    const int sector = (s >= 1.0f && s < 6.0f) ? static_cast<int>(s) : 0;
    switch (sector) {
    case 1:
        return {q, 1.0f, 0.5f};
    case 2:
        return {0.5f, 1.0f, t};
    case 3:
        return {0.5f, q, 1.0f};
    case 4:
        return {t, 0.5f, 1.0f};
    case 5:
        return {1.0f, 0.5f, q};
    default:
        return {1.0f, t, 0.5f};
    }
}

void TestTriangle::init(std::shared_ptr<renderer::IRenderingApi> api,
                        std::shared_ptr<engine::mesh::IMeshRegister>) {
    if (initialized || !api) {
        return;
    }
    properties.meshFlags &= static_cast<std::uint8_t>(~initClearedBits);
    properties.renderGroup &= static_cast<std::uint8_t>(~initClearedBits);

    buildProgram(*api);
    if (!shader) {
        return;
    }
    createBuffers(*api);
    initialized = true;
}

void TestTriangle::buildProgram(renderer::IRenderingApi& api) {
    auto builder = api.createShaderBuilder();
    if (!builder) {
        return;
    }
    shader = builder->addVertexShader(vertexShaderSource)
                 .addFragmentShader(fragmentShaderSource)
                 .build();
    if (!shader) {
        return;
    }
    // This mesh does not log compiler or linker output.
    shader->forEachMessage([](const std::string_view) {});
    mvpUniform = shader->getUniformLocation("mvp_matrix");
    positionAttribute = shader->getAttributeLocation("position", EDataType::Float, 3);
    colorAttribute = shader->getAttributeLocation("color", EDataType::Float, 3);
}

void TestTriangle::createBuffers(renderer::IRenderingApi& api) {
    const auto buffers = api.genBuffers(2);
    const auto arrays = api.genVertexArrays(1);
    vertexArray = arrays.empty() ? 0 : arrays[0];
    api.bindVertexArray(vertexArray);

    const glm::vec3 color = colorFromHue(hue);
    const std::array<float, 18> vertices{
        -0.5f, -0.5f, depth, color.r, color.g, color.b, //
        0.5f,  -0.5f, depth, color.r, color.g, color.b, //
        0.0f,  0.5f,  depth, color.r, color.g, color.b,
    };
    vertexBufferTarget = EBufferTarget::ArrayBuffer;
    vertexBuffer = buffers.size() > 0 ? buffers[0] : 0;
    api.bindBuffer(vertexBufferTarget, vertexBuffer);
    api.bufferData(vertexBufferTarget, std::span<const float>(vertices), EBufferUsage::StaticDraw);

    // A missing attribute has already been reported by its lookup; pointing
    // location -1 at the buffer would only add an OpenGL error to that.
    if (positionAttribute && positionAttribute->isValid()) {
        api.vertexAttribPointer(positionAttribute, vertexStride);
        api.enableVertexAttribArray(positionAttribute);
    }
    if (colorAttribute && colorAttribute->isValid()) {
        api.vertexAttribPointer(colorAttribute, vertexStride, colorOffset);
        api.enableVertexAttribArray(colorAttribute);
    }

    const std::array<std::uint32_t, 3> indices{0, 1, 2};
    indexBufferTarget = EBufferTarget::ElementArrayBuffer;
    indexBuffer = buffers.size() > 1 ? buffers[1] : 0;
    api.bindBuffer(indexBufferTarget, indexBuffer);
    api.bufferData(indexBufferTarget, std::span<const std::uint32_t>(indices),
                   EBufferUsage::StaticDraw);
    // The vertex array stays bound.
}

void TestTriangle::render(std::shared_ptr<renderer::IRenderingApi> api,
                          std::shared_ptr<engine::mesh::IMeshRegister>,
                          const engine::mesh::mesh_render_data_t& data) {
    // An unlinked program is not made current, so setting the matrix and
    // drawing would hit whichever program another mesh left current.
    if (!initialized || !api || !shader->isLinked()) {
        return;
    }
    api->bindVertexArray(vertexArray);
    api->useProgram(shader);
    if (mvpUniform) {
        mvpUniform->set(data.viewProjection);
    }
    const EPrimitiveMode mode = data.primitiveOverride.isEnabled() ? data.primitiveOverride.mode
                                                                   : EPrimitiveMode::Triangles;
    api->drawElements(mode, 3, EDataType::UnsignedInt);
}

void TestTriangle::deinit(std::shared_ptr<renderer::IRenderingApi> api,
                          std::shared_ptr<engine::mesh::IMeshRegister>) {
    if (!initialized || !api) {
        return;
    }
    api->deleteBuffers({vertexBuffer, indexBuffer});
    api->deleteVertexArrays({vertexArray});
    mvpUniform.reset();
    positionAttribute.reset();
    colorAttribute.reset();
    shader.reset();
    initialized = false;
}

std::string_view TestTriangle::getName() const {
    return name;
}

void TestTriangle::labelObjects(renderer::IRenderingApi& api) {
    if (!initialized) {
        return;
    }
    labelled = true;
    const std::array<std::uint32_t, 2> buffers{vertexBuffer, indexBuffer};
    engine::mesh::MeshLabels::labelAll(api, name, shader ? shader->getProgram() : 0, vertexArray,
                                       buffers);
}

engine::mesh::mesh_properties_t* TestTriangle::getProperties() {
    return &properties;
}

} // namespace ox::mesh
