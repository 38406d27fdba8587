#include "engine/shader/ShaderReloader.hpp"

#include "platform/FileStatus.hpp"
#include "renderer/IShaderBuilder.hpp"

#include <fmt/format.h>

#include <cerrno>
#include <chrono>
#include <exception>
#include <fstream>
#include <iterator>
#include <system_error>
#include <utility>

namespace ox::engine::shader {

using core::logger::ELogLevel;

namespace {

void resetWatch(watched_file_t& file, std::string_view path) {
    file = watched_file_t{};
    file.path = path;
}

// Every watched file is polled every frame: one status query for both the
// write time and the size.
using platform::file_status_t;
using platform::fileStatus;

} // namespace

ShaderReloader::ShaderReloader(std::shared_ptr<renderer::IRenderingApi> api)
    : api(std::move(api)) {
    // Without a current directory the base stays empty and relative paths
    // fail at the first poll, where the failure is logged, instead of here.
    std::error_code error;
    baseDirectory = std::filesystem::current_path(error);
}

void ShaderReloader::setLogger(std::string_view newName,
                               std::shared_ptr<core::logger::ILogApi> newLogApi) {
    name = newName;
    logApi = std::move(newLogApi);
}

void ShaderReloader::setValidator(std::shared_ptr<ShaderValidator> newValidator) {
    validator = std::move(newValidator);
}

void ShaderReloader::setShaderFiles(std::string_view vertexPath, std::string_view fragmentPath) {
    resetWatch(vertexFile, vertexPath);
    resetWatch(fragmentFile, fragmentPath);
}

void ShaderReloader::log(ELogLevel level, const std::string& text) const {
    if (logApi && logApi->isEnabled(level)) {
        logApi->log(level, text);
    }
}

ShaderReloader::FileState ShaderReloader::fail(watched_file_t& file, std::string reason,
                                               bool retryEveryPoll) {
    file.stale = retryEveryPoll;
    if (file.failure != reason) {
        log(ELogLevel::Error,
            fmt::format("{} > Cannot read file '{}': {}.", name, file.path, reason));
        file.failure = std::move(reason);
    }
    return FileState::Unusable;
}

ShaderReloader::FileState ShaderReloader::refreshFile(watched_file_t& file) {
    const std::filesystem::path fullPath = baseDirectory / file.path;

    // The status is taken before reading: a write that lands during the read
    // then shows up as a change at the next poll.
    std::error_code error;
    const auto [time, size] = fileStatus(fullPath, error);
    if (error) {
        return fail(file, error.message(), true);
    }
    if (!file.stale && time == file.lastWriteTime && size == file.size) {
        return file.failure.empty() ? FileState::Unchanged : FileState::Unusable;
    }
    if (size > maxFileSize) {
        file.lastWriteTime = time;
        file.size = size;
        return fail(file, fmt::format("it is larger than {} bytes", maxFileSize), false);
    }

    errno = 0;
    std::ifstream in(fullPath);
    if (!in) {
        const int cause = errno;
        return fail(file, cause != 0 ? std::generic_category().message(cause) : "cannot open it",
                    true);
    }
    log(ELogLevel::Debug, fmt::format("{} > Reloading file '{}'.", name, file.path));

    std::string text;
    try {
        in.seekg(0, std::ios::end);
        const auto length = in.tellg();
        in.seekg(0, std::ios::beg);
        if (length > 0) {
            text.reserve(static_cast<std::size_t>(length));
        }
        text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    } catch (const std::exception& exception) {
        return fail(file, exception.what(), true);
    }
    file.lastWriteTime = time;
    file.size = size;
    // The compiler would stop at the first NUL and might accept whatever came
    // before it; a file with one is no shader text.
    if (text.find('\0') != std::string::npos) {
        return fail(file, "it contains a NUL byte, so it is not shader text", false);
    }
    if (logApi && logApi->isEnabled(ELogLevel::Debug)) {
        log(ELogLevel::Debug, fmt::format("{} > {} bytes read.", name, text.size()));
    }
    file.contents = std::move(text);
    file.lastRead = std::chrono::system_clock::now();
    file.stale = false;
    file.failure.clear();
    return FileState::Changed;
}

std::shared_ptr<renderer::IShaderHolder> ShaderReloader::reloadIfChanged() {
    // Both files are always looked at, the fragment file first, so that a
    // change to one is recorded even while the other cannot be read.
    const FileState fragment = refreshFile(fragmentFile);
    const FileState vertex = refreshFile(vertexFile);
    // Building while a file is unusable would pair new text with stale or
    // missing text; the rebuild waits until the file is back.
    if (fragment == FileState::Unusable || vertex == FileState::Unusable) {
        return nullptr;
    }
    if (fragment == FileState::Unchanged && vertex == FileState::Unchanged) {
        return nullptr;
    }
    if (!api) {
        return nullptr;
    }

    std::shared_ptr<renderer::IShaderHolder> holder;
    if (auto builder = api->createShaderBuilder()) {
        holder = builder->addVertexShader(vertexFile.contents)
                     .addFragmentShader(fragmentFile.contents)
                     .build();
    }
    if (holder && validator && !validator->validate(holder)) {
        return nullptr;
    }
    return holder;
}

} // namespace ox::engine::shader
