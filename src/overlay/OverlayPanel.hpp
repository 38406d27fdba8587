#pragma once

#include "overlay/PanelText.hpp"
#include "overlay/overlay_model_t.hpp"

#include <array>

namespace ox::overlay {

// The overlay's corner panel: the model turned into text and a frame-time
// graph, drawn with Dear ImGui's widgets into the current ImGui frame. The
// text of each section is kept until the next frame, so what the panel shows
// can be read back without looking at pixels. Main thread only.
class OverlayPanel {
public:
    // Where the panel goes and how wide it is, in pixels from the window's
    // top left corner: clear of the middle of a 1024-pixel window. At a
    // content scale above 1 each grows with the text.
    static constexpr float left = 10.0f;
    static constexpr float top = 10.0f;
    static constexpr float width = 430.0f;
    static constexpr float tallest = 720.0f;
    // Log lines shown, newest last.
    static constexpr std::size_t logLines = 12;

    struct rect_t {
        float left = 0.0f;
        float top = 0.0f;
        float right = 0.0f;
        float bottom = 0.0f;
    };

    // Inside ImGui::NewFrame / ImGui::Render: one window with every section,
    // its sizes multiplied by the window's content `scale`.
    void draw(const overlay_model_t& model, float windowHeight, float scale = 1.0f);

    // Fills the sections from `model` without drawing anything.
    void describe(const overlay_model_t& model);

    const PanelText& frames() const { return framesText; }
    const PanelText& camera() const { return cameraText; }
    const PanelText& programs() const { return programsText; }
    const PanelText& log() const { return logText; }
    // Where the panel was last drawn; all zero before.
    const rect_t& rect() const { return drawn; }

    // The median and 99th percentile of the graph's frames (nearest rank).
    float windowMedianMs() const { return medianMs; }
    float windowP99Ms() const { return p99Ms; }

private:
    void measureWindow(const overlay_model_t& model);
    void drawGraph(const overlay_model_t& model, float scale);

    PanelText framesText;
    PanelText cameraText;
    PanelText programsText;
    PanelText logText;
    std::array<float, 1024> sorted{};
    float medianMs = 0.0f;
    float p99Ms = 0.0f;
    rect_t drawn;
};

} // namespace ox::overlay
