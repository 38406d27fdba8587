#include "harness/InputScript.hpp"

#include <fmt/format.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <fstream>
#include <span>
#include <sstream>
#include <utility>

namespace ox::harness {

using renderer::EInputAction;
using renderer::EInputKey;
using renderer::EInputMouseButton;

namespace {

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

EInputKey keyAt(EInputKey first, int offset) {
    return static_cast<EInputKey>(static_cast<std::int32_t>(first) + offset);
}

std::span<const std::pair<const char*, EInputKey>> namedKeys();

// Letters, digits and F1 to F12, plus the keys a script is likely to need by name.
std::optional<EInputKey> keyNamed(const std::string& name) {
    const std::string key = lower(name);
    if (key.size() == 1 && key[0] >= 'a' && key[0] <= 'z') {
        return keyAt(EInputKey::A, key[0] - 'a');
    }
    if (key.size() == 1 && key[0] >= '0' && key[0] <= '9') {
        return keyAt(EInputKey::Num0, key[0] - '0');
    }
    // F1 to F12.
    if (key.size() >= 2 && key.size() <= 3 && key[0] == 'f') {
        int number = 0;
        const auto [end, error] = std::from_chars(key.data() + 1, key.data() + key.size(), number);
        if (error == std::errc() && end == key.data() + key.size() && number >= 1 && number <= 12) {
            return keyAt(EInputKey::F1, number - 1);
        }
    }
    for (const auto& [text, value] : namedKeys()) {
        if (key == text) {
            return value;
        }
    }
    return std::nullopt;
}

std::span<const std::pair<const char*, EInputKey>> namedKeys() {
    static const std::pair<const char*, EInputKey> named[] = {
        {"escape", EInputKey::Escape},
        {"space", EInputKey::Space},
        {"enter", EInputKey::Enter},
        {"tab", EInputKey::Tab},
        {"backspace", EInputKey::Backspace},
        {"left", EInputKey::Left},
        {"right", EInputKey::Right},
        {"up", EInputKey::Up},
        {"down", EInputKey::Down},
        {"leftshift", EInputKey::LeftShift},
        {"rightshift", EInputKey::RightShift},
        {"leftcontrol", EInputKey::LeftControl},
        {"rightcontrol", EInputKey::RightControl},
        {"leftalt", EInputKey::LeftAlt},
        {"rightalt", EInputKey::RightAlt},
    };
    return named;
}

std::optional<EInputMouseButton> buttonNamed(const std::string& name) {
    const std::string button = lower(name);
    if (button == "left") {
        return EInputMouseButton::Button1;
    }
    if (button == "right") {
        return EInputMouseButton::Button2;
    }
    if (button == "middle") {
        return EInputMouseButton::Button3;
    }
    if (button.size() == 1 && button[0] >= '1' && button[0] <= '8') {
        return static_cast<EInputMouseButton>(button[0] - '0');
    }
    return std::nullopt;
}

std::optional<EInputAction> actionNamed(const std::string& name) {
    if (name == "down") {
        return EInputAction::Press;
    }
    if (name == "up") {
        return EInputAction::Release;
    }
    return std::nullopt;
}

// Bounds of what a script may ask for, far beyond any session a person could
// play: a number past them is a slip or a generator gone wrong, refused with
// its line rather than replayed.
constexpr std::uint64_t lastFrame = 1'000'000'000;
constexpr double largestWheelOffset = 1000.0; // steps per event, either way
// Pixels, either way. During mouse look the window system reports a virtual
// cursor that adds up every movement of a drag without bound, and a recording
// holds what it reported: a day of dragging at 100,000 pixels a second comes
// to 10^10, still a hundredth of this.
constexpr double largestCursorPosition = 1e12;

template <typename T>
std::optional<T> number(const std::string& text) {
    T value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    if constexpr (std::is_floating_point_v<T>) {
        if (!std::isfinite(value)) {
            return std::nullopt;
        }
    }
    return value;
}

// One line's event, or the reason it is not one.
std::optional<InputScript::event_t> parseLine(const std::vector<std::string>& words,
                                              std::string& error) {
    using EKind = InputScript::EKind;
    InputScript::event_t event;
    const auto frame = number<std::uint64_t>(words[0]);
    if (!frame || *frame == 0) {
        error = "'" + words[0] + "' is not a frame number (frames count from 1)";
        return std::nullopt;
    }
    if (*frame > lastFrame) {
        error =
            fmt::format("frame {} is past the last one a script can name, {}", words[0], lastFrame);
        return std::nullopt;
    }
    event.frame = static_cast<std::uint32_t>(*frame);
    const std::string kind = words.size() > 1 ? words[1] : std::string();
    const auto expectWords = [&](std::size_t count, const char* form) {
        if (words.size() != count) {
            error = std::string("expected \"FRAME ") + form + "\"";
            return false;
        }
        return true;
    };
    if (kind == "key" || kind == "button") {
        const bool isKey = kind == "key";
        if (!expectWords(4, isKey ? "key down|up NAME" : "button down|up BUTTON")) {
            return std::nullopt;
        }
        const auto action = actionNamed(words[2]);
        if (!action) {
            error = "'" + words[2] + "' is neither down nor up";
            return std::nullopt;
        }
        event.action = *action;
        if (isKey) {
            const auto key = keyNamed(words[3]);
            if (!key) {
                error = "unknown key '" + words[3] + "'";
                return std::nullopt;
            }
            event.kind = EKind::Key;
            event.key = *key;
        } else {
            const auto button = buttonNamed(words[3]);
            if (!button) {
                error = "unknown mouse button '" + words[3] + "' (left, right, middle or 1-8)";
                return std::nullopt;
            }
            event.kind = EKind::Button;
            event.button = *button;
        }
        return event;
    }
    if (kind == "wheel" || kind == "cursor") {
        const bool isWheel = kind == "wheel";
        if (!expectWords(4, isWheel ? "wheel DX DY" : "cursor X Y")) {
            return std::nullopt;
        }
        const auto x = number<double>(words[2]);
        const auto y = number<double>(words[3]);
        if (!x || !y) {
            error = "'" + words[2] + " " + words[3] + "' are not two numbers";
            return std::nullopt;
        }
        const double largest = isWheel ? largestWheelOffset : largestCursorPosition;
        if (!(std::abs(*x) <= largest && std::abs(*y) <= largest)) {
            error = fmt::format("'{} {}' is out of range: {} are at most {} {} either way",
                                words[2], words[3], isWheel ? "wheel offsets" : "cursor positions",
                                largest, isWheel ? "steps" : "pixels");
            return std::nullopt;
        }
        event.kind = isWheel ? EKind::Wheel : EKind::Cursor;
        event.x = *x;
        event.y = *y;
        return event;
    }
    error = kind.empty() ? "an event is missing after the frame number"
                         : "unknown event '" + kind + "' (key, wheel, cursor or button)";
    return std::nullopt;
}

} // namespace

std::optional<InputScript> InputScript::parse(std::istream& text, std::string& error) {
    InputScript result;
    std::string line;
    for (int lineNumber = 1; std::getline(text, line); ++lineNumber) {
        if (const auto comment = line.find('#'); comment != std::string::npos) {
            line.erase(comment);
        }
        std::istringstream stream(line);
        std::vector<std::string> words;
        for (std::string word; stream >> word;) {
            words.push_back(std::move(word));
        }
        if (words.empty()) {
            continue;
        }
        std::string reason;
        const auto event = parseLine(words, reason);
        if (!event) {
            error = "line " + std::to_string(lineNumber) + ": " + reason;
            return std::nullopt;
        }
        result.script.push_back(*event);
    }
    if (text.bad()) {
        error = "read error";
        return std::nullopt;
    }
    std::stable_sort(result.script.begin(), result.script.end(),
                     [](const event_t& a, const event_t& b) { return a.frame < b.frame; });
    return result;
}

std::optional<InputScript> InputScript::load(const std::filesystem::path& file,
                                             std::string& error) {
    std::error_code code;
    if (std::filesystem::is_directory(file, code)) {
        error = file.string() + ": is a directory";
        return std::nullopt;
    }
    std::ifstream stream(file);
    if (!stream) {
        error = file.string() + ": cannot be read";
        return std::nullopt;
    }
    std::string reason;
    auto script = parse(stream, reason);
    if (!script) {
        error = file.string() + ": " + reason;
    }
    return script;
}

std::string InputScript::keyName(EInputKey key) {
    const auto offset = [key](EInputKey first) {
        return static_cast<std::int32_t>(key) - static_cast<std::int32_t>(first);
    };
    if (offset(EInputKey::A) >= 0 && offset(EInputKey::Z) <= 0) {
        return std::string(1, static_cast<char>('A' + offset(EInputKey::A)));
    }
    if (offset(EInputKey::Num0) >= 0 && offset(EInputKey::Num9) <= 0) {
        return std::string(1, static_cast<char>('0' + offset(EInputKey::Num0)));
    }
    if (offset(EInputKey::F1) >= 0 && offset(EInputKey::F12) <= 0) {
        // Formatted rather than concatenated: GCC 12's -Wrestrict misreads the
        // inlined concatenation at -O2.
        return fmt::format("F{}", offset(EInputKey::F1) + 1);
    }
    for (const auto& [text, value] : namedKeys()) {
        if (value == key) {
            std::string name = text;
            name[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(name[0])));
            return name;
        }
    }
    return {};
}

void InputScript::deliver(std::uint32_t frame, renderer::IWindowInput& input) {
    // Events of frames already gone (none, when called for every frame in
    // order) are skipped rather than delivered late.
    while (next < script.size() && script[next].frame < frame) {
        ++next;
    }
    for (; next < script.size() && script[next].frame == frame; ++next) {
        const event_t& event = script[next];
        switch (event.kind) {
        case EKind::Key:
            input.inputKey(event.key, 0, event.action, 0);
            break;
        case EKind::Wheel:
            input.inputScroll(event.x, event.y);
            break;
        case EKind::Cursor:
            input.inputCursorPosition(event.x, event.y);
            break;
        case EKind::Button:
            input.inputMouseButton(event.button, event.action, 0);
            break;
        }
    }
}

bool InputScript::isCursorPosition(double position) {
    return std::abs(position) <= largestCursorPosition;
}

void InputScript::poll(renderer::IWindowInput& input) {
    deliver(++polled, input);
}

} // namespace ox::harness
