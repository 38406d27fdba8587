#pragma once

#include <fmt/format.h>

#include <cstddef>
#include <iterator>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace ox::overlay {

// How a line of the overlay's panel is coloured.
enum class ETone { Plain, Good, Warning, Error };

// The lines of one section of the overlay's panel, rebuilt every frame. The
// strings are reused: once each line has been as long as it gets, rebuilding
// allocates nothing. Main thread only.
class PanelText {
public:
    void clear() { used = 0; }

    template <typename... Args>
    void add(ETone tone, fmt::format_string<Args...> format, Args&&... args) {
        std::string& text = next(tone);
        fmt::format_to(std::back_inserter(text), format, std::forward<Args>(args)...);
    }
    void addText(ETone tone, std::string_view line) { next(tone).append(line); }

    std::size_t size() const { return used; }
    ETone tone(std::size_t index) const { return lines[index].tone; }
    std::string_view line(std::size_t index) const { return lines[index].text; }
    // Every line, each ended by a newline (for tests and for copying).
    std::string joined() const;

private:
    struct line_t {
        ETone tone = ETone::Plain;
        std::string text;
    };
    std::string& next(ETone tone);

    std::vector<line_t> lines;
    std::size_t used = 0;
};

} // namespace ox::overlay
