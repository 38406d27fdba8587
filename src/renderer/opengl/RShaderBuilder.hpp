#pragma once

#include "renderer/IRenderingApi.hpp"
#include "renderer/IShaderBuilder.hpp"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace ox::renderer::opengl {

// Compiles and links the collected stages into an RShaderHolder. Made by the
// rendering API's createShaderBuilder and exclusively owned by its caller; it
// keeps the API alive. A builder can build again: every stage is compiled anew
// into a new program, and the compiler and linker messages of all builds so
// far go to every holder it makes. Main thread with a current context only.
class RShaderBuilder : public IShaderBuilder {
public:
    explicit RShaderBuilder(std::shared_ptr<IRenderingApi> api);
    ~RShaderBuilder() override;

    RShaderBuilder(const RShaderBuilder&) = delete;
    RShaderBuilder& operator=(const RShaderBuilder&) = delete;

    IShaderBuilder& addVertexShader(const std::string_view& source) override;
    IShaderBuilder& addFragmentShader(const std::string_view& source) override;
    IShaderBuilder& addComputeShader(const std::string_view& source) override;
    IShaderBuilder& addGeometryShader(const std::string_view& source) override;
    IShaderBuilder& addTessControlShader(const std::string_view& source) override;
    IShaderBuilder& addTessEvaluationShader(const std::string_view& source) override;
    std::shared_ptr<IShaderHolder> build() override;

    // The signatures of glGetShaderiv/glGetProgramiv and of
    // glGetShaderInfoLog/glGetProgramInfoLog.
    using ParameterQuery = std::function<void(std::uint32_t, std::uint32_t, std::int32_t*)>;
    using LogReader = std::function<void(std::uint32_t, std::int32_t, std::int32_t*, char*)>;

    // Appends the object's log to the messages unless it is empty, growing the
    // buffer first when the log would not fit. An empty query throws
    // std::bad_function_call.
    void retrieveLog(std::uint32_t object, const ParameterQuery& query, const LogReader& reader);

    static constexpr std::int32_t initialInfoLogCapacity = 4096;

private:
    IShaderBuilder& addSource(std::uint32_t stage, const std::string_view& source);

    std::shared_ptr<IRenderingApi> api;
    // (OpenGL shader type, copy of the text), in the order added.
    std::vector<std::pair<std::uint32_t, std::string>> sources;
    std::vector<std::uint32_t> compiledShaders;
    std::uint32_t program = 0;
    std::int32_t infoLogCapacity = initialInfoLogCapacity;
    std::unique_ptr<char[]> infoLog;
    std::vector<std::string> messages;
};

} // namespace ox::renderer::opengl
