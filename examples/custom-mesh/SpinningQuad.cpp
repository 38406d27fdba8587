#include "SpinningQuad.hpp"

#include "renderer/IRenderingApi.hpp"

#include <array>
#include <span>
#include <utility>

using ox::engine::shader::ReloadableProgram;
using ox::renderer::EBufferTarget;
using ox::renderer::EBufferUsage;
using ox::renderer::EDataType;
using ox::renderer::EPrimitiveMode;

SpinningQuad::SpinningQuad(std::shared_ptr<ox::core::logger::ILogApi> log)
    : log(std::move(log)) {}

void SpinningQuad::init(std::shared_ptr<ox::renderer::IRenderingApi> api,
                        std::shared_ptr<ox::engine::mesh::IMeshRegister>) {
    program = std::make_unique<ReloadableProgram>(
        api, ReloadableProgram::files_t{"shaders/spinning-quad.vert", "shaders/spinning-quad.frag"},
        ReloadableProgram::requirements_t{{"angle"}, {{"position", EDataType::Float, 2}}}, log,
        log);

    const auto arrays = api->genVertexArrays(1);
    const auto buffers = api->genBuffers(1);
    vertexArray = arrays.empty() ? 0 : arrays[0];
    vertexBuffer = buffers.empty() ? 0 : buffers[0];
    api->bindVertexArray(vertexArray);
    api->bindBuffer(EBufferTarget::ArrayBuffer, vertexBuffer);
    // Two triangles as a strip, corners at half a unit.
    const std::array<float, 8> corners{-0.5f, -0.5f, 0.5f, -0.5f, -0.5f, 0.5f, 0.5f, 0.5f};
    api->bufferData(EBufferTarget::ArrayBuffer, std::span<const float>(corners),
                    EBufferUsage::StaticDraw);
}

void SpinningQuad::render(std::shared_ptr<ox::renderer::IRenderingApi> api,
                          std::shared_ptr<ox::engine::mesh::IMeshRegister>,
                          const ox::engine::mesh::mesh_render_data_t&) {
    if (!program) {
        return;
    }
    api->bindVertexArray(vertexArray);
    if (program->reloadIfChanged()) {
        // An edit may move "position": the vertex array follows the program.
        if (boundPosition) {
            api->disableVertexAttribArray(boundPosition);
        }
        boundPosition = program->attribute("position");
        api->bindBuffer(EBufferTarget::ArrayBuffer, vertexBuffer);
        api->vertexAttribPointer(boundPosition, 0);
        api->enableVertexAttribArray(boundPosition);
    }
    if (!program->program()) {
        return;
    }
    program->program()->use();
    program->uniform("angle")->set(angle);
    api->drawArrays(EPrimitiveMode::TriangleStrip, 0, 4);
}

void SpinningQuad::deinit(std::shared_ptr<ox::renderer::IRenderingApi> api,
                          std::shared_ptr<ox::engine::mesh::IMeshRegister>) {
    api->deleteBuffers({vertexBuffer});
    api->deleteVertexArrays({vertexArray});
    boundPosition.reset();
    program.reset();
}
