#pragma once

#include "core/logger/ILogApi.hpp"
#include "core/logger/ILogApiFactory.hpp"
#include "engine/mesh/IMesh.hpp"
#include "engine/shader/ReloadableProgram.hpp"
#include "renderer/EBufferTarget.hpp"
#include "renderer/IShaderAttributeHolder.hpp"
#include "renderer/IShaderHolder.hpp"
#include "renderer/IShaderUniformHolder.hpp"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace ox::mesh {

// One small triangle drawn `instanceCount` times in one call. Where each
// instance goes and how it moves is up to the shaders read from
// `vertexShaderPath` and `fragmentShaderPath` (relative to the working
// directory at init, re-read whenever they change); they get the projection x
// view matrix and `timeElapsed`. Until a program from those files has been
// accepted nothing is drawn. Owns its vertex array and buffers. Driven by the
// mesh register on the main thread; the application writes `timeElapsed`
// before each frame.
class TestTriangleInstanced : public engine::mesh::IMesh {
public:
    static constexpr std::string_view vertexShaderPath = "shaders/test-triangle-instanced.vert";
    static constexpr std::string_view fragmentShaderPath = "shaders/test-triangle-instanced.frag";

    // Creates the mesh's log channels through the factory and keeps only them.
    explicit TestTriangleInstanced(std::shared_ptr<core::logger::ILogApiFactory> logApiFactory);
    ~TestTriangleInstanced() override;

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

    // Seconds since start, sent to the shaders as "time_elapsed".
    float timeElapsed = 0.0f;

private:
    void poll(renderer::IRenderingApi& api);
    void createBuffers(renderer::IRenderingApi& api);
    void bindPosition(renderer::IRenderingApi& api);

    engine::mesh::mesh_properties_t properties{};
    bool initialized = false;
    // Set once labelObjects has run: programs rebuilt later get labels too.
    bool labelled = false;
    std::uint32_t instanceCount = 6000;
    std::uint32_t vertexArray = 0;
    renderer::EBufferTarget vertexBufferTarget = renderer::EBufferTarget::ArrayBuffer;
    std::uint32_t vertexBuffer = 0;
    renderer::EBufferTarget indexBufferTarget = renderer::EBufferTarget::ElementArrayBuffer;
    std::uint32_t indexBuffer = 0;
    bool buffersCreated = false;
    std::shared_ptr<core::logger::ILogApi> validatorLog;
    std::shared_ptr<core::logger::ILogApi> reloaderLog;
    std::unique_ptr<engine::shader::ReloadableProgram> program;
    std::shared_ptr<renderer::IShaderHolder> shader;
    std::shared_ptr<renderer::IShaderUniformHolder> mvpUniform;
    std::shared_ptr<renderer::IShaderUniformHolder> timeElapsedUniform;
    std::shared_ptr<renderer::IShaderAttributeHolder> positionAttribute;
    // The attribute the vertex array feeds from the vertex buffer; empty until
    // a program with "position" has been accepted.
    std::shared_ptr<renderer::IShaderAttributeHolder> boundPosition;
};

} // namespace ox::mesh
