#include "harness/ScriptedWindow.hpp"

#include <utility>

namespace ox::harness {

using renderer::dimension_t;
using renderer::ECursorMode;

ScriptedWindow::ScriptedWindow(std::shared_ptr<renderer::IRendererWindow> window,
                               InputScript& script)
    : window(std::move(window))
    , script(script) {}

bool ScriptedWindow::isKeyPressed(renderer::EInputKey key) const {
    // Both are asked, so that each sees the question and forgets a tap it answered.
    const bool real = window->isKeyPressed(key);
    const bool scripted = script.isKeyPressed(key);
    return real || scripted;
}

std::shared_ptr<renderer::IRenderer> ScriptedWindow::getRenderer() const {
    return window->getRenderer();
}

std::shared_ptr<renderer::IMonitor> ScriptedWindow::getMonitor() const {
    return window->getMonitor();
}

void ScriptedWindow::attachEvents(std::shared_ptr<renderer::IRendererWindowEvents> events) {
    window->attachEvents(std::move(events));
}

void ScriptedWindow::detachEvents() {
    window->detachEvents();
}

bool ScriptedWindow::isValid() const {
    return window->isValid();
}

void ScriptedWindow::handleResize(std::int32_t width, std::int32_t height) {
    window->handleResize(width, height);
}

void ScriptedWindow::setCursorMode(ECursorMode mode) {
    window->setCursorMode(mode);
}

std::optional<ECursorMode> ScriptedWindow::getCursorMode() const {
    return window->getCursorMode();
}

void ScriptedWindow::setTitle(const std::string_view& title) {
    window->setTitle(title);
}

const std::string& ScriptedWindow::getTitle() const {
    return window->getTitle();
}

void ScriptedWindow::focus() {
    window->focus();
}

void ScriptedWindow::makeContextCurrent() {
    window->makeContextCurrent();
}

dimension_t ScriptedWindow::getSize() const {
    return window->getSize();
}

void ScriptedWindow::setAspectRatio(float ratio) {
    window->setAspectRatio(ratio);
}

void ScriptedWindow::setAspectRatio(std::int32_t width, std::int32_t height) {
    window->setAspectRatio(width, height);
}

float ScriptedWindow::getAspectRatio() const {
    return window->getAspectRatio();
}

void ScriptedWindow::swapBuffers() {
    window->swapBuffers();
}

void ScriptedWindow::setShouldClose(bool value) {
    window->setShouldClose(value);
}

bool ScriptedWindow::shouldClose() const {
    return window->shouldClose();
}

void ScriptedWindow::destroy() {
    window->destroy();
}

} // namespace ox::harness
