#pragma once

#include "core/logger/ILogApi.hpp"
#include "core/logger/ILogApiFactory.hpp"
#include "engine/mesh/IMesh.hpp"
#include "engine/shader/ReloadableProgram.hpp"
#include "renderer/IShaderHolder.hpp"
#include "renderer/IShaderUniformHolder.hpp"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace ox::mesh {

// A reference grid of lines in space to judge position and motion by. It owns
// no vertex data: the shaders read from `vertexShaderPath` and
// `fragmentShaderPath` (relative to the working directory at init, re-read
// whenever they change) place every vertex from the vertex and instance
// indices. Until a program from those files has been accepted nothing is
// drawn. Driven by the mesh register on the main thread.
class TestSpaceGrid : public engine::mesh::IMesh {
public:
    static constexpr std::string_view vertexShaderPath = "shaders/test-space-grid.vert";
    static constexpr std::string_view fragmentShaderPath = "shaders/test-space-grid.frag";
    static constexpr std::int32_t verticesPerInstance = 60;

    // Creates the mesh's log channels through the factory and keeps only them.
    explicit TestSpaceGrid(std::shared_ptr<core::logger::ILogApiFactory> logApiFactory);
    ~TestSpaceGrid() override;

    void init(std::shared_ptr<renderer::IRenderingApi> api,
              std::shared_ptr<engine::mesh::IMeshRegister> meshRegister) override;
    void deinit(std::shared_ptr<renderer::IRenderingApi> api,
                std::shared_ptr<engine::mesh::IMeshRegister> meshRegister) override;
    engine::mesh::mesh_properties_t* getProperties() override;
    void render(std::shared_ptr<renderer::IRenderingApi> api,
                std::shared_ptr<engine::mesh::IMeshRegister> meshRegister,
                const engine::mesh::mesh_render_data_t& data) override;
    std::string_view getName() const override;
    void labelObjects(renderer::IRenderingApi& api) override;

private:
    engine::mesh::mesh_properties_t properties{};
    bool initialized = false;
    // Set once labelObjects has run: programs rebuilt later get labels too.
    bool labelled = false;
    std::uint32_t instanceCount = 600;
    std::shared_ptr<core::logger::ILogApi> reloaderLog;
    std::shared_ptr<core::logger::ILogApi> validatorLog;
    std::unique_ptr<engine::shader::ReloadableProgram> program;
    std::shared_ptr<renderer::IShaderHolder> shader;
    std::shared_ptr<renderer::IShaderUniformHolder> mvpUniform;
    std::shared_ptr<renderer::IShaderUniformHolder> instanceCountUniform;
    // Empty: a core context refuses to draw without some vertex array bound,
    // even when the shaders read no attribute.
    std::uint32_t vertexArray = 0;
};

} // namespace ox::mesh
