#pragma once

#include "renderer/IRenderer.hpp"
#include "renderer/IRenderingApi.hpp"
#include "renderer/IShaderAttributeHolder.hpp"
#include "renderer/IShaderBuilder.hpp"
#include "renderer/IShaderHolder.hpp"
#include "renderer/IShaderUniformHolder.hpp"

#include <fmt/format.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace ox::test {

// An IRenderingApi without OpenGL: every operation is written down as one line
// ("bindBuffer(0, 1)") in `calls`, in order. Names handed out count up from 1.
// Shader builders it creates record their calls into the same list and build
// linked fake programs whose lookups succeed unless the name is listed in
// `unknownNames`. Lets code above the GL layer be checked exactly ("render
// before init makes no call"). With `recording` off it writes nothing down and
// formats nothing, so what a benchmark measures against it is the caller's own
// CPU work.
class RecordingRenderingApi : public renderer::IRenderingApi,
                              public std::enable_shared_from_this<RecordingRenderingApi> {
public:
    explicit RecordingRenderingApi(std::shared_ptr<renderer::IRenderer> renderer = nullptr)
        : renderer(std::move(renderer)) {}

    std::shared_ptr<renderer::IRenderer> getRenderer() const override { return renderer; }
    void viewport(const int_pair_t& origin, const int_pair_t& size) override {
        record("viewport({}, {}, {}, {})", origin.first, origin.second, size.first, size.second);
    }
    void enable(renderer::ECapability capability) override {
        record("enable({})", static_cast<int>(capability));
    }
    void disable(renderer::ECapability capability) override {
        record("disable({})", static_cast<int>(capability));
    }
    bool isEnabled(renderer::ECapability capability) override {
        record("isEnabled({})", static_cast<int>(capability));
        return false;
    }
    void clearColor(const glm::vec4& rgba) override {
        record("clearColor({}, {}, {}, {})", rgba.r, rgba.g, rgba.b, rgba.a);
    }
    void clear(renderer::clear_buffer_flags_t buffers) override {
        record("clear(flags {})", buffers.bits);
    }
    void clear(renderer::EClearBuffer buffer) override {
        record("clear({})", static_cast<int>(buffer));
    }
    void pointSize(float size) override { record("pointSize({})", size); }
    bool readPixels(const int_pair_t& origin, const int_pair_t& size,
                    std::span<std::uint8_t> rgba) override {
        record("readPixels({}, {}, {}, {}, {})", origin.first, origin.second, size.first,
               size.second, rgba.size());
        return false;
    }
    std::vector<std::uint32_t> genBuffers(std::uint32_t n) override {
        record("genBuffers({})", n);
        return names(n);
    }
    void deleteBuffers(const std::vector<std::uint32_t>& list) override {
        record("deleteBuffers({})", fmt::join(list, ", "));
    }
    bool isBuffer(std::uint32_t name) override {
        record("isBuffer({})", name);
        return false;
    }
    void bindBuffer(renderer::EBufferTarget target, std::uint32_t name) override {
        record("bindBuffer({}, {})", static_cast<int>(target), name);
    }
    std::int32_t vaoGetBinding(renderer::EBufferTarget target) override {
        record("vaoGetBinding({})", static_cast<int>(target));
        return 0;
    }
    std::vector<std::uint32_t> genVertexArrays(std::uint32_t n) override {
        record("genVertexArrays({})", n);
        return names(n);
    }
    void deleteVertexArrays(const std::vector<std::uint32_t>& list) override {
        record("deleteVertexArrays({})", fmt::join(list, ", "));
    }
    bool isVertexArray(std::uint32_t name) override {
        record("isVertexArray({})", name);
        return false;
    }
    void bindVertexArray(std::uint32_t name) override { record("bindVertexArray({})", name); }
    void bufferData(renderer::EBufferTarget target, std::span<const std::uint32_t> data,
                    renderer::EBufferUsage usage) override {
        record("bufferData({}, uint[{}], {})", static_cast<int>(target), data.size(),
               static_cast<int>(usage));
        lastUints.assign(data.begin(), data.end());
    }
    void bufferData(renderer::EBufferTarget target, std::span<const float> data,
                    renderer::EBufferUsage usage) override {
        record("bufferData({}, float[{}], {})", static_cast<int>(target), data.size(),
               static_cast<int>(usage));
        lastFloats.assign(data.begin(), data.end());
    }
    void bufferData(renderer::EBufferTarget target, std::uint32_t sizeInBytes, const void*,
                    renderer::EBufferUsage usage) override {
        record("bufferData({}, {} bytes, {})", static_cast<int>(target), sizeInBytes,
               static_cast<int>(usage));
    }
    std::unique_ptr<renderer::IShaderBuilder> createShaderBuilder() override;
    void useProgram(std::shared_ptr<renderer::IShaderHolder> holder) override {
        record("useProgram({})", holder ? static_cast<int>(holder->getProgram()) : -1);
    }
    void
    enableVertexAttribArray(std::shared_ptr<renderer::IShaderAttributeHolder> attribute) override {
        if (recording) {
            record("enableVertexAttribArray({})", nameOf(attribute));
        }
    }
    void
    disableVertexAttribArray(std::shared_ptr<renderer::IShaderAttributeHolder> attribute) override {
        if (recording) {
            record("disableVertexAttribArray({})", nameOf(attribute));
        }
    }
    void vertexAttribPointer(std::shared_ptr<renderer::IShaderAttributeHolder> attribute,
                             std::int32_t stride, const void* pointer) override {
        if (!recording) {
            return;
        }
        record("vertexAttribPointer({}, {}, {})", nameOf(attribute), stride,
               reinterpret_cast<std::uintptr_t>(pointer));
    }
    void vertexAttribPointer(std::shared_ptr<renderer::IShaderAttributeHolder> attribute,
                             std::int32_t stride, std::size_t byteOffset) override {
        if (!recording) {
            return;
        }
        record("vertexAttribPointer({}, {}, {})", nameOf(attribute), stride, byteOffset);
    }
    void vertexAttribPointer(std::shared_ptr<renderer::IShaderAttributeHolder> attribute,
                             std::int32_t stride) override {
        if (!recording) {
            return;
        }
        record("vertexAttribPointer({}, {}, 0)", nameOf(attribute), stride);
    }
    void drawArrays(renderer::EPrimitiveMode mode, std::int32_t first,
                    std::int32_t count) override {
        record("drawArrays({}, {}, {})", static_cast<int>(mode), first, count);
    }
    void drawArraysInstanced(renderer::EPrimitiveMode mode, std::int32_t first, std::int32_t count,
                             std::int32_t instanceCount) override {
        record("drawArraysInstanced({}, {}, {}, {})", static_cast<int>(mode), first, count,
               instanceCount);
    }
    void drawElements(renderer::EPrimitiveMode mode, std::int32_t count,
                      renderer::EDataType indexType) override {
        record("drawElements({}, {}, {})", static_cast<int>(mode), count,
               static_cast<int>(indexType));
    }
    void drawElements(renderer::EPrimitiveMode mode, std::int32_t count,
                      renderer::EDataType indexType, std::size_t byteOffset) override {
        record("drawElements({}, {}, {}, {})", static_cast<int>(mode), count,
               static_cast<int>(indexType), byteOffset);
    }
    void drawElementsInstanced(renderer::EPrimitiveMode mode, std::int32_t count,
                               renderer::EDataType indexType, std::int32_t instanceCount) override {
        record("drawElementsInstanced({}, {}, {}, {})", static_cast<int>(mode), count,
               static_cast<int>(indexType), instanceCount);
    }
    void legacyBegin(renderer::EPrimitiveMode mode) override {
        record("legacyBegin({})", static_cast<int>(mode));
    }
    void legacyEnd() override { record("legacyEnd()"); }
    void legacyColor(const glm::vec4& c) override {
        record("legacyColor({}, {}, {}, {})", c.r, c.g, c.b, c.a);
    }
    void legacyColor(const glm::vec3& c) override {
        record("legacyColor({}, {}, {})", c.r, c.g, c.b);
    }
    void legacyVertex(const glm::vec4& v) override {
        record("legacyVertex({}, {}, {}, {})", v.x, v.y, v.z, v.w);
    }
    void legacyVertex(const glm::vec3& v) override {
        record("legacyVertex({}, {}, {})", v.x, v.y, v.z);
    }
    std::int32_t queryCounterBits(renderer::EQueryTarget target) override {
        record("queryCounterBits({})", static_cast<int>(target));
        return counterBits;
    }
    std::vector<std::uint32_t> genQueries(std::uint32_t n) override {
        record("genQueries({})", n);
        return names(n);
    }
    void deleteQueries(const std::vector<std::uint32_t>& list) override {
        record("deleteQueries({})", fmt::join(list, ", "));
    }
    void beginQuery(renderer::EQueryTarget target, std::uint32_t name) override {
        record("beginQuery({}, {})", static_cast<int>(target), name);
    }
    void endQuery(renderer::EQueryTarget target) override {
        record("endQuery({})", static_cast<int>(target));
    }
    bool isQueryResultAvailable(std::uint32_t name) override {
        record("isQueryResultAvailable({})", name);
        return queryResultsReady;
    }
    std::uint64_t getQueryResult(std::uint32_t name) override {
        record("getQueryResult({})", name);
        return queryResult;
    }
    void objectLabel(renderer::EObjectType type, std::uint32_t name,
                     std::string_view label) override {
        record("objectLabel({}, {}, {})", static_cast<int>(type), name, label);
    }
    void pushDebugGroup(std::string_view message) override {
        record("pushDebugGroup({})", message);
    }
    void popDebugGroup() override { record("popDebugGroup()"); }
    void blendFunc(renderer::EBlendFactor source, renderer::EBlendFactor destination) override {
        record("blendFunc({}, {})", static_cast<int>(source), static_cast<int>(destination));
    }
    void scissor(const int_pair_t& origin, const int_pair_t& size) override {
        record("scissor({}, {}, {}, {})", origin.first, origin.second, size.first, size.second);
    }
    std::vector<std::uint32_t> genTextures(std::uint32_t n) override {
        record("genTextures({})", n);
        return names(n);
    }
    void deleteTextures(const std::vector<std::uint32_t>& list) override {
        record("deleteTextures({})", fmt::join(list, ", "));
    }
    void bindTexture(std::uint32_t name) override { record("bindTexture({})", name); }
    void texParameter(renderer::ETextureParameter parameter,
                      renderer::ETextureFilter filter) override {
        record("texParameter({}, {})", static_cast<int>(parameter), static_cast<int>(filter));
    }
    bool texImage2D(const int_pair_t& size, std::span<const std::uint8_t> rgba) override {
        record("texImage2D({}, {}, {})", size.first, size.second, rgba.size());
        return true;
    }

    template <typename... Args>
    void record(fmt::format_string<Args...> format, Args&&... args) {
        if (recording) {
            calls.push_back(fmt::format(format, std::forward<Args>(args)...));
        }
    }

    bool recording = true;

    std::vector<std::string> calls;
    // The data of the last bufferData call of each element type.
    std::vector<float> lastFloats;
    std::vector<std::uint32_t> lastUints;
    // Names that built fake programs do not know; their lookups come back invalid.
    std::vector<std::string> unknownNames;
    // Every shader source added to a builder of this API, in order.
    std::vector<std::string> shaderSources;
    // Fake programs are numbered from 101 on.
    std::uint32_t lastProgram = 100;
    // What queryCounterBits answers, and every query's result in nanoseconds;
    // whether results are there without waiting (a GPU that lags behind).
    std::int32_t counterBits = 64;
    std::uint64_t queryResult = 0;
    bool queryResultsReady = true;

private:
    std::vector<std::uint32_t> names(std::uint32_t n) {
        std::vector<std::uint32_t> result;
        for (std::uint32_t i = 0; i < n; ++i) {
            result.push_back(nextName++);
        }
        return result;
    }

    template <typename Handle>
    static std::string nameOf(const std::shared_ptr<Handle>& handle) {
        return handle ? handle->getName() : std::string("(none)");
    }

    std::shared_ptr<renderer::IRenderer> renderer;
    std::uint32_t nextName = 1;
};

namespace recording {

class UniformHolder final : public renderer::IShaderUniformHolder {
public:
    UniformHolder(std::shared_ptr<RecordingRenderingApi> api, std::string name, bool valid)
        : api(std::move(api))
        , name(std::move(name))
        , valid(valid) {}
    bool isValid() const override { return valid; }
    std::string getName() const override { return name; }
    std::int32_t getLocation() const override { return valid ? 0 : -1; }
    void set(const glm::mat4&) const override { api->record("set({}, mat4)", name); }
    void set(const glm::vec4&) const override { api->record("set({}, vec4)", name); }
    void set(const std::array<float, 4>&) const override { api->record("set({}, vec4)", name); }
    void set(std::span<const float, 4>) const override { api->record("set({}, vec4)", name); }
    void set(const std::uint32_t& value) const override {
        api->record("set({}, {}u)", name, value);
    }
    void set(const float& value) const override { api->record("set({}, {}f)", name, value); }

private:
    std::shared_ptr<RecordingRenderingApi> api;
    std::string name;
    bool valid;
};

class AttributeHolder final : public renderer::IShaderAttributeHolder {
public:
    AttributeHolder(std::string name, bool valid, renderer::EDataType dataType,
                    std::int32_t componentCount)
        : name(std::move(name))
        , valid(valid)
        , dataType(dataType)
        , componentCount(componentCount) {}
    bool isValid() const override { return valid; }
    std::string getName() const override { return name; }
    std::int32_t getLocation() const override { return valid ? 0 : -1; }
    renderer::EDataType getDataType() const override { return dataType; }
    std::optional<std::uint32_t> getGlType() const override { return std::nullopt; }
    std::int32_t getComponentCount() const override { return componentCount; }

private:
    std::string name;
    bool valid;
    renderer::EDataType dataType;
    std::int32_t componentCount;
};

class ShaderHolder final : public renderer::IShaderHolder {
public:
    ShaderHolder(std::shared_ptr<RecordingRenderingApi> api, std::uint32_t program)
        : api(std::move(api))
        , program(program) {}
    std::uint32_t getProgram() const override { return program; }
    void forEachMessage(std::function<void(const std::string_view)> visitor) const override {
        api->record("forEachMessage({})", visitor ? "callable" : "empty");
    }
    bool isLinked() const override { return true; }
    void use() const override { api->record("use({})", program); }
    std::shared_ptr<renderer::IShaderUniformHolder>
    getUniformLocation(const std::string_view& name) const override {
        api->record("getUniformLocation({})", name);
        return std::make_shared<UniformHolder>(api, std::string(name), known(name));
    }
    using IShaderHolder::getAttributeLocation;
    std::shared_ptr<renderer::IShaderAttributeHolder>
    getAttributeLocation(const std::string_view& name, renderer::EDataType dataType,
                         std::int32_t componentCount) const override {
        api->record("getAttributeLocation({}, {}, {})", name, static_cast<int>(dataType),
                    componentCount);
        return std::make_shared<AttributeHolder>(std::string(name), known(name), dataType,
                                                 componentCount);
    }
    std::shared_ptr<renderer::IShaderAttributeHolder>
    getAttributeLocation(std::string name, renderer::EDataType dataType,
                         std::int32_t componentCount) const override {
        return getAttributeLocation(std::string_view{name}, dataType, componentCount);
    }

private:
    bool known(std::string_view name) const {
        for (const auto& unknown : api->unknownNames) {
            if (unknown == name) {
                return false;
            }
        }
        return true;
    }

    std::shared_ptr<RecordingRenderingApi> api;
    std::uint32_t program;
};

class ShaderBuilder final : public renderer::IShaderBuilder {
public:
    explicit ShaderBuilder(std::shared_ptr<RecordingRenderingApi> api)
        : api(std::move(api)) {}
    IShaderBuilder& addVertexShader(const std::string_view& source) override {
        return add("addVertexShader", source);
    }
    IShaderBuilder& addFragmentShader(const std::string_view& source) override {
        return add("addFragmentShader", source);
    }
    IShaderBuilder& addComputeShader(const std::string_view& source) override {
        return add("addComputeShader", source);
    }
    IShaderBuilder& addGeometryShader(const std::string_view& source) override {
        return add("addGeometryShader", source);
    }
    IShaderBuilder& addTessControlShader(const std::string_view& source) override {
        return add("addTessControlShader", source);
    }
    IShaderBuilder& addTessEvaluationShader(const std::string_view& source) override {
        return add("addTessEvaluationShader", source);
    }
    std::shared_ptr<renderer::IShaderHolder> build() override {
        api->record("build()");
        return std::make_shared<ShaderHolder>(api, ++api->lastProgram);
    }

private:
    IShaderBuilder& add(const char* what, const std::string_view& source) {
        api->record("{}()", what);
        api->shaderSources.emplace_back(source);
        return *this;
    }

    std::shared_ptr<RecordingRenderingApi> api;
};

} // namespace recording

inline std::unique_ptr<renderer::IShaderBuilder> RecordingRenderingApi::createShaderBuilder() {
    record("createShaderBuilder()");
    return std::make_unique<recording::ShaderBuilder>(shared_from_this());
}

} // namespace ox::test
