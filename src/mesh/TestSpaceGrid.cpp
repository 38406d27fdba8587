#include "mesh/TestSpaceGrid.hpp"

#include "engine/mesh/MeshLabels.hpp"
#include "renderer/IRenderingApi.hpp"

namespace ox::mesh {

using core::logger::ELogLevel;
using engine::shader::ShaderReloader;
using engine::shader::ShaderValidator;
using renderer::EPrimitiveMode;

namespace {

constexpr std::uint8_t initClearedBits = 0x03;
constexpr std::string_view channelName = "TestSpaceGrid";

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

    validator = std::make_shared<ShaderValidator>(api);
    validator->setLogger("shader validator", validatorLog);
    validator->setUniforms({"mvp_matrix", "instance_count"});

    reloader = std::make_shared<ShaderReloader>(api);
    reloader->setLogger("file reloader", reloaderLog);
    reloader->setValidator(validator);
    reloader->setShaderFiles(vertexShaderPath, fragmentShaderPath);
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
    if (auto rebuilt = reloader->reloadIfChanged()) {
        shader = std::move(rebuilt);
        if (labelled) {
            engine::mesh::MeshLabels::labelProgram(*api, channelName, shader->getProgram());
        }
        mvpUniform = shader->getUniformLocation("mvp_matrix");
        instanceCountUniform = shader->getUniformLocation("instance_count");
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
    reloader.reset();
    validator.reset();
    mvpUniform.reset();
    instanceCountUniform.reset();
    shader.reset();
    initialized = false;
}

engine::mesh::mesh_properties_t* TestSpaceGrid::getProperties() {
    return &properties;
}

} // namespace ox::mesh
