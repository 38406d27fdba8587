#pragma once

#include "renderer/IRendererWindow.hpp"
#include "renderer/IRendererWindowEvents.hpp"
#include "renderer/KeyLatch.hpp"
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
// before, replayed through a window's events sink exactly as the window would
// deliver real ones. It also keeps the scripted keys' state by the same rule
// as a real window's keyboard (KeyLatch), for the places that ask the window
// for a key's state instead of listening. Main thread only.
class InputScript {
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

    // Delivers the events of `frame` to `events`, in file order for equal frames.
    void dispatch(std::uint32_t frame, renderer::IRendererWindowEvents& events,
                  const std::shared_ptr<renderer::IRendererWindow>& window);
    // The scripted keys' answer to "is this key pressed", as a window's
    // keyboard gives it: held, or tapped and not yet asked about.
    bool isKeyPressed(renderer::EInputKey key);

    const std::vector<event_t>& events() const { return script; }

private:
    std::vector<event_t> script; // sorted by frame, stable
    std::size_t next = 0;
    renderer::KeyLatch keys;
};

} // namespace ox::harness
