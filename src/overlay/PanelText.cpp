#include "overlay/PanelText.hpp"

namespace ox::overlay {

std::string& PanelText::next(ETone tone) {
    if (used == lines.size()) {
        lines.emplace_back();
    }
    line_t& line = lines[used++];
    line.tone = tone;
    line.text.clear();
    return line.text;
}

std::string PanelText::joined() const {
    std::string text;
    for (std::size_t index = 0; index < used; ++index) {
        text.append(lines[index].text);
        text.push_back('\n');
    }
    return text;
}

} // namespace ox::overlay
