#pragma once

#include "renderer/IInputSource.hpp"
#include "renderer/IWindowInput.hpp"
#include "renderer/input.hpp"

#include <cstdint>
#include <filesystem>
#include <istream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace ox::harness {

// Scripted input for reproducible runs: events tied to the frame they happen
// before, fed into a window's input exactly where the window system's own
// events enter, so listeners and isKeyPressed see them as live ones. As an
// input source of the main window it is polled with the window's events:
// the n-th poll delivers the events of frame n (the first, before frame 1,
// is asked for by whoever runs the frames; every later one is the poll at
// the end of the frame before). Main thread only.
class InputScript : public renderer::IInputSource {
public:
    enum class EKind { Key, Wheel, Cursor, Button };

    struct event_t {
        std::uint32_t frame = 0;
        EKind kind = EKind::Key;
        renderer::EInputAction action = renderer::EInputAction::Press;
        renderer::EInputKey key = renderer::EInputKey::Unknown;
        renderer::EInputMouseButton button = renderer::EInputMouseButton::Button1;
        double x = 0.0;
        double y = 0.0;
    };

    // Parses the whole text: one event per line, "FRAME key down|up NAME",
    // "FRAME wheel DX DY", "FRAME cursor X Y" or "FRAME button down|up
    // BUTTON"; blank lines and '#' comments are skipped. Frames go up to 10^9,
    // wheel offsets to 1000 steps and cursor positions to 10^12 pixels either
    // way (isCursorPosition). On the first bad line returns nothing and sets `error` to "line N:
    // what is wrong".
    static std::optional<InputScript> parse(std::istream& text, std::string& error);
    // The same for a file; an unreadable file is an error too.
    static std::optional<InputScript> load(const std::filesystem::path& file, std::string& error);

    // Whether a script can hold this cursor coordinate, so that a recording
    // writes as events only what a replay reads back.
    static bool isCursorPosition(double position);

    // The name a script gives the key ("T", "7", "F12", "Escape"); empty
    // for a key no script can name.
    static std::string keyName(renderer::EInputKey key);

    // Delivers the events of `frame` to `input`, in file order for equal frames.
    void deliver(std::uint32_t frame, renderer::IWindowInput& input);
    // Delivers the events of the frame after the one delivered last.
    void poll(renderer::IWindowInput& input) override;

    const std::vector<event_t>& events() const { return script; }

private:
    std::vector<event_t> script; // sorted by frame, stable
    std::size_t next = 0;
    std::uint32_t polled = 0;
};

} // namespace ox::harness
