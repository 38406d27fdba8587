#include "harness/SessionRecorder.hpp"

#include "harness/InputScript.hpp"
#include "harness/OutputFile.hpp"

#include <fmt/format.h>

#include <utility>

namespace ox::harness {

using renderer::EInputAction;
using renderer::EInputKey;
using renderer::EInputMouseButton;

struct SessionRecorder::state_t {
    // Not owned; null until the run has started and after it has ended.
    OutputFile* file = nullptr;
    std::uint32_t frame = 1;

    template <typename... Args>
    void line(fmt::format_string<Args...> format, Args&&... args) {
        write(fmt::format("{} ", frame), format, std::forward<Args>(args)...);
    }
    // A comment still says which frame it came before, but after the '#':
    // a line that starts with a frame number must hold an event.
    template <typename... Args>
    void comment(fmt::format_string<Args...> format, Args&&... args) {
        write(fmt::format("# frame {}: ", frame), format, std::forward<Args>(args)...);
    }
    template <typename... Args>
    void write(const std::string& start, fmt::format_string<Args...> format, Args&&... args) {
        if (file != nullptr) {
            file->write(start + fmt::format(format, std::forward<Args>(args)...) + "\n");
        }
    }
};

namespace {

const char* actionWord(EInputAction action) {
    return action == EInputAction::Press ? "down" : "up";
}

} // namespace

SessionRecorder::SessionRecorder(RunOutputs& outputs)
    : outputs(outputs)
    , state(std::make_shared<state_t>()) {}

// The listeners may outlive the recorder; once it is gone they write nothing.
SessionRecorder::~SessionRecorder() {
    state->file = nullptr;
}

void SessionRecorder::started() {
    state->file = outputs.open(output_kinds::record);
    if (state->file != nullptr) {
        state->file->write(
            "# Recorded by vexel --record: FRAME EVENT ARGUMENTS, each event before its frame.\n");
    }
}

void SessionRecorder::attach(const app::LoggingContext&, const app::RendererContext& context) {
    if (!context.windowEvents) {
        return;
    }
    renderer::IRendererWindowEventsDispatcher& events = *context.windowEvents;
    events.addOnKeyEventListener([state = state](std::shared_ptr<renderer::IRendererWindow>,
                                                 EInputKey key, std::int32_t scanCode,
                                                 EInputAction action, std::uint16_t) {
        // A held key's repeats change nothing a script could replay.
        if (action != EInputAction::Press && action != EInputAction::Release) {
            return;
        }
        const std::string name = InputScript::keyName(key);
        if (name.empty()) {
            state->comment("key {} without a script name (code {}, scan code {})",
                           actionWord(action), static_cast<int>(key), scanCode);
            return;
        }
        state->line("key {} {}", actionWord(action), name);
    });
    events.addOnMouseButtonEventListener([state = state](std::shared_ptr<renderer::IRendererWindow>,
                                                         EInputMouseButton button,
                                                         EInputAction action, std::uint16_t) {
        if (action != EInputAction::Press && action != EInputAction::Release) {
            return;
        }
        state->line("button {} {}", actionWord(action), static_cast<int>(button));
    });
    // Shortest round-trip form: the replay reads back the very same doubles.
    events.addOnCursorPositionEventListener(
        [state = state](std::shared_ptr<renderer::IRendererWindow>, double x, double y) {
            if (!InputScript::isCursorPosition(x) || !InputScript::isCursorPosition(y)) {
                state->comment("cursor {} {} beyond what a script holds", x, y);
                return;
            }
            state->line("cursor {} {}", x, y);
        });
    events.addOnScrollEventListener(
        [state = state](std::shared_ptr<renderer::IRendererWindow>, double x, double y) {
            state->line("wheel {} {}", x, y);
        });
}

void SessionRecorder::beginFrame(std::uint32_t frame) {
    state->frame = frame;
}

void SessionRecorder::frameDrawn(std::uint32_t frame, renderer::IRenderingApi&,
                                 const renderer::IRendererWindow&) {
    state->frame = frame + 1;
}

void SessionRecorder::loopEnded() {
    state->file = nullptr;
}

} // namespace ox::harness
