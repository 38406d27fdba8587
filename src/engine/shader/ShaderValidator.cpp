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

void ShaderValidator::logError(std::string_view text, std::vector<std::string>* problems) const {
    if (problems != nullptr) {
        problems->emplace_back(text);
    }
    if (!logApi) {
        return;
    }
    const std::string line = fmt::format("{} > {}", name, text);
    if (logApi->isEnabled(ELogLevel::Error)) {
        logApi->log(ELogLevel::Error, line);
    }
}

bool ShaderValidator::validate(const std::shared_ptr<renderer::IShaderHolder>& holder,
                               handles_t* found, std::vector<std::string>* problems) const {
    if (!holder) {
        return false;
    }
    if (!holder->isLinked()) {
        if (logApi || problems != nullptr) {
            // Compiler and linker logs span many lines; one log entry per line
            // keeps the log file readable and greppable.
            holder->forEachMessage([this, problems](const std::string_view message) {
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
                        logError(line, problems);
                    }
                }
            });
        }
        return false;
    }

    // The holder's own lookups report a missing name through the renderer too:
    // the "renderer" line says what the program lacks, this one which mesh
    // wanted it, and readers of the log look for both.
    int failures = 0;
    handles_t handles;
    for (const auto& uniform : uniforms) {
        auto handle = holder->getUniformLocation(uniform);
        if (!handle || !handle->isValid()) {
            logError(fmt::format("Uniform '{}' is not valid.", uniform), problems);
            ++failures;
        }
        handles.uniforms.push_back(std::move(handle));
    }
    for (const auto& attribute : attributes) {
        const auto handle = holder->getAttributeLocation(attribute.name, attribute.dataType,
                                                         attribute.componentCount);
        if (!handle || !handle->isValid()) {
            logError(fmt::format("Attribute '{}' is not valid.", attribute.name), problems);
            ++failures;
        }
        handles.attributes.push_back(handle);
    }
    if (failures != 0) {
        return false;
    }
    if (found != nullptr) {
        *found = std::move(handles);
    }
    return true;
}

} // namespace ox::engine::shader
