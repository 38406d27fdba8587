#pragma once

#include "core/logger/ILogApi.hpp"
#include "engine/shader/ShaderValidator.hpp"
#include "engine/shader/watched_file_t.hpp"
#include "renderer/IRenderingApi.hpp"
#include "renderer/IShaderHolder.hpp"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace ox::engine::shader {

// Watches one vertex and one fragment shader file and builds a new program from
// both whenever either changes. The owner (a mesh) polls it once per frame and
// receives a program only when a rebuild happened and the validator, if one is
// set, accepted it. A file that is missing or cannot be read is reported once
// on the owner's channel and never ends the program: the owner keeps its
// current program until the file is back. Held by its owner; keeps the
// rendering API and the validator alive; keeps no program itself. Main thread
// with the context current only.
class ShaderReloader {
public:
    // Files larger than this are refused rather than handed to the compiler.
    static constexpr std::uintmax_t maxFileSize = 1024 * 1024;

    // Relative paths are resolved against the current directory of this moment.
    explicit ShaderReloader(std::shared_ptr<renderer::IRenderingApi> api);

    void setLogger(std::string_view name, std::shared_ptr<core::logger::ILogApi> logApi);
    void setValidator(std::shared_ptr<ShaderValidator> validator);
    // Forgets what was read before; the next poll reads both files.
    void setShaderFiles(std::string_view vertexPath, std::string_view fragmentPath);

    // Empty unless a file changed and the program rebuilt from both files
    // passed validation. Never throws on account of the files.
    std::shared_ptr<renderer::IShaderHolder> reloadIfChanged();

    // What was seen of each file at the last poll, for a live view of it.
    const watched_file_t& vertexWatch() const { return vertexFile; }
    const watched_file_t& fragmentWatch() const { return fragmentFile; }

private:
    enum class FileState { Unchanged, Changed, Unusable };

    FileState refreshFile(watched_file_t& file);
    FileState fail(watched_file_t& file, std::string reason, bool retryEveryPoll);
    void log(core::logger::ELogLevel level, const std::string& text) const;

    std::shared_ptr<renderer::IRenderingApi> api;
    std::filesystem::path baseDirectory;
    std::string name;
    std::shared_ptr<core::logger::ILogApi> logApi;
    watched_file_t vertexFile;
    watched_file_t fragmentFile;
    std::shared_ptr<ShaderValidator> validator;
};

} // namespace ox::engine::shader
