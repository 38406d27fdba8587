#include "mesh/TestTriangleInstanced.hpp"

#include "engine/mesh/MeshLabels.hpp"
#include "renderer/IRenderingApi.hpp"

#include <array>

namespace ox::mesh {

using core::logger::ELogLevel;
using engine::shader::ReloadableProgram;
using renderer::EBufferUsage;
using renderer::EDataType;
using renderer::EPrimitiveMode;

namespace {

constexpr std::uint8_t initClearedBits = 0x03;
constexpr std::string_view channelName = "TestTriangleInstanced";
constexpr std::int32_t positionComponents = 2;
constexpr std::string_view mvpMatrix = "mvp_matrix";
constexpr std::string_view timeElapsedName = "time_elapsed";
constexpr std::string_view positionName = "position";

} // namespace

TestTriangleInstanced::TestTriangleInstanced(
    std::shared_ptr<core::logger::ILogApiFactory> logApiFactory) {
    if (logApiFactory) {
        validatorLog = logApiFactory->createLogApi(channelName, ELogLevel::Debug);
        reloaderLog = logApiFactory->createLogApi(channelName, ELogLevel::Debug);
    }
}

TestTriangleInstanced::~TestTriangleInstanced() = default;

void TestTriangleInstanced::init(std::shared_ptr<renderer::IRenderingApi> api,
                                 std::shared_ptr<engine::mesh::IMeshRegister>) {
    if (initialized || !api) {
        return;
    }
    properties.meshFlags &= static_cast<std::uint8_t>(~initClearedBits);
    properties.renderGroup &= static_cast<std::uint8_t>(~initClearedBits);
    shader.reset();

    program = std::make_unique<ReloadableProgram>(
        api, ReloadableProgram::files_t{vertexShaderPath, fragmentShaderPath},
        ReloadableProgram::requirements_t{
            {mvpMatrix, timeElapsedName},
            {{std::string(positionName), EDataType::Float, positionComponents}}},
        reloaderLog, validatorLog);
    // Polled before the buffers so that "position" is known when they are set up.
    poll(*api);

    createBuffers(*api);
    initialized = true;
}

std::string_view TestTriangleInstanced::getName() const {
    return channelName;
}

void TestTriangleInstanced::labelObjects(renderer::IRenderingApi& api) {
    if (!initialized) {
        return;
    }
    labelled = true;
    const std::array<std::uint32_t, 2> buffers{vertexBuffer, indexBuffer};
    engine::mesh::MeshLabels::labelAll(api, channelName, shader ? shader->getProgram() : 0,
                                       vertexArray, buffers);
}

void TestTriangleInstanced::poll(renderer::IRenderingApi& api) {
    if (!program->reloadIfChanged()) {
        return;
    }
    shader = program->program();
    if (labelled && shader) {
        engine::mesh::MeshLabels::labelProgram(api, channelName, shader->getProgram());
    }
    mvpUniform = program->uniform(mvpMatrix);
    timeElapsedUniform = program->uniform(timeElapsedName);
    positionAttribute = program->attribute(positionName);
    bindPosition(api);
}

void TestTriangleInstanced::createBuffers(renderer::IRenderingApi& api) {
    const auto buffers = api.genBuffers(2);
    const auto arrays = api.genVertexArrays(1);
    vertexArray = arrays.empty() ? 0 : arrays[0];
    api.bindVertexArray(vertexArray);

    // The apex at the origin, the base below it.
    const std::array<float, 6> vertices{0.0f, 0.0f, -0.5f, -0.866f, 0.5f, -0.866f};
    vertexBufferTarget = renderer::EBufferTarget::ArrayBuffer;
    vertexBuffer = buffers.size() > 0 ? buffers[0] : 0;
    api.bindBuffer(vertexBufferTarget, vertexBuffer);
    api.bufferData(vertexBufferTarget, std::span<const float>(vertices), EBufferUsage::StaticDraw);
    buffersCreated = true;
    bindPosition(api);

    const std::array<std::uint32_t, 3> indices{0, 1, 2};
    indexBufferTarget = renderer::EBufferTarget::ElementArrayBuffer;
    indexBuffer = buffers.size() > 1 ? buffers[1] : 0;
    api.bindBuffer(indexBufferTarget, indexBuffer);
    api.bufferData(indexBufferTarget, std::span<const std::uint32_t>(indices),
                   EBufferUsage::StaticDraw);
}

void TestTriangleInstanced::bindPosition(renderer::IRenderingApi& api) {
    // Files that were broken at start-up may be fixed while the program runs,
    // and an edit may move "position"; the vertex array must follow the
    // program that is drawn with, not the one that happened to be there at init.
    if (!buffersCreated || !positionAttribute || !positionAttribute->isValid()) {
        return;
    }
    if (boundPosition && boundPosition->getLocation() == positionAttribute->getLocation()) {
        return;
    }
    api.bindVertexArray(vertexArray);
    if (boundPosition) {
        api.disableVertexAttribArray(boundPosition);
    }
    api.bindBuffer(vertexBufferTarget, vertexBuffer);
    api.vertexAttribPointer(positionAttribute, 0);
    api.enableVertexAttribArray(positionAttribute);
    boundPosition = positionAttribute;
}

void TestTriangleInstanced::render(std::shared_ptr<renderer::IRenderingApi> api,
                                   std::shared_ptr<engine::mesh::IMeshRegister>,
                                   const engine::mesh::mesh_render_data_t& data) {
    if (!initialized || !api) {
        return;
    }
    poll(*api);
    if (!shader) {
        return;
    }
    api->bindVertexArray(vertexArray);
    shader->use();
    mvpUniform->set(data.viewProjection);
    timeElapsedUniform->set(timeElapsed);
    const EPrimitiveMode mode = data.primitiveOverride.isEnabled() ? data.primitiveOverride.mode
                                                                   : EPrimitiveMode::Triangles;
    api->drawElementsInstanced(mode, 3, EDataType::UnsignedInt,
                               static_cast<std::int32_t>(instanceCount));
}

void TestTriangleInstanced::deinit(std::shared_ptr<renderer::IRenderingApi> api,
                                   std::shared_ptr<engine::mesh::IMeshRegister>) {
    if (!initialized || !api) {
        return;
    }
    api->deleteBuffers({vertexBuffer, indexBuffer});
    api->deleteVertexArrays({vertexArray});
    buffersCreated = false;
    program.reset();
    mvpUniform.reset();
    timeElapsedUniform.reset();
    positionAttribute.reset();
    boundPosition.reset();
    shader.reset();
    initialized = false;
}

engine::mesh::mesh_properties_t* TestTriangleInstanced::getProperties() {
    return &properties;
}

} // namespace ox::mesh
