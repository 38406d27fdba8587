#include "harness/RunOutputs.hpp"

#include "platform/Utf8Path.hpp"

#include <utility>

namespace ox::harness {

using core::logger::ELogLevel;

namespace {

namespace fs = std::filesystem;

// Two names of one file: hard links too, or, for a file not there yet, the
// same place however spelled. A device (/dev/null) takes any number of writers.
bool sameFile(const fs::path& a, const fs::path& b) {
    std::error_code code;
    if (fs::exists(a, code) && fs::exists(b, code)) {
        return fs::equivalent(a, b, code) && !fs::is_character_file(a, code) &&
               !fs::is_block_file(a, code);
    }
    const auto place = [](const fs::path& path) {
        std::error_code error;
        const fs::path absolute = fs::absolute(path, error);
        const fs::path resolved = fs::weakly_canonical(absolute, error);
        return error ? absolute.lexically_normal() : resolved;
    };
    return place(a) == place(b);
}

// Captures are distinct names in one folder, and folders only gain names of
// their own kind: neither is compared with its like.
bool compared(const output_kind_t& a, const output_kind_t& b) {
    return !(&a == &b && &a == &output_kinds::capture) && !(a.folder && b.folder);
}

} // namespace

RunOutputs::RunOutputs() = default;

RunOutputs::~RunOutputs() = default;

void RunOutputs::add(const output_kind_t& kind, std::filesystem::path path) {
    outputs.push_back({&kind, std::move(path), nullptr});
}

bool RunOutputs::check(std::string& error) const {
    for (auto output = outputs.begin(); output != outputs.end(); ++output) {
        if (!output->kind->written) {
            continue;
        }
        for (auto other = outputs.begin(); other != output; ++other) {
            if (compared(*output->kind, *other->kind) && sameFile(output->path, other->path)) {
                error = std::string(output->kind->name) + " " +
                        platform::utf8FromPath(output->path) + ": is the same file as " +
                        other->kind->name + " " + platform::utf8FromPath(other->path);
                return false;
            }
        }
    }
    for (const output_t& output : outputs) {
        std::string reason;
        if (output.kind->checkedAtStart &&
            !(output.kind->folder ? OutputFile::checkFolder(output.path, reason)
                                  : OutputFile::check(output.path, reason))) {
            error = std::string(output.kind->name) + " " + reason;
            return false;
        }
    }
    return true;
}

const std::filesystem::path* RunOutputs::pathOf(const output_kind_t& kind) const {
    for (const output_t& output : outputs) {
        if (output.kind == &kind) {
            return &output.path;
        }
    }
    return nullptr;
}

void RunOutputs::attach(const app::LoggingContext& logging, const app::RendererContext&) {
    log = logging.mainLog;
}

void RunOutputs::started() {
    running = true;
    for (const output_t& output : outputs) {
        std::string error;
        if (output.kind->folder && output.kind->checkedAtStart &&
            !OutputFile::createFolder(output.path, error)) {
            logError(std::string(output.kind->name) + " " + error);
        }
    }
}

OutputFile* RunOutputs::open(const output_kind_t& kind) {
    for (output_t& output : outputs) {
        if (output.kind != &kind || !running) {
            continue;
        }
        if (!output.file) {
            std::string error;
            output.file = OutputFile::open(output.path, error);
            if (!output.file) {
                logError(std::string(kind.name) + " not written: " + error);
            }
        }
        return output.file.get();
    }
    return nullptr;
}

void RunOutputs::loopEnded() {
    for (output_t& output : outputs) {
        std::string error;
        if (output.file && !output.file->close(error)) {
            logError(std::string(output.kind->incomplete) + ": " + error);
        }
    }
    running = false;
}

void RunOutputs::logError(const std::string& text) const {
    if (log != nullptr && log->isEnabled(ELogLevel::Error)) {
        log->log(ELogLevel::Error, text);
    }
}

} // namespace ox::harness
