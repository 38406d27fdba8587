#pragma once

#include "app/IFrameObserver.hpp"
#include "harness/RunOutputs.hpp"

#include <cstdint>
#include <memory>

namespace ox::harness {

// Writes the input of a session as an input script (the --input format), each
// event tagged with the frame it arrived before, so that replaying the file
// with the same --fixed-dt redraws the same frames. Keys without a script
// name, and cursor positions beyond what a script may hold, are written as
// comments. As a frame observer it listens to the main window from the start
// and writes into the --record file of `outputs`, which creates the file once
// the run has started and closes it at the end; `outputs` must outlive it.
// Main thread only.
class SessionRecorder : public app::IFrameObserver {
public:
    explicit SessionRecorder(RunOutputs& outputs);
    ~SessionRecorder() override;
    SessionRecorder(const SessionRecorder&) = delete;
    SessionRecorder& operator=(const SessionRecorder&) = delete;

    // Records the window's key, button, cursor and wheel events from now on.
    // The listeners hold the recorder's shared state, not the recorder.
    void attach(const app::LoggingContext& logging, const app::RendererContext& context) override;
    void started() override;
    // The frame that events arriving from now on belong to: the frame itself
    // when it begins, for a script's events delivered before it...
    void beginFrame(std::uint32_t frame) override;
    // ...and the next one once it is drawn, for the window's events polled
    // at its end and a script's delivered right after them.
    void frameDrawn(std::uint32_t frame, renderer::IRenderingApi& api,
                    const renderer::IRendererWindow& window) override;
    // Nothing is written after the run, whose outputs close the file next.
    void loopEnded() override;

private:
    struct state_t;

    RunOutputs& outputs;
    std::shared_ptr<state_t> state;
};

} // namespace ox::harness
