#include "app/SceneContext.hpp"
#include "renderer/RendererWindowEventsDispatcher.hpp"
#include "support/RecordingLoggingContext.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace {

using ox::app::RendererContext;
using ox::app::SceneContext;
using ox::renderer::EInputAction;
using ox::renderer::EInputKey;

// Only the window events dispatcher matters to the graph.
RendererContext withDispatcher() {
    RendererContext context;
    context.windowEvents = std::make_shared<ox::renderer::RendererWindowEventsDispatcher>();
    return context;
}

struct SceneContextTest : ::testing::Test {
    ox::test::RecordingLoggingContext log;
    RendererContext renderer = withDispatcher();
    SceneContext graph;

    void SetUp() override { ASSERT_TRUE(ox::app::setupSceneGraph(log.logging, renderer, graph)); }

    // A new graph listening to a new dispatcher.
    void restart() {
        ox::app::releaseSceneGraph(graph);
        renderer.windowEvents = std::make_shared<ox::renderer::RendererWindowEventsDispatcher>();
        ASSERT_TRUE(ox::app::setupSceneGraph(log.logging, renderer, graph));
    }

    // Keys arrive the way the window reports them: through its dispatcher.
    void send(EInputKey key, EInputAction action) {
        renderer.windowEvents->invokeOnKeyEvent(nullptr, key, 0, action, 0);
    }
    void pass(double time) {
        graph.timeTicks->value = time;
        graph.manager->update();
    }
};

TEST_F(SceneContextTest, NoKeyLeavesTheCameraAtTheOriginLookingAlongZ) {
    pass(0.0);
    pass(0.5);
    const auto& camera = graph.camera->camera;
    EXPECT_EQ(camera.position, glm::vec3(0.0f));
    EXPECT_EQ(camera.forward, glm::vec3(0.0f, 0.0f, 1.0f));
    EXPECT_EQ(graph.fovDelta->value, 0.0f);
    EXPECT_EQ(graph.time->value, 0.5f);
    EXPECT_EQ(graph.delta->value, 0.5f);
}

// Half a second with the keys held: 20 units, 2 radians and 10 degrees per
// second, opposite keys cancelling.
TEST_F(SceneContextTest, HeldKeysMoveTurnAndZoomAtTheirRates) {
    const struct {
        std::vector<EInputKey> keys;
        glm::vec3 position;
        glm::vec3 angles; // yaw, pitch, roll
        float fovDelta;
    } cases[] = {
        {{EInputKey::T}, {0.0f, 0.0f, 10.0f}, {}, 0.0f},
        {{EInputKey::G}, {0.0f, 0.0f, -10.0f}, {}, 0.0f},
        // The camera's right vector starts as -x.
        {{EInputKey::H}, {-10.0f, 0.0f, 0.0f}, {}, 0.0f},
        {{EInputKey::F}, {10.0f, 0.0f, 0.0f}, {}, 0.0f},
        {{EInputKey::Y}, {0.0f, 10.0f, 0.0f}, {}, 0.0f},
        {{EInputKey::R}, {0.0f, -10.0f, 0.0f}, {}, 0.0f},
        {{EInputKey::A}, {}, {1.0f, 0.0f, 0.0f}, 0.0f},
        {{EInputKey::D}, {}, {-1.0f, 0.0f, 0.0f}, 0.0f},
        {{EInputKey::W}, {}, {0.0f, 1.0f, 0.0f}, 0.0f},
        {{EInputKey::S}, {}, {0.0f, -1.0f, 0.0f}, 0.0f},
        {{EInputKey::Q}, {}, {0.0f, 0.0f, 1.0f}, 0.0f},
        {{EInputKey::E}, {}, {0.0f, 0.0f, -1.0f}, 0.0f},
        {{EInputKey::Z}, {}, {}, 5.0f},
        {{EInputKey::X}, {}, {}, -5.0f},
        {{EInputKey::W, EInputKey::S}, {}, {}, 0.0f},
        {{EInputKey::T, EInputKey::G}, {}, {}, 0.0f},
        {{EInputKey::Z, EInputKey::X}, {}, {}, 0.0f},
    };
    for (const auto& [keys, position, angles, fovDelta] : cases) {
        SCOPED_TRACE("first key " + std::to_string(static_cast<int>(keys.front())));
        restart();
        pass(0.0);
        for (const EInputKey key : keys) {
            send(key, EInputAction::Press);
        }
        pass(0.5);
        for (const EInputKey key : keys) {
            send(key, EInputAction::Release);
        }
        const auto& camera = graph.camera->camera;
        EXPECT_EQ(camera.position, position);
        EXPECT_EQ(glm::vec3(camera.yawAngle, camera.pitchAngle, camera.rollAngle), angles);
        EXPECT_EQ(graph.fovDelta->value, fovDelta);

        // Released keys stop acting at the next pass.
        pass(1.0);
        EXPECT_EQ(camera.position, position);
        EXPECT_EQ(graph.fovDelta->value, 0.0f);
    }
}

TEST_F(SceneContextTest, WithoutAWindowDispatcherTheStageFailsAndLogsWhy) {
    SceneContext untouched;
    EXPECT_FALSE(ox::app::setupSceneGraph(log.logging, RendererContext{}, untouched));
    EXPECT_FALSE(untouched.manager);
    EXPECT_FALSE(untouched.camera);
    ASSERT_FALSE(log.writer->lines.empty());
    EXPECT_EQ(log.writer->lines.back().first, ox::core::logger::ELogLevel::Fatal);
    EXPECT_NE(log.writer->lines.back().second.find("main > Unable to create scene graph."),
              std::string::npos)
        << log.writer->lines.back().second;
}

} // namespace
