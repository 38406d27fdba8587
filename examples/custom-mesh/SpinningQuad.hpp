#pragma once

#include "core/logger/ILogApi.hpp"
#include "engine/mesh/IMesh.hpp"
#include "engine/shader/ReloadableProgram.hpp"
#include "renderer/IRenderingApi.hpp"

#include <cstdint>
#include <memory>
#include <string_view>

// A unit quad turning about the view axis, coloured by
// "shaders/spinning-quad.vert" and "shaders/spinning-quad.frag", which are
// read again whenever they change. Nothing is drawn until they give a program
// with the uniform "angle" and the attribute "position".
class SpinningQuad : public ox::engine::mesh::IMesh {
public:
    explicit SpinningQuad(std::shared_ptr<ox::core::logger::ILogApi> log);

    // Radians, set by the scene before each draw.
    float angle = 0.0f;

    void init(std::shared_ptr<ox::renderer::IRenderingApi> api,
              std::shared_ptr<ox::engine::mesh::IMeshRegister> meshRegister) override;
    void deinit(std::shared_ptr<ox::renderer::IRenderingApi> api,
                std::shared_ptr<ox::engine::mesh::IMeshRegister> meshRegister) override;
    ox::engine::mesh::mesh_properties_t* getProperties() override { return &properties; }
    std::string_view getName() const override { return "SpinningQuad"; }
    // Names its vertex array and buffer for GL debugging tools; nothing
    // before init.
    void labelObjects(ox::renderer::IRenderingApi& api) override {
        if (vertexArray != 0) {
            api.objectLabel(ox::renderer::EObjectType::VertexArray, vertexArray,
                            "SpinningQuad vertex array");
            api.objectLabel(ox::renderer::EObjectType::Buffer, vertexBuffer, "SpinningQuad buffer");
        }
    }
    void render(std::shared_ptr<ox::renderer::IRenderingApi> api,
                std::shared_ptr<ox::engine::mesh::IMeshRegister> meshRegister,
                const ox::engine::mesh::mesh_render_data_t& data) override;

private:
    std::shared_ptr<ox::core::logger::ILogApi> log;
    ox::engine::mesh::mesh_properties_t properties{};
    std::unique_ptr<ox::engine::shader::ReloadableProgram> program;
    std::shared_ptr<ox::renderer::IShaderAttributeHolder> boundPosition;
    std::uint32_t vertexArray = 0;
    std::uint32_t vertexBuffer = 0;
};
