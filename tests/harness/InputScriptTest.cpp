#include "harness/InputScript.hpp"
#include "renderer/IInputSource.hpp"
#include "renderer/IWindowInput.hpp"
#include "support/TempDir.hpp"

#include <fmt/format.h>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using ox::harness::InputScript;
using ox::renderer::EInputAction;
using ox::renderer::EInputKey;
using ox::renderer::EInputMouseButton;

std::optional<InputScript> parse(const std::string& text, std::string& error) {
    std::istringstream stream(text);
    return InputScript::parse(stream, error);
}

// Everything the script hands a window's input, one line per event.
struct Journal : ox::renderer::IWindowInput {
    std::vector<std::string> lines;

    void inputKey(EInputKey key, std::int32_t scancode, EInputAction action,
                  std::uint16_t mods) override {
        lines.push_back(fmt::format("key {} {} {} {}", static_cast<int>(key), scancode,
                                    static_cast<int>(action), mods));
    }
    void inputMouseButton(EInputMouseButton button, EInputAction action, std::uint16_t) override {
        lines.push_back(
            fmt::format("button {} {}", static_cast<int>(button), static_cast<int>(action)));
    }
    void inputCursorPosition(double x, double y) override {
        lines.push_back(fmt::format("cursor {} {}", x, y));
    }
    void inputScroll(double x, double y) override {
        lines.push_back(fmt::format("scroll {} {}", x, y));
    }
    void addInputSource(std::shared_ptr<ox::renderer::IInputSource>) override {}
    void pollInputSources() override {}
};

TEST(InputScriptTest, EachPollDeliversTheNextFramesEventsInFileOrder) {
    std::string error;
    auto script = parse("# a flight\n"
                        "3 key up t   # released before frame 3\n"
                        "\n"
                        "1 key down T\n"
                        "1 wheel 0 -2.5\n"
                        "2 cursor 512 300.25\n"
                        "2 button down left\n"
                        "2 button up 3\n"
                        "3 key down escape\n",
                        error);
    ASSERT_TRUE(script) << error;
    Journal journal;

    std::vector<std::vector<std::string>> perFrame;
    for (int poll = 1; poll <= 4; ++poll) {
        journal.lines.clear();
        script->poll(journal);
        perFrame.push_back(journal.lines);
    }
    // T is key 38, Escape 51; press 1, release 2; left is button 1, middle 3.
    EXPECT_EQ(perFrame[0], (std::vector<std::string>{"key 38 0 1 0", "scroll 0 -2.5"}));
    EXPECT_EQ(perFrame[1],
              (std::vector<std::string>{"cursor 512 300.25", "button 1 1", "button 3 2"}));
    EXPECT_EQ(perFrame[2], (std::vector<std::string>{"key 38 0 2 0", "key 51 0 1 0"}));
    EXPECT_TRUE(perFrame[3].empty());
}

TEST(InputScriptTest, EachMalformedLineIsNamedWithItsNumberAndReason) {
    const struct {
        const char* text;
        const char* error;
    } cases[] = {
        {"1 key down T\nx key down T\n", "line 2: 'x' is not a frame number (frames count from 1)"},
        {"0 key down T\n", "line 1: '0' is not a frame number (frames count from 1)"},
        {"-1 key down T\n", "line 1: '-1' is not a frame number (frames count from 1)"},
        {"1\n", "line 1: an event is missing after the frame number"},
        {"1 jump\n", "line 1: unknown event 'jump' (key, wheel, cursor or button)"},
        {"1 key down\n", "line 1: expected \"FRAME key down|up NAME\""},
        {"1 key press T\n", "line 1: 'press' is neither down nor up"},
        {"1 key down TT\n", "line 1: unknown key 'TT'"},
        {"1 button down 9\n", "line 1: unknown mouse button '9' (left, right, middle or 1-8)"},
        {"1 button down left extra\n", "line 1: expected \"FRAME button down|up BUTTON\""},
        {"1 wheel 0\n", "line 1: expected \"FRAME wheel DX DY\""},
        {"1 wheel 0 up\n", "line 1: '0 up' are not two numbers"},
        {"1 cursor nan 4\n", "line 1: 'nan 4' are not two numbers"},
        {"1 cursor 3 4 5\n", "line 1: expected \"FRAME cursor X Y\""},
    };
    for (const auto& c : cases) {
        std::string error;
        EXPECT_FALSE(parse(c.text, error)) << c.text;
        EXPECT_EQ(error, c.error);
    }
}

// The largest numbers a script may hold are taken; one past them is refused
// with the line that holds it.
TEST(InputScriptTest, NumbersPastTheirBoundsAreRefusedWithTheirLine) {
    const struct {
        const char* line;
        const char* error; // empty: taken
    } cases[] = {
        {"1000000000 key down T", ""},
        {"1000000001 key down T",
         "line 2: frame 1000000001 is past the last one a script can name, 1000000000"},
        {"1 wheel -1000 1e3", ""},
        {"1 wheel 0 1000.001",
         "line 2: '0 1000.001' is out of range: wheel offsets are at most 1000 steps either way"},
        {"1 cursor -1e12 1000000000000", ""},
        {"1 cursor 0 -1000000000000.5",
         "line 2: '0 -1000000000000.5' is out of range: cursor positions are at most "
         "1000000000000 pixels either way"},
    };
    for (const auto& c : cases) {
        std::string error;
        const auto script = parse(std::string("1 key down T\n") + c.line, error);
        EXPECT_EQ(script && script->events().size() == 2, *c.error == '\0') << c.line;
        EXPECT_EQ(error, c.error);
    }
}

// A script saved by a Windows editor ends its lines with CR LF; it plays the
// same events as one with LF alone, on every system.
TEST(InputScriptTest, ScriptFilesPlayTheSameWhateverTheirLineEnds) {
    for (const char* lineEnd : {"\n", "\r\n", "\r\n\r\n"}) {
        SCOPED_TRACE(testing::PrintToString(std::string(lineEnd)));
        const ox::test::TempDir dir;
        std::ofstream(dir / "flight.input", std::ios::binary)
            << "# a flight" << lineEnd << "1 key down w  # held" << lineEnd << "1 wheel 0 1"
            << lineEnd << "2 key up w" << lineEnd;
        std::string error;
        auto script = InputScript::load(dir / "flight.input", error);
        ASSERT_TRUE(script) << error;
        Journal journal;
        script->poll(journal);
        script->poll(journal);
        // W is key 41; press 1, release 2.
        EXPECT_EQ(journal.lines,
                  (std::vector<std::string>{"key 41 0 1 0", "scroll 0 1", "key 41 0 2 0"}));
    }
}

TEST(InputScriptTest, AnUnreadableFileIsAnErrorNamingTheFile) {
    std::string error;
    EXPECT_FALSE(InputScript::load("/nonexistent/flight.input", error));
    EXPECT_EQ(error, "/nonexistent/flight.input: cannot be read");
    EXPECT_FALSE(InputScript::load("/", error));
    EXPECT_EQ(error, "/: is a directory");
}

} // namespace
