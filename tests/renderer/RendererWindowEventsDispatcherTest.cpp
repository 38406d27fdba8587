#include "renderer/RendererWindowEventsDispatcher.hpp"
#include "support/NullRendererWindow.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace ox::renderer;
using ox::test::NullRendererWindow;

namespace {

struct RendererWindowEventsDispatcherTest : ::testing::Test {
    std::shared_ptr<RendererWindowEventsDispatcher> dispatcher =
        std::make_shared<RendererWindowEventsDispatcher>();
    std::shared_ptr<IRendererWindow> window = std::make_shared<NullRendererWindow>();
    std::vector<std::string> calls;

    std::string who(const std::shared_ptr<IRendererWindow>& w) const {
        return w == window ? "w" : (w ? "?" : "-");
    }

    void recordEverything() {
        dispatcher->addOnAttachEventListener([this] { calls.push_back("attach"); });
        dispatcher->addOnDetachEventListener([this] { calls.push_back("detach"); });
        dispatcher->addOnCloseEventListener(
            [this](std::shared_ptr<IRendererWindow> w) { calls.push_back("close:" + who(w)); });
        dispatcher->addOnResizeEventListener(
            [this](std::shared_ptr<IRendererWindow> w, const dimension_t& size) {
                calls.push_back("resize:" + who(w) + ":" + std::to_string(size.width) + "x" +
                                std::to_string(size.height));
            });
        dispatcher->addOnKeyEventListener([this](std::shared_ptr<IRendererWindow> w, EInputKey key,
                                                 std::int32_t scancode, EInputAction action,
                                                 std::uint16_t mods) {
            calls.push_back("key:" + who(w) + ":" + std::to_string(static_cast<int>(key)) + ":" +
                            std::to_string(scancode) + ":" +
                            std::to_string(static_cast<int>(action)) + ":" + std::to_string(mods));
        });
        dispatcher->addOnMouseButtonEventListener([this](std::shared_ptr<IRendererWindow> w,
                                                         EInputMouseButton button,
                                                         EInputAction action, std::uint16_t mods) {
            calls.push_back("button:" + who(w) + ":" + std::to_string(static_cast<int>(button)) +
                            ":" + std::to_string(static_cast<int>(action)) + ":" +
                            std::to_string(mods));
        });
        dispatcher->addOnCursorPositionEventListener([this](std::shared_ptr<IRendererWindow> w,
                                                            double x, double y) {
            calls.push_back("cursor:" + who(w) + ":" + std::to_string(x) + ":" + std::to_string(y));
        });
        dispatcher->addOnScrollEventListener([this](std::shared_ptr<IRendererWindow> w, double x,
                                                    double y) {
            calls.push_back("scroll:" + who(w) + ":" + std::to_string(x) + ":" + std::to_string(y));
        });
    }

    void invokeAll(IRendererWindowEvents& events, const std::shared_ptr<IRendererWindow>& w) {
        events.invokeOnAttachEvent();
        events.invokeOnDetachEvent();
        events.invokeOnCloseEvent(w);
        events.invokeOnResizeEvent(w, dimension_t{800, 0});
        events.invokeOnKeyEvent(w, EInputKey::W, 17, EInputAction::Press, 0x0003);
        events.invokeOnMouseButtonEvent(w, EInputMouseButton::Button1, EInputAction::Release,
                                        ModAlt);
        events.invokeOnCursorPositionEvent(w, 1.5, -2.25);
        events.invokeOnScrollEvent(w, 0.0, -1.0);
    }
};

TEST_F(RendererWindowEventsDispatcherTest, WithoutListenersEveryInvocationIsHarmless) {
    EXPECT_NO_THROW(invokeAll(*dispatcher, window));
    EXPECT_NO_THROW(invokeAll(*dispatcher, nullptr));
}

TEST_F(RendererWindowEventsDispatcherTest, EachEventReachesOnlyItsListenersWithItsArguments) {
    recordEverything();
    invokeAll(*dispatcher, window);
    EXPECT_EQ(calls, (std::vector<std::string>{
                         "attach",
                         "detach",
                         "close:w",
                         "resize:w:800x0",
                         "key:w:41:17:1:3",
                         "button:w:1:2:4",
                         "cursor:w:1.500000:-2.250000",
                         "scroll:w:0.000000:-1.000000",
                     }));
}

TEST_F(RendererWindowEventsDispatcherTest, EmptyWindowIsPassedOnUnchecked) {
    recordEverything();
    invokeAll(*dispatcher, nullptr);
    ASSERT_EQ(calls.size(), 8u);
    EXPECT_EQ(calls[2], "close:-");
    EXPECT_EQ(calls[7], "scroll:-:0.000000:-1.000000");
}

TEST_F(RendererWindowEventsDispatcherTest, ListenersRunInRegistrationOrderAndDuplicatesRunTwice) {
    auto first = [this](std::shared_ptr<IRendererWindow>, double, double) {
        calls.push_back("first");
    };
    dispatcher->addOnScrollEventListener(first);
    dispatcher->addOnScrollEventListener(
        [this](std::shared_ptr<IRendererWindow>, double, double) { calls.push_back("second"); });
    dispatcher->addOnScrollEventListener(first);
    dispatcher->invokeOnScrollEvent(window, 0.0, 1.0);
    EXPECT_EQ(calls, (std::vector<std::string>{"first", "second", "first"}));
}

TEST_F(RendererWindowEventsDispatcherTest, ResizeSizeIsPassedByReference) {
    const dimension_t size{640, 480};
    const dimension_t* seen = nullptr;
    dispatcher->addOnResizeEventListener(
        [&](std::shared_ptr<IRendererWindow>, const dimension_t& received) { seen = &received; });
    dispatcher->invokeOnResizeEvent(window, size);
    EXPECT_EQ(seen, &size);
}

TEST_F(RendererWindowEventsDispatcherTest, AttachCountsEveryAttachmentThroughEitherInterface) {
    IRendererWindowEventsDispatcher& registration = *dispatcher;
    IRendererWindowEvents& events = *dispatcher;
    int attached = 0;
    registration.addOnAttachEventListener([&] { ++attached; });
    // One dispatcher shared by two windows: each attaches once.
    events.invokeOnAttachEvent();
    events.invokeOnAttachEvent();
    registration.invokeOnAttachEvent();
    EXPECT_EQ(attached, 3);
}

TEST_F(RendererWindowEventsDispatcherTest, EmptyFunctionsAreNeverCalled) {
    dispatcher->addOnAttachEventListener({});
    dispatcher->addOnDetachEventListener({});
    dispatcher->addOnCloseEventListener({});
    dispatcher->addOnResizeEventListener({});
    dispatcher->addOnKeyEventListener({});
    dispatcher->addOnMouseButtonEventListener({});
    dispatcher->addOnCursorPositionEventListener({});
    dispatcher->addOnScrollEventListener({});
    recordEverything();
    EXPECT_NO_THROW(invokeAll(*dispatcher, window));
    EXPECT_EQ(calls.size(), 8u);
}

TEST_F(RendererWindowEventsDispatcherTest, KeyListenerAddedFromAKeyListenerRunsFromTheNextKey) {
    int inner = 0;
    dispatcher->addOnKeyEventListener([&](std::shared_ptr<IRendererWindow>, EInputKey, std::int32_t,
                                          EInputAction, std::uint16_t) {
        dispatcher->addOnKeyEventListener([&](std::shared_ptr<IRendererWindow>, EInputKey,
                                              std::int32_t, EInputAction,
                                              std::uint16_t) { ++inner; });
    });
    dispatcher->invokeOnKeyEvent(window, EInputKey::A, 0, EInputAction::Press, 0);
    EXPECT_EQ(inner, 0);
    dispatcher->invokeOnKeyEvent(window, EInputKey::A, 0, EInputAction::Release, 0);
    EXPECT_EQ(inner, 1);
}

} // namespace
