#include "renderer/RendererEventsDispatcher.hpp"
#include "support/NullMonitor.hpp"
#include "support/NullRenderer.hpp"
#include "support/NullRendererWindow.hpp"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

using namespace ox::renderer;
using ox::test::NullMonitor;
using ox::test::NullRenderer;
using ox::test::NullRendererWindow;

namespace {

struct RendererEventsDispatcherTest : ::testing::Test {
    std::shared_ptr<RendererEventsDispatcher> dispatcher =
        std::make_shared<RendererEventsDispatcher>();
    std::shared_ptr<IRenderer> renderer = std::make_shared<NullRenderer>();
    std::shared_ptr<IRendererWindow> window = std::make_shared<NullRendererWindow>();
    std::shared_ptr<IMonitor> monitor = std::make_shared<NullMonitor>();
    std::vector<std::string> calls;

    // Records every message as "message:<type>:<text>".
    void recordMessages() {
        dispatcher->addOnMessageEventListener([this](const renderer_message_data_t& data) {
            calls.push_back("message:" + std::to_string(data.type) + ":" +
                            std::string(data.message));
        });
    }

    // Every invocation once, through the events interface as the renderer sees it.
    void invokeAll(IRendererEvents& events, const std::shared_ptr<IMonitor>& m,
                   const std::shared_ptr<IRendererWindow>& w) {
        const std::string_view text = "text";
        events.invokeOnAttachEvent();
        events.invokeOnDetachEvent();
        events.invokeOnMessageEvent({renderer, 1, text});
        events.invokeOnInitEvent(renderer);
        events.invokeOnDeinitEvent(renderer);
        events.invokeOnMonitorInitEvent(renderer, m);
        events.invokeOnCreateWindowEvent(renderer, w);
        events.invokeOnDestroyWindowEvent(renderer, w);
    }
};

TEST_F(RendererEventsDispatcherTest, WithoutListenersEveryInvocationIsHarmless) {
    EXPECT_NO_THROW(invokeAll(*dispatcher, monitor, window));
    // The guarded invocations still build their message; nobody receives it.
    EXPECT_NO_THROW(invokeAll(*dispatcher, nullptr, nullptr));
}

TEST_F(RendererEventsDispatcherTest, ListenersRunInRegistrationOrderAndDuplicatesRunTwice) {
    auto first = [this](std::shared_ptr<IRenderer>) {
        calls.push_back("first");
    };
    dispatcher->addOnInitEventListener(first);
    dispatcher->addOnInitEventListener(
        [this](std::shared_ptr<IRenderer>) { calls.push_back("second"); });
    dispatcher->addOnInitEventListener(first);

    dispatcher->invokeOnInitEvent(renderer);
    EXPECT_EQ(calls, (std::vector<std::string>{"first", "second", "first"}));
    dispatcher->invokeOnInitEvent(renderer);
    EXPECT_EQ(calls.size(), 6u);
}

TEST_F(RendererEventsDispatcherTest, EachInvocationReachesOnlyItsOwnListenersWithItsArguments) {
    recordMessages();
    auto tag = [this](std::string name) {
        return [this, name](std::shared_ptr<IRenderer> r, auto second) {
            calls.push_back(name + (r ? ":r" : ":-") + (second ? ":s" : ":-"));
        };
    };
    dispatcher->addOnAttachEventListener([this] { calls.push_back("attach"); });
    dispatcher->addOnDetachEventListener([this] { calls.push_back("detach"); });
    dispatcher->addOnInitEventListener(
        [this](std::shared_ptr<IRenderer> r) { calls.push_back(r ? "init:r" : "init:-"); });
    dispatcher->addOnDeinitEventListener(
        [this](std::shared_ptr<IRenderer> r) { calls.push_back(r ? "deinit:r" : "deinit:-"); });
    dispatcher->addOnMonitorInitEventListener(tag("monitor"));
    dispatcher->addOnCreateWindowEventListener(tag("create"));
    dispatcher->addOnDestroyWindowEventListener(tag("destroy"));

    invokeAll(*dispatcher, monitor, window);
    EXPECT_EQ(calls,
              (std::vector<std::string>{"attach", "detach", "message:1:text", "init:r", "deinit:r",
                                        "monitor:r:s", "create:r:s", "destroy:r:s"}));
}

TEST_F(RendererEventsDispatcherTest, GuardedInvocationsReportAnEmptyPointerBeforeTheListeners) {
    struct Case {
        std::function<void()> invoke;
        std::function<void()> listen;
        std::string text;
    };
    const std::vector<Case> cases = {
        {[&] { dispatcher->invokeOnMonitorInitEvent(renderer, nullptr); },
         [&] {
             dispatcher->addOnMonitorInitEventListener(
                 [this](std::shared_ptr<IRenderer>, std::shared_ptr<IMonitor> m) {
                     calls.push_back(m ? "listener:monitor" : "listener:empty");
                 });
         },
         "invokeOnMonitorInitEvent() obtained empty shared pointer."},
        {[&] { dispatcher->invokeOnCreateWindowEvent(renderer, nullptr); },
         [&] {
             dispatcher->addOnCreateWindowEventListener(
                 [this](std::shared_ptr<IRenderer>, std::shared_ptr<IRendererWindow> w) {
                     calls.push_back(w ? "listener:window" : "listener:empty");
                 });
         },
         "invokeOnCreateWindowEvent() obtained empty shared pointer."},
        {[&] { dispatcher->invokeOnDestroyWindowEvent(renderer, nullptr); },
         [&] {
             dispatcher->addOnDestroyWindowEventListener(
                 [this](std::shared_ptr<IRenderer>, std::shared_ptr<IRendererWindow> w) {
                     calls.push_back(w ? "listener:window" : "listener:empty");
                 });
         },
         "invokeOnDestroyWindowEvent() obtained empty shared pointer."},
    };
    std::vector<std::shared_ptr<IRenderer>> reporters;
    dispatcher->addOnMessageEventListener([&](const renderer_message_data_t& data) {
        calls.push_back("message:" + std::to_string(data.type) + ":" + std::string(data.message));
        reporters.push_back(data.renderer);
    });
    for (const auto& c : cases) {
        calls.clear();
        reporters.clear();
        c.listen();
        c.invoke();
        EXPECT_EQ(calls, (std::vector<std::string>{"message:0:" + c.text, "listener:empty"}));
        ASSERT_EQ(reporters.size(), 1u);
        EXPECT_EQ(reporters[0], renderer);
    }
}

TEST_F(RendererEventsDispatcherTest, OnlyTheThreeGuardedInvocationsCheckTheirArguments) {
    recordMessages();
    dispatcher->invokeOnInitEvent(nullptr);
    dispatcher->invokeOnDeinitEvent(nullptr);
    dispatcher->invokeOnMonitorInitEvent(nullptr, monitor);
    dispatcher->invokeOnCreateWindowEvent(nullptr, window);
    EXPECT_TRUE(calls.empty());
}

// A subclass that overrides the message event sees the guarded message too.
struct CountingDispatcher : RendererEventsDispatcher {
    int messages = 0;
    void invokeOnMessageEvent(const renderer_message_data_t& data) override {
        ++messages;
        RendererEventsDispatcher::invokeOnMessageEvent(data);
    }
};

TEST_F(RendererEventsDispatcherTest, GuardedMessageGoesThroughTheVirtualMessageEvent) {
    auto counting = std::make_shared<CountingDispatcher>();
    counting->invokeOnCreateWindowEvent(renderer, nullptr);
    EXPECT_EQ(counting->messages, 1);
}

TEST_F(RendererEventsDispatcherTest, EachListenerGetsItsOwnCopyOfSharedPointers) {
    // The first listener steals its argument; the second must still get the window.
    dispatcher->addOnCreateWindowEventListener(
        [](std::shared_ptr<IRenderer> r, std::shared_ptr<IRendererWindow> w) {
            auto stolenRenderer = std::move(r);
            auto stolenWindow = std::move(w);
        });
    std::shared_ptr<IRendererWindow> seen;
    std::shared_ptr<IRenderer> seenRenderer;
    dispatcher->addOnCreateWindowEventListener(
        [&](std::shared_ptr<IRenderer> r, std::shared_ptr<IRendererWindow> w) {
            seenRenderer = r;
            seen = w;
        });
    dispatcher->invokeOnCreateWindowEvent(renderer, window);
    EXPECT_EQ(seen, window);
    EXPECT_EQ(seenRenderer, renderer);
}

TEST_F(RendererEventsDispatcherTest, MessageDataIsPassedByReferenceToTheCallersObject) {
    const std::string_view text = "hello";
    const renderer_message_data_t data{renderer, 1, text};
    const renderer_message_data_t* seen = nullptr;
    dispatcher->addOnMessageEventListener(
        [&](const renderer_message_data_t& received) { seen = &received; });
    dispatcher->invokeOnMessageEvent(data);
    EXPECT_EQ(seen, &data);
}

TEST_F(RendererEventsDispatcherTest, AttachAndDetachAreOneListSeenThroughEitherInterface) {
    IRendererEventsDispatcher& registration = *dispatcher;
    IRendererEvents& events = *dispatcher;
    int attached = 0;
    int detached = 0;
    registration.addOnAttachEventListener([&] { ++attached; });
    registration.addOnDetachEventListener([&] { ++detached; });
    events.invokeOnAttachEvent();
    registration.invokeOnAttachEvent();
    events.invokeOnDetachEvent();
    EXPECT_EQ(attached, 2);
    EXPECT_EQ(detached, 1);
}

TEST_F(RendererEventsDispatcherTest, EmptyFunctionsAreNeverCalled) {
    dispatcher->addOnAttachEventListener({});
    dispatcher->addOnDetachEventListener({});
    dispatcher->addOnMessageEventListener({});
    dispatcher->addOnInitEventListener({});
    dispatcher->addOnDeinitEventListener({});
    dispatcher->addOnMonitorInitEventListener({});
    dispatcher->addOnCreateWindowEventListener({});
    dispatcher->addOnDestroyWindowEventListener({});
    int created = 0;
    dispatcher->addOnCreateWindowEventListener(
        [&](std::shared_ptr<IRenderer>, std::shared_ptr<IRendererWindow>) { ++created; });

    EXPECT_NO_THROW(invokeAll(*dispatcher, monitor, window));
    EXPECT_NO_THROW(invokeAll(*dispatcher, nullptr, nullptr));
    EXPECT_EQ(created, 2);
}

TEST_F(RendererEventsDispatcherTest, ListenerAddedDuringAnInvocationRunsFromTheNextOne) {
    struct State {
        RendererEventsDispatcher* dispatcher;
        int outer = 0;
        int inner = 0;
    } state{dispatcher.get()};
    // The listener captures one pointer only, so std::function keeps it inside the
    // list's own storage: if the list grew under the running listener, the
    // sanitizer would see it read its capture from freed memory.
    dispatcher->addOnInitEventListener([s = &state](std::shared_ptr<IRenderer>) {
        if (s->outer++ == 0) {
            for (int i = 0; i < 64; ++i) {
                s->dispatcher->addOnInitEventListener(
                    [s](std::shared_ptr<IRenderer>) { ++s->inner; });
            }
        }
    });
    dispatcher->invokeOnInitEvent(renderer);
    EXPECT_EQ(state.outer, 1);
    EXPECT_EQ(state.inner, 0);

    dispatcher->invokeOnInitEvent(renderer);
    EXPECT_EQ(state.outer, 2);
    EXPECT_EQ(state.inner, 64);
}

TEST_F(RendererEventsDispatcherTest, ListenerAddedToAnotherEventFromAListenerWorksAtOnce) {
    dispatcher->addOnInitEventListener([&](std::shared_ptr<IRenderer>) {
        dispatcher->addOnDeinitEventListener(
            [&](std::shared_ptr<IRenderer>) { calls.push_back("deinit"); });
        dispatcher->invokeOnDeinitEvent(renderer);
    });
    dispatcher->invokeOnInitEvent(renderer);
    EXPECT_EQ(calls, std::vector<std::string>{"deinit"});
}

TEST_F(RendererEventsDispatcherTest, AThrowingListenerDoesNotLoseLaterRegistrations) {
    int added = 0;
    bool thrown = false;
    dispatcher->addOnInitEventListener([&](std::shared_ptr<IRenderer>) {
        if (!thrown) {
            thrown = true;
            dispatcher->addOnInitEventListener([&](std::shared_ptr<IRenderer>) { ++added; });
            throw std::runtime_error("listener failed");
        }
    });
    EXPECT_THROW(dispatcher->invokeOnInitEvent(renderer), std::runtime_error);
    dispatcher->invokeOnInitEvent(renderer);
    EXPECT_EQ(added, 1);
    // Registration outside an invocation is immediate again.
    dispatcher->addOnInitEventListener([&](std::shared_ptr<IRenderer>) { added += 10; });
    dispatcher->invokeOnInitEvent(renderer);
    EXPECT_EQ(added, 12);
}

} // namespace
