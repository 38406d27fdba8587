#pragma once

#include "core/logger/LoggerMachinery.hpp"
#include "engine/mesh/MeshRegister.hpp"
#include "renderer/opengl/OpenGlRenderingApi.hpp"
#include "support/CurrentDirectory.hpp"
#include "support/GlTestContext.hpp"
#include "support/OffscreenTarget.hpp"
#include "support/RecordingRenderer.hpp"
#include "support/RecordingWriter.hpp"
#include "support/TempDir.hpp"

#include <glm/gtc/matrix_transform.hpp>

#include <memory>
#include <string>
#include <vector>

namespace ox::test {

// Base fixture for pixel tests of one mesh as the demo starts: camera at the
// origin looking along +z, field of view 45 degrees, depth test on, drawn by a
// mesh register over the real rendering API into a small offscreen target.
// `root` is the log factory to hand the mesh; every line logged on its
// channels lands in `writer`. `init` runs with `dir` as the working
// directory, which is where file-based meshes look for shaders/. A test
// fails when an OpenGL error was polled.
class MeshGLTest : public GlTest {
protected:
    static constexpr int size = 64;

    void SetUp() override {
        GlTest::SetUp();
        target = std::make_unique<OffscreenTarget>(size);
        root->addWriter(writer);
        glEnable(GL_DEPTH_TEST);
        data.viewProjection =
            glm::perspective(glm::radians(45.0f), 1.0f, 0.1f, 1000.0f) *
            glm::lookAt(glm::vec3(0.0f), glm::vec3(0.0f, 0.0f, 1.0f), glm::vec3(0.0f, 1.0f, 0.0f));
    }
    void TearDown() override {
        reg->deinitAll();
        reg.reset();
        glUseProgram(0);
        glBindVertexArray(0);
        glDisable(GL_DEPTH_TEST);
        target.reset();
        EXPECT_TRUE(renderer->errors.empty()) << renderer->errors.front().first;
        api->releaseRenderer();
        GlTest::TearDown();
    }

    void init() {
        CurrentDirectory inside(dir.path());
        reg->initAll();
    }
    void drawFrame() {
        target->clear();
        reg->setRenderData(data);
        reg->renderAll();
    }
    // The messages logged above Debug since the last take.
    std::vector<std::string> takeErrors() {
        std::vector<std::string> errors;
        for (const auto& [level, line] : writer->lines) {
            if (level != core::logger::ELogLevel::Debug) {
                errors.push_back(line.substr(line.find(" > ") + 3));
            }
        }
        writer->lines.clear();
        return errors;
    }

    TempDir dir;
    std::unique_ptr<OffscreenTarget> target;
    std::shared_ptr<RecordingRenderer> renderer = std::make_shared<RecordingRenderer>();
    std::shared_ptr<renderer::opengl::OpenGlRenderingApi> api =
        std::make_shared<renderer::opengl::OpenGlRenderingApi>(renderer);
    std::shared_ptr<engine::mesh::MeshRegister> reg =
        std::make_shared<engine::mesh::MeshRegister>(api);
    std::shared_ptr<core::logger::LoggerMachinery> root =
        std::make_shared<core::logger::LoggerMachinery>();
    std::shared_ptr<RecordingWriter> writer = std::make_shared<RecordingWriter>();
    engine::mesh::mesh_render_data_t data{};
};

} // namespace ox::test
