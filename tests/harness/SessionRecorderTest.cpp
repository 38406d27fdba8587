#include "harness/SessionRecorder.hpp"
#include "harness/InputScript.hpp"
#include "harness/RunOutputs.hpp"
#include "renderer/RendererWindowEventsDispatcher.hpp"
#include "support/NullRendererWindow.hpp"
#include "support/RecordingLoggingContext.hpp"
#include "support/RecordingRenderingApi.hpp"
#include "support/TempDir.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using EKind = ox::harness::InputScript::EKind;
using ox::renderer::EInputKey;

// Whatever --record writes, --input reads back to the same events: a long
// mouse-look drag takes the window system's virtual cursor millions of
// pixels away, and the replay must get the very same doubles. A position no
// script may hold (past 10^12 pixels), like a key no script can name, is kept
// as a comment, not as a line the replay would refuse.
TEST(SessionRecorderTest, WhatARecordingHoldsAnInputScriptReadsBack) {
    const struct {
        std::uint32_t frame;
        EKind kind;
        double x;
        double y;
        bool replayed;
        EInputKey key = EInputKey::T;
    } events[] = {
        {1, EKind::Cursor, 512.25, 512.0, true},
        {2, EKind::Cursor, 2'500'000.125, -3'000'000.0, true},
        {2, EKind::Wheel, 0.0, -1.5, true},
        {3, EKind::Cursor, -987'654'321'012.5, 1e12, true},
        {3, EKind::Cursor, 5e12, 0.0, false},
        {4, EKind::Key, 0.0, 0.0, true},
        {4, EKind::Key, 0.0, 0.0, false, EInputKey::Insert},
    };
    ox::test::TempDir dir;
    ox::test::RecordingLoggingContext logging;
    ox::harness::RunOutputs outputs;
    outputs.add(ox::harness::output_kinds::record, dir / "session.input");
    ox::harness::SessionRecorder recorder(outputs);
    ox::app::RendererContext context;
    context.windowEvents = std::make_shared<ox::renderer::RendererWindowEventsDispatcher>();
    outputs.attach(logging.logging, context);
    recorder.attach(logging.logging, context);
    outputs.started();
    recorder.started();
    ox::test::RecordingRenderingApi api;
    ox::test::NullRendererWindow window;
    for (std::uint32_t frame = 1; frame <= 4; ++frame) {
        recorder.beginFrame(frame);
        for (const auto& event : events) {
            if (event.frame != frame) {
                continue;
            }
            if (event.kind == EKind::Cursor) {
                context.windowEvents->invokeOnCursorPositionEvent({}, event.x, event.y);
            } else if (event.kind == EKind::Wheel) {
                context.windowEvents->invokeOnScrollEvent({}, event.x, event.y);
            } else {
                context.windowEvents->invokeOnKeyEvent({}, event.key, 28,
                                                       ox::renderer::EInputAction::Press, 0);
            }
        }
        recorder.frameDrawn(frame, api, window);
    }
    recorder.loopEnded();
    outputs.loopEnded();
    EXPECT_TRUE(logging.writer->lines.empty());

    std::string error;
    const auto script = ox::harness::InputScript::load(dir / "session.input", error);
    ASSERT_TRUE(script) << error;
    auto replayed = script->events().begin();
    for (const auto& event : events) {
        if (!event.replayed) {
            continue;
        }
        ASSERT_NE(replayed, script->events().end());
        EXPECT_EQ(replayed->frame, event.frame);
        EXPECT_EQ(replayed->kind, event.kind);
        EXPECT_EQ(replayed->x, event.kind == EKind::Key ? 0.0 : event.x);
        EXPECT_EQ(replayed->y, event.kind == EKind::Key ? 0.0 : event.y);
        EXPECT_EQ(replayed->key, event.kind == EKind::Key ? event.key : EInputKey::Unknown);
        ++replayed;
    }
    EXPECT_EQ(replayed, script->events().end());
}

} // namespace
