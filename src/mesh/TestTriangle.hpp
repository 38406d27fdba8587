#pragma once

#include "engine/mesh/IMesh.hpp"
#include "renderer/EBufferTarget.hpp"
#include "renderer/IShaderAttributeHolder.hpp"
#include "renderer/IShaderHolder.hpp"
#include "renderer/IShaderUniformHolder.hpp"

#include <glm/vec3.hpp>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace ox::mesh {

// One flat triangle of one colour at a given depth, drawn with built-in
// shaders. Every instance builds its own program and owns its vertex array and
// buffers. Driven by the mesh register on the main thread: init once, render
// every frame, deinit before the context goes.
class TestTriangle : public engine::mesh::IMesh {
public:
    // Sources of the program; each begins with a newline.
    static constexpr std::string_view vertexShaderSource =
        "\n#version 430 core\nuniform mat4 mvp_matrix;\nin vec3 position;\nin vec3 color;\n\nout "
        "VS_OUT\n{\n\tvec4 color;\n} vs_out;\n\nvoid main()\n{\n\tgl_Position = mvp_matrix * "
        "vec4(position.x, position.y, position.z, 1.0);\n\tvs_out.color = vec4(color, 1.0);\n}\n";
    static constexpr std::string_view fragmentShaderSource =
        "\n#version 430 core\nout vec4 color;\n\nin VS_OUT\n{\n\tvec4 color;\n} fs_in;\n\nvoid "
        "main()\n{\n    color = fs_in.color;\n}\n";

    TestTriangle(float depth, float hue);
    ~TestTriangle() override;

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

    // HSV to RGB with saturation 0.5 and value 1; `hue` in degrees.
    static glm::vec3 colorFromHue(float hue);

private:
    void buildProgram(renderer::IRenderingApi& api);
    void createBuffers(renderer::IRenderingApi& api);

    engine::mesh::mesh_properties_t properties{};
    bool initialized = false;
    // Set once labelObjects has run: programs rebuilt later get labels too.
    bool labelled = false;
    float depth;
    float hue;
    std::string name;
    std::uint32_t vertexArray = 0;
    renderer::EBufferTarget vertexBufferTarget = renderer::EBufferTarget::ArrayBuffer;
    std::uint32_t vertexBuffer = 0;
    renderer::EBufferTarget indexBufferTarget = renderer::EBufferTarget::ElementArrayBuffer;
    std::uint32_t indexBuffer = 0;
    std::shared_ptr<renderer::IShaderHolder> shader;
    std::shared_ptr<renderer::IShaderUniformHolder> mvpUniform;
    std::shared_ptr<renderer::IShaderAttributeHolder> positionAttribute;
    std::shared_ptr<renderer::IShaderAttributeHolder> colorAttribute;
};

} // namespace ox::mesh
