#pragma once

#include <memory>
#include <string_view>

namespace ox::renderer {

struct IShaderHolder;

// Collects shader sources per stage (each add copies the text) and compiles
// and links them in build(). A failed compile or link yields a holder that is
// not linked and carries the logs; nothing is thrown. Exclusively owned by
// whoever called IRenderingApi::createShaderBuilder. Main thread; build()
// needs the context current.
struct IShaderBuilder {
    virtual IShaderBuilder& addVertexShader(const std::string_view& source) = 0;
    virtual IShaderBuilder& addFragmentShader(const std::string_view& source) = 0;
    virtual IShaderBuilder& addComputeShader(const std::string_view& source) = 0;
    virtual IShaderBuilder& addGeometryShader(const std::string_view& source) = 0;
    virtual IShaderBuilder& addTessControlShader(const std::string_view& source) = 0;
    virtual IShaderBuilder& addTessEvaluationShader(const std::string_view& source) = 0;
    virtual std::shared_ptr<IShaderHolder> build() = 0;
    virtual ~IShaderBuilder() = default;
};

} // namespace ox::renderer
