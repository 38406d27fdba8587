#include "engine/shader/ShaderValidator.hpp"

#include "renderer/IShaderAttributeHolder.hpp"
#include "renderer/IShaderUniformHolder.hpp"

#include <fmt/format.h>

#include <utility>

namespace ox::engine::shader {

using core::logger::ELogLevel;

ShaderValidator::ShaderValidator(std::shared_ptr<renderer::IRenderingApi> api)
    : api(std::move(api)) {}

void ShaderValidator::setLogger(std::string_view newName,
                                std::shared_ptr<core::logger::ILogApi> newLogApi) {
    name = newName;
    logApi = std::move(newLogApi);
}

void ShaderValidator::setUniforms(const std::vector<std::string_view>& names) {
    uniforms.assign(names.begin(), names.end());
}

void ShaderValidator::setAttributes(const std::vector<shader_attribute_t>& required) {
    attributes = required;
}

void ShaderValidator::logError(std::string_view text) const {
    if (!logApi) {
        return;
    }
    const std::string line = fmt::format("{} > {}", name, text);
    if (logApi->isEnabled(ELogLevel::Error)) {
        logApi->log(ELogLevel::Error, line);
    }
}

bool ShaderValidator::validate(const std::shared_ptr<renderer::IShaderHolder>& holder) const {
    if (!holder) {
        return false;
    }
    if (!holder->isLinked()) {
        if (logApi) {
            // Compiler and linker logs span many lines; one log entry per line
            // keeps the log file readable and greppable.
            holder->forEachMessage([this](const std::string_view message) {
                std::string_view rest = message;
                while (!rest.empty()) {
                    const auto end = rest.find('\n');
                    std::string_view line = rest.substr(0, end);
                    rest =
                        end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);
                    if (!line.empty() && line.back() == '\r') {
                        line.remove_suffix(1);
                    }
                    if (line.find_first_not_of(" \t") != std::string_view::npos) {
                        logError(line);
                    }
                }
            });
        }
        return false;
    }

    int failures = 0;
    for (const auto& uniform : uniforms) {
        if (const auto handle = holder->getUniformLocation(uniform);
            !handle || !handle->isValid()) {
            logError(fmt::format("Uniform '{}' is not valid.", uniform));
            ++failures;
        }
    }
    for (const auto& attribute : attributes) {
        const auto handle = holder->getAttributeLocation(attribute.name, attribute.dataType,
                                                         attribute.componentCount);
        if (!handle || !handle->isValid()) {
            logError(fmt::format("Attribute '{}' is not valid.", attribute.name));
            ++failures;
        }
    }
    return failures == 0;
}

} // namespace ox::engine::shader
