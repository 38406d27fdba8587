#include "engine/shader/ReloadableProgram.hpp"

#include <algorithm>
#include <utility>

namespace ox::engine::shader {

namespace {

std::vector<const ReloadableProgram*>& livePrograms() {
    static std::vector<const ReloadableProgram*> programs;
    return programs;
}

} // namespace

ReloadableProgram::ReloadableProgram(std::shared_ptr<renderer::IRenderingApi> api, files_t files,
                                     requirements_t required,
                                     std::shared_ptr<core::logger::ILogApi> reloaderLog,
                                     std::shared_ptr<core::logger::ILogApi> validatorLog)
    : requirements(std::move(required)) {
    validator = std::make_shared<ShaderValidator>(api);
    validator->setLogger("shader validator", std::move(validatorLog));
    validator->setUniforms(requirements.uniforms);
    validator->setAttributes(requirements.attributes);

    // The reloader is given no validator of its own: the program is checked
    // here, so that the handles the check found are the ones handed out.
    reloader = std::make_shared<ShaderReloader>(std::move(api));
    reloader->setLogger("file reloader", std::move(reloaderLog));
    reloader->setShaderFiles(files.vertex, files.fragment);
    livePrograms().push_back(this);
}

ReloadableProgram::~ReloadableProgram() {
    std::erase(livePrograms(), this);
}

std::span<const ReloadableProgram* const> ReloadableProgram::live() {
    return livePrograms();
}

ReloadableProgram::EState ReloadableProgram::state() const {
    if (!shader) {
        return EState::NeverBuilt;
    }
    const bool unreadable = !vertexFile().failure.empty() || !fragmentFile().failure.empty();
    return failed || unreadable ? EState::LastGood : EState::Current;
}

bool ReloadableProgram::reloadIfChanged() {
    auto rebuilt = reloader->reloadIfChanged();
    if (!rebuilt) {
        return false;
    }
    ShaderValidator::handles_t found;
    std::vector<std::string> problems;
    if (!validator->validate(rebuilt, &found, &problems)) {
        failed = true;
        problems.resize(std::min(problems.size(), keptProblemLines));
        failedEdit = std::move(problems);
        return false;
    }
    shader = std::move(rebuilt);
    handles = std::move(found);
    failed = false;
    failedEdit.clear();
    return true;
}

std::shared_ptr<renderer::IShaderUniformHolder>
ReloadableProgram::uniform(std::string_view name) const {
    for (std::size_t i = 0; i < handles.uniforms.size(); ++i) {
        if (requirements.uniforms[i] == name) {
            return handles.uniforms[i];
        }
    }
    return {};
}

std::shared_ptr<renderer::IShaderAttributeHolder>
ReloadableProgram::attribute(std::string_view name) const {
    for (std::size_t i = 0; i < handles.attributes.size(); ++i) {
        if (requirements.attributes[i].name == name) {
            return handles.attributes[i];
        }
    }
    return {};
}

} // namespace ox::engine::shader
