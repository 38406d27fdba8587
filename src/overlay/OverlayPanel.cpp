#include "overlay/OverlayPanel.hpp"

#include "platform/LocalTime.hpp"

#include <imgui.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <ctime>

namespace ox::overlay {

using core::logger::ELogLevel;
using engine::shader::ReloadableProgram;

namespace {

const ImVec4 goodColour{0.45f, 0.9f, 0.45f, 1.0f};
const ImVec4 warningColour{1.0f, 0.75f, 0.3f, 1.0f};
const ImVec4 errorColour{1.0f, 0.42f, 0.42f, 1.0f};
constexpr ImU32 medianLine = IM_COL32(115, 230, 115, 255);
constexpr ImU32 p99Line = IM_COL32(255, 190, 75, 255);

// "14:03:59" in local time, or "never" before the first read.
struct clock_text_t {
    char text[16] = "never";
};

clock_text_t clockText(std::chrono::system_clock::time_point when) {
    clock_text_t result;
    if (when == std::chrono::system_clock::time_point{}) {
        return result;
    }
    const std::time_t seconds = std::chrono::system_clock::to_time_t(when);
    std::tm local{};
    if (!platform::localTime(seconds, local) ||
        std::strftime(result.text, sizeof result.text, "%H:%M:%S", &local) == 0) {
        std::snprintf(result.text, sizeof result.text, "?");
    }
    return result;
}

void describeFile(const engine::shader::watched_file_t& file, PanelText& text) {
    if (!file.failure.empty()) {
        text.add(ETone::Error, "{}: cannot be read: {}", file.path, file.failure);
        return;
    }
    text.add(ETone::Plain, "{}, read {}", file.path, clockText(file.lastRead).text);
}

void drawLines(const PanelText& text) {
    for (std::size_t index = 0; index < text.size(); ++index) {
        const std::string_view line = text.line(index);
        const ETone tone = text.tone(index);
        if (tone != ETone::Plain) {
            ImGui::PushStyleColor(ImGuiCol_Text, tone == ETone::Good      ? goodColour
                                                 : tone == ETone::Warning ? warningColour
                                                                          : errorColour);
        }
        ImGui::TextUnformatted(line.data(), line.data() + line.size());
        if (tone != ETone::Plain) {
            ImGui::PopStyleColor();
        }
    }
}

} // namespace

void OverlayPanel::measureWindow(const overlay_model_t& model) {
    const std::size_t count = std::min({model.recentCount, model.recentMs.size(), sorted.size()});
    if (count == 0) {
        medianMs = p99Ms = 0.0f;
        return;
    }
    std::copy_n(model.recentMs.begin(), count, sorted.begin());
    // Nearest rank: the smallest time that at least that share of the frames
    // do not exceed.
    const auto rank = [count](double share) {
        return static_cast<std::size_t>(std::ceil(share * static_cast<double>(count))) - 1;
    };
    const auto first = sorted.begin();
    const auto last = sorted.begin() + static_cast<std::ptrdiff_t>(count);
    std::nth_element(first, first + static_cast<std::ptrdiff_t>(rank(0.5)), last);
    medianMs = sorted[rank(0.5)];
    std::nth_element(first, first + static_cast<std::ptrdiff_t>(rank(0.99)), last);
    p99Ms = sorted[rank(0.99)];
}

void OverlayPanel::describe(const overlay_model_t& model) {
    measureWindow(model);
    framesText.clear();
    if (model.recentCount == 0) {
        framesText.add(ETone::Plain, "No frame measured yet.");
    } else {
        framesText.add(ETone::Plain, "Last {} frames: median {:.2f} ms, 99th percentile {:.2f} ms",
                       model.recentCount, medianMs, p99Ms);
        framesText.add(ETone::Plain, "Run, {} frames: median {:.2f} ms, 99th percentile {:.2f} ms",
                       model.runFrames, model.runMedianMs, model.runP99Ms);
    }
    if (model.gpuTiming) {
        const std::size_t latest =
            (model.recentStart + model.recentCount + model.recentMs.size() - 1) %
            std::max<std::size_t>(model.recentMs.size(), 1);
        const float cpuMs = model.recentCount == 0 ? 0.0f : model.recentMs[latest];
        framesText.add(ETone::Plain, "GPU {:.2f} ms per frame beside CPU {:.2f} ms",
                       model.gpuFrameMs, cpuMs);
        for (std::size_t group = 0; group < model.gpuGroupSeconds.size(); ++group) {
            framesText.add(ETone::Plain, "  render group {}: GPU {:.2f} ms", group,
                           model.gpuGroupSeconds[group] * 1000.0);
        }
    } else {
        framesText.add(ETone::Plain, "GPU time not measured (--gpu-timing measures it)");
    }

    cameraText.clear();
    const glm::vec3& at = model.cameraPosition;
    const glm::vec3& forward = model.cameraForward;
    cameraText.add(ETone::Plain, "position ({:.2f}, {:.2f}, {:.2f})", at.x, at.y, at.z);
    cameraText.add(ETone::Plain, "forward ({:.2f}, {:.2f}, {:.2f})", forward.x, forward.y,
                   forward.z);
    cameraText.add(ETone::Plain, "field of view {:.2f} degrees", model.fieldOfView);

    programsText.clear();
    if (model.programs.empty()) {
        programsText.add(ETone::Plain, "No program read from files.");
    }
    for (const ReloadableProgram* program : model.programs) {
        describeFile(program->vertexFile(), programsText);
        describeFile(program->fragmentFile(), programsText);
        switch (program->state()) {
        case ReloadableProgram::EState::Current:
            programsText.add(ETone::Good, "  drawing the current program");
            break;
        case ReloadableProgram::EState::LastGood:
            programsText.add(ETone::Warning, "  drawing the last good program: the edit failed");
            break;
        case ReloadableProgram::EState::NeverBuilt:
            programsText.add(ETone::Error, "  never built: nothing drawn");
            break;
        }
        for (const std::string& problem : program->problems()) {
            programsText.add(ETone::Error, "  {}", problem);
        }
    }

    logText.clear();
    if (model.log != nullptr) {
        const std::size_t count = model.log->size();
        for (std::size_t index = count - std::min(count, logLines); index < count; ++index) {
            const ELogLevel level = model.log->level(index);
            std::string_view line = model.log->line(index);
            // The panel has room for the time of day, not the date.
            if (line.size() > 11 && line[4] == '-' && line[7] == '-' && line[10] == ' ') {
                line.remove_prefix(11);
            }
            logText.addText(level >= ELogLevel::Error     ? ETone::Error
                            : level == ELogLevel::Warning ? ETone::Warning
                                                          : ETone::Plain,
                            line);
        }
    }
}

void OverlayPanel::drawGraph(const overlay_model_t& model, float scale) {
    const std::size_t count = std::min(model.recentCount, model.recentMs.size());
    const float top = std::max({p99Ms * 1.5f, medianMs * 2.0f, 1.0f});
    ImGui::PlotLines("##frame times", model.recentMs.data(), static_cast<int>(count),
                     static_cast<int>(model.recentStart), nullptr, 0.0f, top,
                     ImVec2(ImGui::GetContentRegionAvail().x, 90.0f * scale));
    if (count == 0) {
        return;
    }
    // The median and the 99th percentile across the plot, at the heights
    // the plot gives those times.
    const ImVec2 padding = ImGui::GetStyle().FramePadding;
    const ImVec2 min(ImGui::GetItemRectMin().x + padding.x, ImGui::GetItemRectMin().y + padding.y);
    const ImVec2 max(ImGui::GetItemRectMax().x - padding.x, ImGui::GetItemRectMax().y - padding.y);
    ImDrawList* drawList = ImGui::GetWindowDrawList();
    for (const auto& [ms, colour] : {std::pair{medianMs, medianLine}, std::pair{p99Ms, p99Line}}) {
        const float y = max.y - std::clamp(ms / top, 0.0f, 1.0f) * (max.y - min.y);
        drawList->AddLine(ImVec2(min.x, y), ImVec2(max.x, y), colour);
    }
}

void OverlayPanel::draw(const overlay_model_t& model, float windowHeight, float scale) {
    describe(model);
    ImGui::SetNextWindowPos(ImVec2(left * scale, top * scale), ImGuiCond_Always);
    ImGui::SetNextWindowSize(ImVec2(width * scale, std::clamp(windowHeight - 2.0f * top * scale,
                                                              50.0f, tallest * scale)),
                             ImGuiCond_Always);
    const ImGuiWindowFlags flags =
        ImGuiWindowFlags_NoMove | ImGuiWindowFlags_NoResize | ImGuiWindowFlags_NoSavedSettings;
    if (ImGui::Begin("Vexel overlay (F1 hides it)", nullptr, flags)) {
        ImGui::PushTextWrapPos(0.0f);
        if (ImGui::CollapsingHeader("Frame times", ImGuiTreeNodeFlags_DefaultOpen)) {
            drawGraph(model, scale);
            ImGui::PushStyleColor(ImGuiCol_Text, ImGui::ColorConvertU32ToFloat4(medianLine));
            ImGui::TextUnformatted("median");
            ImGui::PopStyleColor();
            ImGui::SameLine(0.0f, 16.0f * scale);
            ImGui::PushStyleColor(ImGuiCol_Text, ImGui::ColorConvertU32ToFloat4(p99Line));
            ImGui::TextUnformatted("99th percentile");
            ImGui::PopStyleColor();
            drawLines(framesText);
        }
        if (ImGui::CollapsingHeader("Camera", ImGuiTreeNodeFlags_DefaultOpen)) {
            drawLines(cameraText);
        }
        if (ImGui::CollapsingHeader("Shader programs", ImGuiTreeNodeFlags_DefaultOpen)) {
            drawLines(programsText);
        }
        if (ImGui::CollapsingHeader("Log", ImGuiTreeNodeFlags_DefaultOpen)) {
            // The newest line stays in view at the bottom of what is left.
            ImGui::BeginChild("log", ImVec2(0.0f, 0.0f));
            ImGui::PushTextWrapPos(0.0f);
            drawLines(logText);
            ImGui::PopTextWrapPos();
            ImGui::SetScrollHereY(1.0f);
            ImGui::EndChild();
        }
        ImGui::PopTextWrapPos();
    }
    const ImVec2 position = ImGui::GetWindowPos();
    const ImVec2 size = ImGui::GetWindowSize();
    drawn = {position.x, position.y, position.x + size.x, position.y + size.y};
    ImGui::End();
}

} // namespace ox::overlay
