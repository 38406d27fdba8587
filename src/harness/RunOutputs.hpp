#pragma once

#include "app/IFrameObserver.hpp"
#include "core/logger/ILogApi.hpp"
#include "harness/OutputFile.hpp"
#include "harness/output_kind_t.hpp"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace ox::harness {

// The one owner of the files a run reads and writes: every output (--stats,
// --record, captures, F12 screenshots) and the files they must not land on
// (the log, --input) are registered here by kind before the start. Here
// they are compared by file identity, checked for writability, created only
// once the run has started, and closed at the end, where a file left
// incomplete is reported on "main". As a frame observer it comes first, so
// it is the last to end. Owns the files it opens; main thread only.
class RunOutputs : public app::IFrameObserver {
public:
    RunOutputs();
    ~RunOutputs() override;
    RunOutputs(const RunOutputs&) = delete;
    RunOutputs& operator=(const RunOutputs&) = delete;

    // `kind` must be one of output_kinds, which outlive every run.
    void add(const output_kind_t& kind, std::filesystem::path path);
    // Before the start, touching nothing: false with one line in `error`
    // when a written output is another name of a registered file (a link, a
    // hard link, another spelling) or one checked at start cannot be written.
    bool check(std::string& error) const;
    // The first registered path of `kind`; null when there is none.
    const std::filesystem::path* pathOf(const output_kind_t& kind) const;

    void attach(const app::LoggingContext& logging, const app::RendererContext& context) override;
    // From now on files may be created; the folders checked at start are.
    void started() override;
    // Closes every file still open; one error line for each incomplete one.
    // The files stay, closed, until this goes, so a late write is dropped.
    void loopEnded() override;

    // Creates or empties the file of `kind`, which stays open until the end.
    // Null before the start, for a kind not registered, and when it cannot
    // be created, which costs one error line; the run goes on without it.
    OutputFile* open(const output_kind_t& kind);

private:
    struct output_t {
        const output_kind_t* kind = nullptr;
        std::filesystem::path path;
        std::unique_ptr<OutputFile> file;
    };

    void logError(const std::string& text) const;

    std::vector<output_t> outputs;
    std::shared_ptr<core::logger::ILogApi> log;
    bool running = false;
};

} // namespace ox::harness
