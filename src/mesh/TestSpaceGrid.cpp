#include "mesh/TestSpaceGrid.hpp"

#include "engine/mesh/MeshLabels.hpp"
#include "renderer/IRenderingApi.hpp"

namespace ox::mesh {

using core::logger::ELogLevel;
using engine::shader::ReloadableProgram;
using renderer::EPrimitiveMode;

namespace {

constexpr std::uint8_t initClearedBits = 0x03;
constexpr std::string_view channelName = "TestSpaceGrid";
constexpr std::string_view mvpMatrix = "mvp_matrix";
constexpr std::string_view instanceCountName = "instance_count";

} // namespace

TestSpaceGrid::TestSpaceGrid(std::shared_ptr<core::logger::ILogApiFactory> logApiFactory) {
    if (logApiFactory) {
        reloaderLog = logApiFactory->createLogApi(channelName, ELogLevel::Debug);
        validatorLog = logApiFactory->createLogApi(channelName, ELogLevel::Debug);
    }
}

TestSpaceGrid::~TestSpaceGrid() = default;

void TestSpaceGrid::init(std::shared_ptr<renderer::IRenderingApi> api,
                         std::shared_ptr<engine::mesh::IMeshRegister>) {
    if (initialized || !api) {
        return;
    }
    properties.meshFlags &= static_cast<std::uint8_t>(~initClearedBits);
    properties.renderGroup &= static_cast<std::uint8_t>(~initClearedBits);

    program = std::make_unique<ReloadableProgram>(
        api, ReloadableProgram::files_t{vertexShaderPath, fragmentShaderPath},
        ReloadableProgram::requirements_t{{mvpMatrix, instanceCountName}, {}}, reloaderLog,
        validatorLog);
    // The files are read at the first render.

    const auto arrays = api->genVertexArrays(1);
    vertexArray = arrays.empty() ? 0 : arrays[0];
    initialized = true;
}

void TestSpaceGrid::render(std::shared_ptr<renderer::IRenderingApi> api,
                           std::shared_ptr<engine::mesh::IMeshRegister>,
                           const engine::mesh::mesh_render_data_t& data) {
    if (!initialized || !api) {
        return;
    }
    if (program->reloadIfChanged()) {
        shader = program->program();
        if (labelled && shader) {
            engine::mesh::MeshLabels::labelProgram(*api, channelName, shader->getProgram());
        }
        mvpUniform = program->uniform(mvpMatrix);
        instanceCountUniform = program->uniform(instanceCountName);
    }
    if (!shader) {
        return;
    }
    api->bindVertexArray(vertexArray);
    shader->use();
    mvpUniform->set(data.viewProjection);
    instanceCountUniform->set(instanceCount);
    const EPrimitiveMode mode =
        data.primitiveOverride.isEnabled() ? data.primitiveOverride.mode : EPrimitiveMode::Lines;
    api->drawArraysInstanced(mode, 0, verticesPerInstance,
                             static_cast<std::int32_t>(instanceCount));
}

std::string_view TestSpaceGrid::getName() const {
    return channelName;
}

void TestSpaceGrid::labelObjects(renderer::IRenderingApi& api) {
    if (!initialized) {
        return;
    }
    labelled = true;
    // The grid computes its vertices in the shader: it has no buffers.
    engine::mesh::MeshLabels::labelAll(api, channelName, shader ? shader->getProgram() : 0,
                                       vertexArray, {});
}

void TestSpaceGrid::deinit(std::shared_ptr<renderer::IRenderingApi> api,
                           std::shared_ptr<engine::mesh::IMeshRegister>) {
    if (!initialized || !api) {
        return;
    }
    api->deleteVertexArrays({vertexArray});
    vertexArray = 0;
    program.reset();
    mvpUniform.reset();
    instanceCountUniform.reset();
    shader.reset();
    initialized = false;
}

engine::mesh::mesh_properties_t* TestSpaceGrid::getProperties() {
    return &properties;
}

} // namespace ox::mesh
