#include "harness/InputScript.hpp"
#include "renderer/IWindowInput.hpp"
#include "renderer/RendererWindowEventsDispatcher.hpp"
#include "renderer/opengl/RendererFactory.hpp"
#include "renderer/opengl/glfw/GlfwWindow.hpp"
#include "support/CoreWindow.hpp"

#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <sstream>
#include <thread>
#include <vector>

// Xlib's macros (None, Bool, True...) would break the headers above; it goes last.
// clang-format off
#define GLFW_EXPOSE_NATIVE_X11
#include <GLFW/glfw3native.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
// clang-format on

namespace {

using ox::renderer::EInputKey;

// What the keys read as after each frame's input: {T, C}.
using KeyStates = std::vector<std::vector<bool>>;

// One frame's input: T held from frame 1 to its release in frame 3, where C
// is tapped (pressed and released between two questions).
constexpr const char* script = "1 key down T\n"
                               "3 key up T\n"
                               "3 key down C\n"
                               "3 key up C\n";
constexpr int frames = 4;

struct Window {
    std::shared_ptr<ox::renderer::IRenderer> renderer;
    std::shared_ptr<ox::renderer::IRendererWindow> window;
    std::shared_ptr<ox::renderer::RendererWindowEventsDispatcher> events =
        std::make_shared<ox::renderer::RendererWindowEventsDispatcher>();
    std::size_t keyEvents = 0;

    explicit Window(bool headless) {
        ox::renderer::opengl::renderer_options_t options;
        options.headless = headless;
        renderer = ox::renderer::opengl::RendererFactory::createRenderer(options);
        if (!renderer->init()) {
            return;
        }
        events->addOnKeyEventListener([this](const auto&...) { ++keyEvents; });
        window = ox::test::createCoreWindow(*renderer, "input", 64, 64, events);
    }
    ~Window() { renderer->deinit(); }

    std::vector<bool> keys() const {
        return {window->isKeyPressed(EInputKey::T), window->isKeyPressed(EInputKey::C)};
    }
};

// The script as an input source of the window, polled with its events.
KeyStates scripted(bool headless) {
    Window target(headless);
    EXPECT_TRUE(target.window && target.window->isValid());
    std::istringstream text(script);
    std::string error;
    auto parsed = ox::harness::InputScript::parse(text, error);
    EXPECT_TRUE(parsed) << error;
    std::dynamic_pointer_cast<ox::renderer::IWindowInput>(target.window)
        ->addInputSource(std::make_shared<ox::harness::InputScript>(std::move(*parsed)));
    KeyStates states;
    for (int frame = 1; frame <= frames; ++frame) {
        target.renderer->pollEvents();
        states.push_back(target.keys());
    }
    return states;
}

// The same keys typed for real on the window system's window (XTEST).
KeyStates live() {
    Window target(false);
    EXPECT_TRUE(target.window && target.window->isValid());
    auto* native = std::dynamic_pointer_cast<ox::renderer::opengl::glfw::GlfwWindow>(target.window)
                       ->getNativeHandle();
    Display* display = glfwGetX11Display();
    // Input travels through a real server: give it time, within a deadline.
    const auto pumpUntil = [&](const std::function<bool()>& done) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (std::chrono::steady_clock::now() < deadline) {
            XSync(display, False);
            target.renderer->pollEvents();
            if (done()) {
                return true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return false;
    };
    target.window->focus();
    EXPECT_TRUE(pumpUntil([&] { return glfwGetWindowAttrib(native, GLFW_FOCUSED) == 1; }));
    const auto key = [&](KeySym symbol, bool press) {
        if (press) {
            // GLFW drops a press stamped with the same server time as the
            // previous one (X input methods send duplicates).
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        XTestFakeKeyEvent(display, XKeysymToKeycode(display, symbol), press ? True : False,
                          CurrentTime);
    };
    const std::vector<std::vector<std::pair<KeySym, bool>>> input{
        {{XK_t, true}}, {}, {{XK_t, false}, {XK_c, true}, {XK_c, false}}, {}};
    KeyStates states;
    std::size_t expected = 0;
    for (const auto& frame : input) {
        for (const auto& [symbol, press] : frame) {
            key(symbol, press);
        }
        expected += frame.size();
        EXPECT_TRUE(pumpUntil([&] { return target.keyEvents >= expected; }));
        states.push_back(target.keys());
    }
    return states;
}

TEST(WindowInputGLTest, EverySourceOfInputGivesTheSameKeyStatesPerFrame) {
    const KeyStates expected{{true, false}, {true, false}, {false, true}, {false, false}};
    const struct {
        const char* name;
        std::function<KeyStates()> run;
    } sources[] = {
        {"live keys on the window system's window", live},
        {"a script on the window system's window",
         [] {
             return scripted(false);
         }},
        {"a script on a headless window",
         [] {
             return scripted(true);
         }},
    };
    for (const auto& source : sources) {
        SCOPED_TRACE(source.name);
        EXPECT_EQ(source.run(), expected);
    }
}

} // namespace
