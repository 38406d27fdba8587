#pragma once

#include "renderer/IRenderer.hpp"
#include "renderer/IRenderingApi.hpp"
#include "renderer/IShaderAttributeHolder.hpp"
#include "renderer/IShaderBuilder.hpp"
#include "renderer/IShaderHolder.hpp"
#include "renderer/IShaderUniformHolder.hpp"

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace vexel::bench {

namespace null_api {

class UniformHolder final : public ox::renderer::IShaderUniformHolder {
public:
    explicit UniformHolder(std::string name)
        : name(std::move(name)) {}
    bool isValid() const override { return true; }
    std::string getName() const override { return name; }
    std::int32_t getLocation() const override { return 0; }
    void set(const glm::mat4&) const override {}
    void set(const glm::vec4&) const override {}
    void set(const std::array<float, 4>&) const override {}
    void set(std::span<const float, 4>) const override {}
    void set(const std::uint32_t&) const override {}
    void set(const float&) const override {}

private:
    std::string name;
};

class AttributeHolder final : public ox::renderer::IShaderAttributeHolder {
public:
    AttributeHolder(std::string name, ox::renderer::EDataType dataType, std::int32_t componentCount)
        : name(std::move(name))
        , dataType(dataType)
        , componentCount(componentCount) {}
    bool isValid() const override { return true; }
    std::string getName() const override { return name; }
    std::int32_t getLocation() const override { return 0; }
    ox::renderer::EDataType getDataType() const override { return dataType; }
    std::optional<std::uint32_t> getGlType() const override { return 0x1406; } // GL_FLOAT
    std::int32_t getComponentCount() const override { return componentCount; }

private:
    std::string name;
    ox::renderer::EDataType dataType;
    std::int32_t componentCount;
};

class ShaderHolder final : public ox::renderer::IShaderHolder {
public:
    explicit ShaderHolder(std::uint32_t program)
        : program(program) {}
    std::uint32_t getProgram() const override { return program; }
    void forEachMessage(std::function<void(const std::string_view)>) const override {}
    bool isLinked() const override { return true; }
    void use() const override {}
    std::shared_ptr<ox::renderer::IShaderUniformHolder>
    getUniformLocation(const std::string_view& name) const override {
        return std::make_shared<UniformHolder>(std::string(name));
    }
    using IShaderHolder::getAttributeLocation;
    std::shared_ptr<ox::renderer::IShaderAttributeHolder>
    getAttributeLocation(const std::string_view& name, ox::renderer::EDataType dataType,
                         std::int32_t componentCount) const override {
        return std::make_shared<AttributeHolder>(std::string(name), dataType, componentCount);
    }
    std::shared_ptr<ox::renderer::IShaderAttributeHolder>
    getAttributeLocation(std::string name, ox::renderer::EDataType dataType,
                         std::int32_t componentCount) const override {
        return getAttributeLocation(std::string_view{name}, dataType, componentCount);
    }

private:
    std::uint32_t program;
};

class ShaderBuilder final : public ox::renderer::IShaderBuilder {
public:
    explicit ShaderBuilder(std::uint32_t& nextProgram)
        : nextProgram(nextProgram) {}
    IShaderBuilder& addVertexShader(const std::string_view&) override { return *this; }
    IShaderBuilder& addFragmentShader(const std::string_view&) override { return *this; }
    IShaderBuilder& addComputeShader(const std::string_view&) override { return *this; }
    IShaderBuilder& addGeometryShader(const std::string_view&) override { return *this; }
    IShaderBuilder& addTessControlShader(const std::string_view&) override { return *this; }
    IShaderBuilder& addTessEvaluationShader(const std::string_view&) override { return *this; }
    std::shared_ptr<ox::renderer::IShaderHolder> build() override {
        return std::make_shared<ShaderHolder>(nextProgram++);
    }

private:
    std::uint32_t& nextProgram;
};

} // namespace null_api

// An IRenderingApi that makes no OpenGL call and polls nothing: what is left
// of a frame when it runs against this is the engine's own CPU work. Names
// count up from 1; every program it builds is linked and every uniform and
// attribute lookup succeeds.
class NullRenderingApi final : public ox::renderer::IRenderingApi,
                               public std::enable_shared_from_this<NullRenderingApi> {
public:
    std::shared_ptr<ox::renderer::IRenderer> getRenderer() const override { return {}; }
    void viewport(const int_pair_t&, const int_pair_t&) override {}
    void enable(ox::renderer::ECapability) override {}
    void disable(ox::renderer::ECapability) override {}
    bool isEnabled(ox::renderer::ECapability) override { return false; }
    void clearColor(const glm::vec4&) override {}
    void clear(ox::renderer::clear_buffer_flags_t) override {}
    void clear(ox::renderer::EClearBuffer) override {}
    void pointSize(float) override {}
    bool readPixels(const int_pair_t&, const int_pair_t&, std::span<std::uint8_t>) override {
        return false;
    }
    std::vector<std::uint32_t> genBuffers(std::uint32_t n) override { return names(n); }
    void deleteBuffers(const std::vector<std::uint32_t>&) override {}
    bool isBuffer(std::uint32_t) override { return false; }
    void bindBuffer(ox::renderer::EBufferTarget, std::uint32_t) override {}
    std::int32_t vaoGetBinding(ox::renderer::EBufferTarget) override { return 0; }
    std::vector<std::uint32_t> genVertexArrays(std::uint32_t n) override { return names(n); }
    void deleteVertexArrays(const std::vector<std::uint32_t>&) override {}
    bool isVertexArray(std::uint32_t) override { return false; }
    void bindVertexArray(std::uint32_t) override {}
    void bufferData(ox::renderer::EBufferTarget, std::span<const std::uint32_t>,
                    ox::renderer::EBufferUsage) override {}
    void bufferData(ox::renderer::EBufferTarget, std::span<const float>,
                    ox::renderer::EBufferUsage) override {}
    void bufferData(ox::renderer::EBufferTarget, std::uint32_t, const void*,
                    ox::renderer::EBufferUsage) override {}
    std::unique_ptr<ox::renderer::IShaderBuilder> createShaderBuilder() override {
        return std::make_unique<null_api::ShaderBuilder>(nextProgram);
    }
    void useProgram(std::shared_ptr<ox::renderer::IShaderHolder>) override {}
    void enableVertexAttribArray(std::shared_ptr<ox::renderer::IShaderAttributeHolder>) override {}
    void disableVertexAttribArray(std::shared_ptr<ox::renderer::IShaderAttributeHolder>) override {}
    void vertexAttribPointer(std::shared_ptr<ox::renderer::IShaderAttributeHolder>, std::int32_t,
                             const void*) override {}
    void vertexAttribPointer(std::shared_ptr<ox::renderer::IShaderAttributeHolder>, std::int32_t,
                             std::size_t) override {}
    void vertexAttribPointer(std::shared_ptr<ox::renderer::IShaderAttributeHolder>,
                             std::int32_t) override {}
    void drawArrays(ox::renderer::EPrimitiveMode, std::int32_t, std::int32_t) override {}
    void drawArraysInstanced(ox::renderer::EPrimitiveMode, std::int32_t, std::int32_t,
                             std::int32_t) override {}
    void drawElements(ox::renderer::EPrimitiveMode, std::int32_t,
                      ox::renderer::EDataType) override {}
    void drawElementsInstanced(ox::renderer::EPrimitiveMode, std::int32_t, ox::renderer::EDataType,
                               std::int32_t) override {}
    void legacyBegin(ox::renderer::EPrimitiveMode) override {}
    void legacyEnd() override {}
    void legacyColor(const glm::vec4&) override {}
    void legacyColor(const glm::vec3&) override {}
    void legacyVertex(const glm::vec4&) override {}
    void legacyVertex(const glm::vec3&) override {}

private:
    std::vector<std::uint32_t> names(std::uint32_t n) {
        std::vector<std::uint32_t> result(n);
        for (auto& name : result) {
            name = nextName++;
        }
        return result;
    }

    std::uint32_t nextName = 1;
    std::uint32_t nextProgram = 1;
};

} // namespace vexel::bench
