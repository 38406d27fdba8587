#pragma once

#include "renderer/IRendererWindowEventsDispatcher.hpp"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

namespace ox::harness {

// Writes the input of a session as an input script (the --input format), each
// event tagged with the frame it arrived before, so that replaying the file
// with the same --fixed-dt redraws the same frames. Keys without a script
// name are written as comments. Main thread only.
class SessionRecorder {
public:
    ~SessionRecorder();
    SessionRecorder(const SessionRecorder&) = delete;
    SessionRecorder& operator=(const SessionRecorder&) = delete;

    // Creates or empties the file; nothing, with a one-line reason in
    // `error`, when it cannot be written.
    static std::unique_ptr<SessionRecorder> open(const std::filesystem::path& path,
                                                 std::string& error);

    // Records the window's key, button, cursor and wheel events from now on.
    // The listeners hold the recorder's shared state, not the recorder.
    void listen(renderer::IRendererWindowEventsDispatcher& events);
    // The frame that events arriving from now on belong to: 1 before the
    // first frame, then from the end of each frame's drawing the next one,
    // for the window's events polled at its end and a script's delivered
    // right after them.
    void setEventFrame(std::uint32_t frame);

    // Writes out what is buffered and closes the file; false with the reason
    // in `error` when anything could not be written.
    bool close(std::string& error);

private:
    struct state_t;
    explicit SessionRecorder(std::shared_ptr<state_t> state);

    std::shared_ptr<state_t> state;
};

} // namespace ox::harness
