#pragma once

#include "core/logger/ILogApi.hpp"
#include "engine/shader/shader_attribute_t.hpp"
#include "renderer/IRenderingApi.hpp"
#include "renderer/IShaderAttributeHolder.hpp"
#include "renderer/IShaderHolder.hpp"
#include "renderer/IShaderUniformHolder.hpp"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace ox::engine::shader {

// Decides whether a freshly built program may replace the one a mesh draws
// with: it must have linked and provide every required uniform and attribute.
// Each problem becomes one Error line on the owner's channel (none without a
// channel). Shared by the owning mesh and its ShaderReloader; keeps the
// rendering API alive. Main thread with the context current only.
class ShaderValidator {
public:
    explicit ShaderValidator(std::shared_ptr<renderer::IRenderingApi> api);

    void setLogger(std::string_view name, std::shared_ptr<core::logger::ILogApi> logApi);
    void setUniforms(const std::vector<std::string_view>& names);
    void setAttributes(const std::vector<shader_attribute_t>& required);

    // The handles the checks looked up, in the order of the requirements.
    struct handles_t {
        std::vector<std::shared_ptr<renderer::IShaderUniformHolder>> uniforms;
        std::vector<std::shared_ptr<renderer::IShaderAttributeHolder>> attributes;
    };

    // Logs every problem found before answering; changes neither side. When
    // `found` is given and the program passes, it receives the handles; when
    // `problems` is given, it receives each logged line too (without the
    // validator's name), for showing elsewhere than the log.
    bool validate(const std::shared_ptr<renderer::IShaderHolder>& holder,
                  handles_t* found = nullptr, std::vector<std::string>* problems = nullptr) const;

private:
    void logError(std::string_view text, std::vector<std::string>* problems) const;

    std::shared_ptr<renderer::IRenderingApi> api;
    std::string name;
    std::shared_ptr<core::logger::ILogApi> logApi;
    std::vector<std::string> uniforms;
    std::vector<shader_attribute_t> attributes;
};

} // namespace ox::engine::shader
