#pragma once

#include "harness/renderdoc_api_t.hpp"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace ox::harness {

// RenderDoc's in-application API, when RenderDoc is in the process already
// (preloaded at start-up, or by `renderdoccmd capture`). It never loads the
// library itself: RenderDoc loaded after the GL libraries hooks nothing. The
// table belongs to the library, which stays loaded for the life of the
// process. Main thread only.
class RenderDocApi {
public:
    // The version asked for; any later 1.x answers with a compatible table.
    static constexpr int requestedVersion = 10401;

    // The API of the RenderDoc in this process; empty when there is none.
    static std::unique_ptr<RenderDocApi> inProcess();

    // "major.minor.patch" of the library answering.
    std::string version() const;
    // Takes away RenderDoc's own keys (F12 and Print Screen capture, F11 and
    // Ctrl+F12 move the focus) and its overlay text, so that the program's
    // keys do one thing each and its frames show only what it draws.
    void leaveKeysAndPicture() const;
    // Captures are written as `prefix` plus a suffix RenderDoc chooses.
    void setPathPrefix(const std::string& prefix) const;
    // Around one frame's calls with the current context. endFrame is true
    // when a capture was written.
    void startFrame() const;
    bool isCapturing() const;
    bool endFrame() const;
    // The path of the newest capture of this process, if any.
    std::optional<std::string> newestCapture() const;

    explicit RenderDocApi(const renderdoc_api_t& table)
        : table(table) {}

private:
    const renderdoc_api_t& table;
};

} // namespace ox::harness
