#include "renderer/IRendererWindowFactory.hpp"
#include "renderer/IRendererWindowOpenGlHintFactory.hpp"
#include "renderer/opengl/glfw/GlfwWindow.hpp"
#include "renderer/opengl/glfw/Renderer.hpp"
#include "support/RendererEventJournal.hpp"

#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

// Xlib's macros (None, Bool, True...) would break the headers above; it goes last.
// clang-format off
#define GLFW_EXPOSE_NATIVE_X11
#include <GLFW/glfw3native.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include "support/X11Client.hpp"
// clang-format on

namespace {

using ox::renderer::context_version_t;
using ox::renderer::dimension_t;
using ox::renderer::EClientApi;
using ox::renderer::ECursorMode;
using ox::renderer::EInputKey;
using ox::renderer::EOpenGlProfile;
using ox::renderer::opengl::glfw::GlfwWindow;
using ox::renderer::opengl::glfw::Renderer;
using Strings = std::vector<std::string>;

// Key events are journalled as "<EInputKey> <scancode> <EInputAction> <mods>",
// mouse buttons as "<EInputMouseButton> <EInputAction> <mods>".
std::string keyEvent(EInputKey key, int scancode, int action, int mods) {
    return fmt::format("{} {} {} {:#06x}", static_cast<int>(key), scancode, action, mods);
}

class GlfwWindowGLTest : public ::testing::Test {
protected:
    void SetUp() override {
        renderer->attachEvents(journal.rendererEvents);
        ASSERT_TRUE(renderer->init()) << fmt::format("{}", fmt::join(journal.messages(0), "\n"));
        auto factory = renderer->createWindowFactory();
        factory->setTitle("Vexel").setSize(1024, 1024).setEvents(journal.windowEvents);
        factory->getOpenGlHintFactory()
            .setContextVersion(context_version_t{4, 5})
            .setClientApi(EClientApi::OpenGl)
            .setOpenGlProfile(EOpenGlProfile::Core);
        window = std::dynamic_pointer_cast<GlfwWindow>(factory->createWindow());
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(window->isValid());
        display = glfwGetX11Display();
        ASSERT_NE(display, nullptr);
        journal.clear();
    }

    void TearDown() override { renderer->deinit(); }

    // Lets GLFW process what the X server sent until `done` holds; input travels
    // through a real server, so give it a little time.
    bool pumpUntil(const std::function<bool()>& done) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (std::chrono::steady_clock::now() < deadline) {
            XSync(display, False);
            renderer->pollEvents();
            if (done()) {
                return true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return false;
    }

    // The event kinds without pointer motion, which a window appearing under
    // the pointer may report at any time.
    Strings closingKinds() const {
        Strings kinds = journal.kinds();
        std::erase(kinds, "cursor");
        return kinds;
    }

    bool pumpUntilSeen(const std::string& what, std::size_t count = 1) {
        return pumpUntil([&] { return journal.only(what).size() >= count; });
    }

    void focusWindow() {
        window->focus();
        ASSERT_TRUE(pumpUntil(
            [&] { return glfwGetWindowAttrib(window->getNativeHandle(), GLFW_FOCUSED) == 1; }));
    }

    void fakeKey(KeySym symbol, bool press) {
        XTestFakeKeyEvent(display, XKeysymToKeycode(display, symbol), press ? True : False,
                          CurrentTime);
    }

    void fakeButton(unsigned int button, bool press) {
        XTestFakeButtonEvent(display, button, press ? True : False, CurrentTime);
    }

    // Moves the pointer to window coordinates (x, y).
    void fakeMotion(int x, int y) {
        int left = 0;
        int top = 0;
        glfwGetWindowPos(window->getNativeHandle(), &left, &top);
        XTestFakeMotionEvent(display, -1, left + x, top + y, CurrentTime);
    }

    void sendCloseRequest(GLFWwindow* target) {
        ox::test::sendCloseRequest(display, glfwGetX11Window(target));
    }

    ox::test::RendererEventJournal journal;
    std::shared_ptr<Renderer> renderer = std::make_shared<Renderer>();
    std::shared_ptr<GlfwWindow> window;
    Display* display = nullptr;
};

TEST_F(GlfwWindowGLTest, RealKeyPressArrivesTranslatedWithModifiers) {
    focusWindow();
    fakeKey(XK_Control_L, true);
    fakeKey(XK_Shift_L, true);
    fakeKey(XK_w, true);
    ASSERT_TRUE(pumpUntil([&] { return window->isKeyPressed(EInputKey::W); }));
    fakeKey(XK_w, false);
    fakeKey(XK_Shift_L, false);
    fakeKey(XK_Control_L, false);
    ASSERT_TRUE(pumpUntilSeen("key", 6));

    const int scancode = XKeysymToKeycode(display, XK_w);
    Strings keys;
    for (const auto& entry : journal.only("key")) {
        EXPECT_EQ(entry.subject, window.get());
        keys.push_back(entry.detail);
    }
    // Press 1, release 2; GLFW reports the modifiers held before each event.
    EXPECT_EQ(keys[2], keyEvent(EInputKey::W, scancode, 1, 0x0003));
    EXPECT_EQ(keys[3], keyEvent(EInputKey::W, scancode, 2, 0x0003));
    EXPECT_EQ(keys[0].substr(0, 4), "113 ");
    EXPECT_TRUE(journal.messages(0).empty());
}

// A frame loop asks once per frame. A key pressed and released between two
// questions must still be seen, once, or a quick tap of Escape is lost; a
// key that a question saw held must read as released at the first question
// after its release, or C's outlines outlast the key by a frame.
TEST_F(GlfwWindowGLTest, ATapIsSeenOnceAndASeenPressEndsWithItsRelease) {
    // Each step sends real input (or none), lets it arrive, then asks.
    enum class EInput { Nothing, Press, Release, Tap };
    const struct {
        const char* name;
        KeySym symbol;
        EInputKey key;
        std::vector<std::pair<EInput, bool>> steps; // input, then the answer
    } cases[] = {
        {"a tap of Escape between two questions",
         XK_Escape,
         EInputKey::Escape,
         {{EInput::Nothing, false}, {EInput::Tap, true}, {EInput::Nothing, false}}},
        {"C held across questions, then released",
         XK_c,
         EInputKey::C,
         {{EInput::Press, true},
          {EInput::Nothing, true},
          {EInput::Release, false},
          {EInput::Nothing, false}}},
        {"two taps of C, one question each",
         XK_c,
         EInputKey::C,
         {{EInput::Tap, true}, {EInput::Tap, true}, {EInput::Nothing, false}}},
    };
    focusWindow();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (const auto& [input, pressed] : c.steps) {
            journal.clear();
            if (input == EInput::Press || input == EInput::Tap) {
                // GLFW drops a press stamped with the same server time as the
                // key's previous press (X input methods send duplicates).
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
                fakeKey(c.symbol, true);
            }
            if (input == EInput::Release || input == EInput::Tap) {
                fakeKey(c.symbol, false);
            }
            const std::size_t events = input == EInput::Tap ? 2 : input == EInput::Nothing ? 0 : 1;
            ASSERT_TRUE(pumpUntilSeen("key", events)) << ::testing::PrintToString(journal.kinds());
            EXPECT_EQ(window->isKeyPressed(c.key), pressed);
        }
    }
}

TEST_F(GlfwWindowGLTest, RealPointerInputArrivesAsItsOwnEventKinds) {
    focusWindow();
    fakeMotion(10, 10);
    ASSERT_TRUE(pumpUntilSeen("cursor"));
    journal.clear();

    fakeMotion(100, 120);
    ASSERT_TRUE(pumpUntil([&] {
        const auto moves = journal.only("cursor");
        return !moves.empty() && moves.back().detail == "100 120";
    }));
    EXPECT_EQ(journal.kinds(), Strings(journal.kinds().size(), "cursor"));
    journal.clear();

    fakeButton(1, true);
    fakeButton(1, false);
    ASSERT_TRUE(pumpUntilSeen("mouse button", 2));
    EXPECT_EQ(journal.kinds(), (Strings{"mouse button", "mouse button"}));
    EXPECT_EQ(journal.entries()[0].detail, "1 1 0x0000");
    EXPECT_EQ(journal.entries()[1].detail, "1 2 0x0000");
    journal.clear();

    fakeButton(4, true);
    fakeButton(4, false);
    ASSERT_TRUE(pumpUntilSeen("scroll"));
    fakeButton(5, true);
    fakeButton(5, false);
    ASSERT_TRUE(pumpUntilSeen("scroll", 2));
    EXPECT_EQ(journal.kinds(), (Strings{"scroll", "scroll"}));
    EXPECT_EQ(journal.entries()[0].detail, "0 1");
    EXPECT_EQ(journal.entries()[1].detail, "0 -1");
    EXPECT_TRUE(journal.messages(0).empty());
}

TEST_F(GlfwWindowGLTest, CloseRequestClosesDetachesAndUnregisters) {
    sendCloseRequest(window->getNativeHandle());
    ASSERT_TRUE(pumpUntilSeen("destroy window"));

    EXPECT_EQ(closingKinds(), (Strings{"close", "window detach", "destroy window"}));
    EXPECT_EQ(journal.only("close")[0].subject, window.get());
    EXPECT_EQ(journal.only("destroy window")[0].subject, window.get());
    EXPECT_TRUE(window->shouldClose());
    EXPECT_TRUE(window->isValid());

    // Destroying after the request tells the renderer once more, with nothing left to detach.
    journal.clear();
    window->destroy();
    EXPECT_EQ(journal.kinds(), (Strings{"destroy window"}));
    EXPECT_FALSE(window->isValid());
}

TEST_F(GlfwWindowGLTest, CloseRequestOnAWindowOnlyTheRendererHoldsIsSafe) {
    const auto* closing = window.get();
    auto* handle = window->getNativeHandle();
    window.reset();
    sendCloseRequest(handle);
    ASSERT_TRUE(pumpUntilSeen("destroy window"));

    EXPECT_EQ(closingKinds(), (Strings{"close", "window detach", "destroy window"}));
    EXPECT_EQ(journal.only("destroy window")[0].subject, closing);
    renderer->pollEvents();
}

TEST_F(GlfwWindowGLTest, ListenersThatDestroyTheClosingWindowEndItOnce) {
    const std::weak_ptr<GlfwWindow> closing = window;
    const auto destroyIt = [closing](const auto&...) {
        if (const auto target = closing.lock()) {
            target->destroy();
        }
    };
    journal.windowEvents->addOnCloseEventListener(destroyIt);
    journal.rendererEvents->addOnDestroyWindowEventListener(destroyIt);

    window->destroy();

    EXPECT_EQ(journal.kinds(), (Strings{"close", "window detach", "destroy window"}));
    EXPECT_FALSE(window->isValid());
}

TEST_F(GlfwWindowGLTest, ListenersThatDetachTheDetachingWindowDetachItOnce) {
    const std::weak_ptr<GlfwWindow> detaching = window;
    journal.windowEvents->addOnDetachEventListener([detaching] {
        if (const auto target = detaching.lock()) {
            target->detachEvents();
        }
    });
    window->detachEvents();
    // Attached again and detached again: the guard ends with the call.
    window->attachEvents(journal.windowEvents);
    window->detachEvents();

    EXPECT_EQ(journal.kinds(), (Strings{"window detach", "window attach", "window detach"}));
}

TEST_F(GlfwWindowGLTest, DeinitFromADestroyWindowListenerFinishesTheShutDownOnce) {
    const std::weak_ptr<Renderer> owner = renderer;
    journal.rendererEvents->addOnDestroyWindowEventListener([owner](const auto&...) {
        if (const auto target = owner.lock()) {
            target->deinit();
        }
    });

    // The sink is detached before the end, so GLFW's complaints are caught at
    // the source: terminating GLFW under a window still being destroyed would
    // make its glfwDestroyWindow fail.
    static std::vector<std::string> glfwErrors;
    glfwErrors.clear();
    const GLFWerrorfun previous = glfwSetErrorCallback(
        [](int code, const char* text) { glfwErrors.push_back(fmt::format("{} {}", code, text)); });

    renderer->deinit();
    glfwSetErrorCallback(previous);

    EXPECT_EQ(closingKinds(),
              (Strings{"close", "window detach", "destroy window", "deinit", "detach"}));
    EXPECT_EQ(glfwErrors, Strings{});
    EXPECT_FALSE(window->isValid());
    EXPECT_FALSE(renderer->isInitialized());
}

TEST_F(GlfwWindowGLTest, ResizesUpdateSizeAspectRatioAndNotify) {
    window->handleResize(800, 0);
    EXPECT_FLOAT_EQ(window->getAspectRatio(), 1.0F);
    ASSERT_EQ(journal.only("resize").size(), 1U);
    EXPECT_EQ(journal.only("resize")[0].detail, "800x0");
    EXPECT_EQ(journal.only("resize")[0].subject, window.get());

    glfwSetWindowSize(window->getNativeHandle(), 800, 600);
    ASSERT_TRUE(pumpUntil([&] {
        const auto resizes = journal.only("resize");
        return resizes.size() >= 2 && resizes.back().detail == "800x600";
    }));
    EXPECT_FLOAT_EQ(window->getAspectRatio(), 800.0F / 600.0F);
    EXPECT_EQ(window->getSize(), (dimension_t{800, 600}));
}

TEST_F(GlfwWindowGLTest, DestroyedWindowIsInertButKeepsItsTitle) {
    window->setTitle("Last title");
    window->setShouldClose(true);
    EXPECT_TRUE(window->shouldClose());
    window->destroy();
    journal.clear();

    EXPECT_FALSE(window->isValid());
    EXPECT_EQ(window->getSize(), (dimension_t{-1, -1}));
    EXPECT_EQ(window->getTitle(), "Last title");
    window->setTitle("ignored");
    EXPECT_EQ(window->getTitle(), "Last title");
    EXPECT_FALSE(window->shouldClose());
    EXPECT_FALSE(window->isKeyPressed(EInputKey::W));
    EXPECT_EQ(window->getCursorMode(), std::nullopt);
    window->handleResize(10, 10);
    window->setCursorMode(ECursorMode::Disabled);
    window->swapBuffers();
    window->focus();
    window->destroy();
    EXPECT_TRUE(journal.entries().empty());
}

TEST_F(GlfwWindowGLTest, CursorModesRoundTripAndUnknownModesAreIgnored) {
    for (const auto mode : {ECursorMode::Hidden, ECursorMode::Disabled, ECursorMode::Normal}) {
        window->setCursorMode(mode);
        EXPECT_EQ(window->getCursorMode(), mode);
    }
    window->setCursorMode(static_cast<ECursorMode>(7));
    EXPECT_EQ(window->getCursorMode(), ECursorMode::Normal);
    // GLFW cannot report a state for its unknown key; asking must not raise an error.
    EXPECT_FALSE(window->isKeyPressed(EInputKey::Unknown));
    EXPECT_TRUE(journal.messages(0).empty());
}

TEST_F(GlfwWindowGLTest, MakingTheContextCurrentIsReported) {
    window->makeContextCurrent();
    EXPECT_EQ(journal.messages(1), (Strings{"Making context current for a window 'Vexel'."}));
    EXPECT_EQ(glfwGetCurrentContext(), window->getNativeHandle());
}

// The edges of translation, driven through the callbacks GLFW itself holds for
// the window (a real X server cannot produce an unknown action).
class GlfwCallbackTranslationGLTest : public GlfwWindowGLTest {
protected:
    void SetUp() override {
        GlfwWindowGLTest::SetUp();
        auto* handle = window->getNativeHandle();
        key = glfwSetKeyCallback(handle, nullptr);
        glfwSetKeyCallback(handle, key);
        mouseButton = glfwSetMouseButtonCallback(handle, nullptr);
        glfwSetMouseButtonCallback(handle, mouseButton);
        ASSERT_NE(key, nullptr);
        ASSERT_NE(mouseButton, nullptr);
    }

    GLFWkeyfun key = nullptr;
    GLFWmousebuttonfun mouseButton = nullptr;
};

TEST_F(GlfwCallbackTranslationGLTest, KeysAndButtonsTranslateByTable) {
    auto* handle = window->getNativeHandle();
    key(handle, GLFW_KEY_W, 1234, GLFW_PRESS, GLFW_MOD_SHIFT | GLFW_MOD_CONTROL);
    key(handle, GLFW_KEY_UNKNOWN, 0, GLFW_REPEAT, GLFW_MOD_SHIFT | GLFW_MOD_ALT);
    key(handle, GLFW_KEY_MENU, 7, GLFW_RELEASE, GLFW_MOD_SUPER | 0x10 | 0x20);
    mouseButton(handle, GLFW_MOUSE_BUTTON_1, GLFW_PRESS, 0);
    mouseButton(handle, GLFW_MOUSE_BUTTON_8, GLFW_RELEASE, GLFW_MOD_ALT);

    Strings details;
    for (const auto& entry : journal.entries()) {
        details.push_back(entry.what + " " + entry.detail);
    }
    EXPECT_EQ(details, (Strings{"key " + keyEvent(EInputKey::W, 1234, 1, 0x0003),
                                "key " + keyEvent(EInputKey::Unknown, 0, 3, 0x0005),
                                "key " + keyEvent(EInputKey::Menu, 7, 2, 0x0008),
                                "mouse button 1 1 0x0000", "mouse button 8 2 0x0004"}));
}

TEST_F(GlfwCallbackTranslationGLTest, UntranslatableCodesAreReportedInsteadOfDispatched) {
    auto* handle = window->getNativeHandle();
    key(handle, 999, 0, GLFW_PRESS, 0);
    key(handle, GLFW_KEY_A, 0, 7, 0);
    mouseButton(handle, 8, 9, 0);

    EXPECT_EQ(journal.kinds(), (Strings{"message", "message", "message"}));
    EXPECT_EQ(journal.messages(0),
              (Strings{"Failed to translate keyCode and/or actionCode. Inputs: keyCode = 999, "
                       "actionCode = 1. Translations statuses: keyCode = failed, actionCode = ok",
                       "Failed to translate keyCode and/or actionCode. Inputs: keyCode = 65, "
                       "actionCode = 7. Translations statuses: keyCode = ok, actionCode = failed",
                       "Failed to translate mouseButton and/or actionCode. Inputs: mouseButton = "
                       "8, actionCode = 9. Translations statuses: mouseButton = failed, actionCode "
                       "= failed"}));
}

TEST_F(GlfwCallbackTranslationGLTest, WithoutSinkInputIsNeitherTranslatedNorReported) {
    window->detachEvents();
    journal.clear();
    auto* handle = window->getNativeHandle();
    key(handle, GLFW_KEY_W, 0, GLFW_PRESS, 0);
    key(handle, 999, 0, 7, 0);
    mouseButton(handle, 8, 9, 0);
    window->handleResize(300, 200);

    EXPECT_TRUE(journal.entries().empty());
    EXPECT_FLOAT_EQ(window->getAspectRatio(), 1.5F);
}

} // namespace
