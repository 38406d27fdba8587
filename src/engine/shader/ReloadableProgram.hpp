#pragma once

#include "core/logger/ILogApi.hpp"
#include "engine/shader/ShaderReloader.hpp"
#include "engine/shader/ShaderValidator.hpp"
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

// The shader program of a mesh drawn from a pair of files: rebuilt whenever
// either file changes, and taken only when it links and has every uniform and
// attribute the mesh declared, so a mesh names each of them once. The handles
// it hands back are the ones that were checked. Owns its reloader and
// validator; keeps the rendering API alive. Main thread with the context
// current only.
class ReloadableProgram {
public:
    struct files_t {
        std::string_view vertex;
        std::string_view fragment;
    };
    struct requirements_t {
        std::vector<std::string_view> uniforms;
        std::vector<shader_attribute_t> attributes;
    };

    // Relative paths are resolved against the current directory of this
    // moment. The reloader logs on `reloaderLog` as "file reloader", the
    // validator on `validatorLog` as "shader validator"; either may be empty.
    // Nothing is read until the first poll.
    ReloadableProgram(std::shared_ptr<renderer::IRenderingApi> api, files_t files,
                      requirements_t requirements,
                      std::shared_ptr<core::logger::ILogApi> reloaderLog,
                      std::shared_ptr<core::logger::ILogApi> validatorLog);

    // True when a file changed and the rebuilt program was taken: then the
    // program and every handle are the new ones. Otherwise nothing changes.
    bool reloadIfChanged();

    // The program in use; empty until one was taken.
    const std::shared_ptr<renderer::IShaderHolder>& program() const { return shader; }
    // The handle of a declared uniform or attribute in the program in use;
    // empty before the first program and for a name that was not declared.
    std::shared_ptr<renderer::IShaderUniformHolder> uniform(std::string_view name) const;
    std::shared_ptr<renderer::IShaderAttributeHolder> attribute(std::string_view name) const;

private:
    requirements_t requirements;
    std::shared_ptr<ShaderValidator> validator;
    std::shared_ptr<ShaderReloader> reloader;
    std::shared_ptr<renderer::IShaderHolder> shader;
    ShaderValidator::handles_t handles;
};

} // namespace ox::engine::shader
