#pragma once

#include "core/logger/ILogApi.hpp"
#include "engine/shader/ShaderReloader.hpp"
#include "engine/shader/ShaderValidator.hpp"
#include "engine/shader/shader_attribute_t.hpp"
#include "renderer/IRenderingApi.hpp"
#include "renderer/IShaderAttributeHolder.hpp"
#include "renderer/IShaderHolder.hpp"
#include "renderer/IShaderUniformHolder.hpp"

#include <cstddef>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ox::engine::shader {

// The shader program of a mesh drawn from a pair of files: rebuilt whenever
// either file changes, and taken only when it links and has every uniform and
// attribute the mesh declared, so a mesh names each of them once. The handles
// it hands back are the ones that were checked. Owns its reloader and
// validator; keeps the rendering API alive. Every live one can be looked at
// from outside (a debug overlay): its files, its state and why the last edit
// failed. Main thread with the context current only.
class ReloadableProgram {
public:
    enum class EState {
        // No program was ever taken: the mesh draws nothing.
        NeverBuilt,
        // Drawing the program built from the files as they are now.
        Current,
        // The files changed since into something that failed (or cannot be
        // read); drawing the last program that was taken.
        LastGood,
    };
    // The compiler's, linker's or validator's lines kept of a failed edit.
    static constexpr std::size_t keptProblemLines = 8;

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
    ~ReloadableProgram();
    // Listed by address among the live programs: neither copied nor moved.
    ReloadableProgram(const ReloadableProgram&) = delete;
    ReloadableProgram& operator=(const ReloadableProgram&) = delete;

    // True when a file changed and the rebuilt program was taken: then the
    // program and every handle are the new ones. Otherwise nothing changes.
    bool reloadIfChanged();

    // The program in use; empty until one was taken.
    const std::shared_ptr<renderer::IShaderHolder>& program() const { return shader; }
    // The handle of a declared uniform or attribute in the program in use;
    // empty before the first program and for a name that was not declared.
    std::shared_ptr<renderer::IShaderUniformHolder> uniform(std::string_view name) const;
    std::shared_ptr<renderer::IShaderAttributeHolder> attribute(std::string_view name) const;

    EState state() const;
    const watched_file_t& vertexFile() const { return reloader->vertexWatch(); }
    const watched_file_t& fragmentFile() const { return reloader->fragmentWatch(); }
    // The first lines of what made the last rebuild fail; empty once one is
    // taken again. A file that cannot be read says why in its watch instead.
    const std::vector<std::string>& problems() const { return failedEdit; }

    // Every program alive now, oldest first.
    static std::span<const ReloadableProgram* const> live();

private:
    requirements_t requirements;
    std::shared_ptr<ShaderValidator> validator;
    std::shared_ptr<ShaderReloader> reloader;
    std::shared_ptr<renderer::IShaderHolder> shader;
    ShaderValidator::handles_t handles;
    bool failed = false;
    std::vector<std::string> failedEdit;
};

} // namespace ox::engine::shader
