#include "renderer/opengl/glfw/Renderer.hpp"
#include "renderer/IRendererWindowFactory.hpp"
#include "support/RendererEventJournal.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using ox::renderer::dimension_t;
using ox::renderer::ECursorMode;
using ox::renderer::EInputKey;
using ox::renderer::IMonitor;
using ox::renderer::IRenderer;
using ox::renderer::IRendererWindow;
using ox::renderer::IRendererWindowEvents;
using ox::renderer::opengl::glfw::Renderer;

// A window that only records destroy() calls, so the renderer's bookkeeping can
// be watched without a window system.
class FakeWindow final : public IRendererWindow {
public:
    FakeWindow(std::string name, std::shared_ptr<std::vector<std::string>> destroyed)
        : name(std::move(name))
        , destroyed(std::move(destroyed)) {}

    std::shared_ptr<IRenderer> getRenderer() const override { return {}; }
    std::shared_ptr<IMonitor> getMonitor() const override { return {}; }
    void attachEvents(std::shared_ptr<IRendererWindowEvents>) override {}
    void detachEvents() override {}
    bool isValid() const override { return true; }
    void handleResize(std::int32_t, std::int32_t) override {}
    void setCursorMode(ECursorMode) override {}
    std::optional<ECursorMode> getCursorMode() const override { return {}; }
    bool isKeyPressed(EInputKey) const override { return false; }
    void setTitle(const std::string_view&) override {}
    const std::string& getTitle() const override { return name; }
    void focus() override {}
    void makeContextCurrent() override {}
    dimension_t getSize() const override { return {}; }
    void setAspectRatio(float) override {}
    void setAspectRatio(std::int32_t, std::int32_t) override {}
    float getAspectRatio() const override { return 1.0F; }
    void swapBuffers() override {}
    void setShouldClose(bool) override {}
    bool shouldClose() const override { return false; }
    void destroy() override { destroyed->push_back(name); }

private:
    std::string name;
    std::shared_ptr<std::vector<std::string>> destroyed;
};

using Strings = std::vector<std::string>;

class RendererTest : public ::testing::Test {
protected:
    std::shared_ptr<FakeWindow> window(const std::string& name) {
        return std::make_shared<FakeWindow>(name, destroyed);
    }

    ox::test::RendererEventJournal journal;
    std::shared_ptr<Strings> destroyed = std::make_shared<Strings>();
    std::shared_ptr<Renderer> renderer = std::make_shared<Renderer>();
};

TEST_F(RendererTest, MessagesCarryTheRendererTypeAndText) {
    renderer->reportMessage(0, "dropped: no sink yet");
    renderer->attachEvents(journal.rendererEvents);
    renderer->reportMessage(1, "hello");
    renderer->reportMessage(7, "odd type");

    ASSERT_EQ(journal.kinds(), (Strings{"attach", "message", "message"}));
    const auto& hello = journal.entries()[1];
    EXPECT_EQ(hello.renderer, renderer.get());
    EXPECT_EQ(hello.type, 1);
    EXPECT_EQ(hello.detail, "hello");
    EXPECT_EQ(journal.entries()[2].type, 7);
}

TEST_F(RendererTest, AttachingDetachesThePreviousSinkFirst) {
    ox::test::RendererEventJournal second;
    renderer->attachEvents(journal.rendererEvents);
    renderer->attachEvents(second.rendererEvents);
    renderer->reportMessage(1, "to the second");
    renderer->detachEvents();
    renderer->detachEvents();

    EXPECT_EQ(journal.kinds(), (Strings{"attach", "detach"}));
    EXPECT_EQ(second.kinds(), (Strings{"attach", "message", "detach"}));
}

TEST_F(RendererTest, EmptyWindowIsReportedAndNotRegistered) {
    renderer->attachEvents(journal.rendererEvents);
    renderer->windowCreated(nullptr);
    renderer->deinit();

    EXPECT_EQ(journal.kinds(), (Strings{"attach", "message", "create window", "deinit", "detach"}));
    EXPECT_EQ(journal.messages(0),
              (Strings{"invokeOnCreateWindowEvent() obtained empty shared pointer."}));
    EXPECT_TRUE(destroyed->empty());
}

TEST_F(RendererTest, WindowDestroyedRemovesOnlyTheFirstMatchingEntry) {
    const auto a = window("a");
    const auto b = window("b");
    renderer->attachEvents(journal.rendererEvents);
    renderer->windowCreated(a);
    renderer->windowCreated(b);
    renderer->windowCreated(a);
    renderer->windowDestroyed(a);
    renderer->windowDestroyed(window("never registered"));
    journal.clear();

    renderer->deinit();

    // The fakes do not call back, so both survivors are still listed after deinit.
    EXPECT_EQ(*destroyed, (Strings{"b", "a"}));
    EXPECT_EQ(journal.kinds(), (Strings{"deinit", "detach"}));
    EXPECT_EQ(journal.entries()[0].renderer, renderer.get());
}

// A listener may shut the renderer down from inside the very event that the
// shut-down raises; the call returns at once and the outer one finishes.
TEST_F(RendererTest, ListenersThatReenterDeinitOrDetachDoNotRecurse) {
    Renderer* const target = renderer.get();
    struct Case {
        std::string name;
        std::function<void(ox::renderer::RendererEventsDispatcher&)> addListener;
    };
    const std::vector<Case> cases = {
        {"deinit from deinit",
         [target](auto& events) {
             events.addOnDeinitEventListener(
                 [target](std::shared_ptr<IRenderer>) { target->deinit(); });
         }},
        {"deinit from detach",
         [target](auto& events) {
             events.addOnDetachEventListener([target] { target->deinit(); });
         }},
        {"detach from detach",
         [target](auto& events) {
             events.addOnDetachEventListener([target] { target->detachEvents(); });
         }},
    };
    for (const auto& [name, addListener] : cases) {
        ox::test::RendererEventJournal events;
        addListener(*events.rendererEvents);
        // Twice: the guard must not outlive the call it guards.
        for (int round = 0; round < 2; ++round) {
            renderer->attachEvents(events.rendererEvents);
            events.clear();
            renderer->deinit();
            EXPECT_EQ(events.kinds(), (Strings{"deinit", "detach"})) << name << ", round " << round;
        }
    }
}

TEST_F(RendererTest, DroppingTheLastReferenceWithoutDeinitIsSafe) {
    renderer->attachEvents(journal.rendererEvents);
    renderer->windowCreated(window("a"));
    journal.clear();

    renderer.reset();

    EXPECT_EQ(*destroyed, (Strings{"a"}));
    ASSERT_EQ(journal.kinds(), (Strings{"deinit", "detach"}));
    // No owner can be formed from inside the destructor.
    EXPECT_EQ(journal.entries()[0].renderer, nullptr);
}

TEST_F(RendererTest, QueriesBeforeInitAreEmptyAndQuiet) {
    renderer->attachEvents(journal.rendererEvents);
    journal.clear();

    EXPECT_TRUE(renderer->getErrorPolling());
    EXPECT_FALSE(renderer->isInitialized());
    EXPECT_TRUE(renderer->getMonitors().empty());
    EXPECT_EQ(renderer->getPrimaryMonitor(), nullptr);
    EXPECT_EQ(renderer->getRenderingApi(), nullptr);
    EXPECT_TRUE(journal.entries().empty());
}

} // namespace
