#pragma once

#include "support/NullRenderer.hpp"

#include <GL/glew.h>
#include <string>
#include <utility>
#include <vector>

namespace ox::test {

// A renderer that records the report names of error polls and the messages it
// is asked to report. Each poll drains the GL error queue into `errors` so a
// test can see which call raised what. `calls` keeps polls and messages in
// the order they came, as "poll:<name>" and "message:<type>:<text>".
class RecordingRenderer : public NullRenderer {
public:
    std::vector<std::string> polls;
    std::vector<std::pair<std::string, GLenum>> errors;
    std::vector<std::string> messages;
    std::vector<std::string> calls;

    void pollErrors(const std::string_view& callName) override {
        polls.emplace_back(callName);
        calls.push_back("poll:" + std::string(callName));
        for (GLenum code = glGetError(); code != GL_NO_ERROR; code = glGetError()) {
            errors.emplace_back(callName, code);
        }
    }
    void reportMessage(std::int32_t type, const std::string_view& text) override {
        messages.emplace_back(text);
        calls.push_back("message:" + std::to_string(type) + ":" + std::string(text));
    }
};

} // namespace ox::test
