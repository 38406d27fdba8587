#pragma once

#include "renderer/input.hpp"

#include <array>

namespace ox::renderer {

// A keyboard's state as a frame loop asks it, fed by key events. A key reads
// as pressed while it is held; a press released before any question saw it
// reads as pressed once more, at the next question, so that a tap shorter
// than a frame is not lost. A press that a question has seen is not
// remembered past its release: a held key stops reading as pressed at the
// first question after it is let go. Every window that answers for keys
// (through its window input) keeps one, so live input and its
// replay follow the same rule. Main thread only.
class KeyLatch {
public:
    // Press and release change the state; repeats do not.
    void onKey(EInputKey key, EInputAction action);
    // Answers as described above; a question sees a pending press. Last
    // answers for the key it shares its code with (Menu); Unknown, which
    // many keys arrive as, is never pressed.
    bool isPressed(EInputKey key);

private:
    struct key_state_t {
        bool held = false;
        // Pressed since the last question.
        bool unseen = false;
    };
    std::array<key_state_t, InputKeyCount> keys{};
};

} // namespace ox::renderer
