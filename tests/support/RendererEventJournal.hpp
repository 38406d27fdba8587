#pragma once

#include "renderer/IMonitor.hpp"
#include "renderer/IRenderer.hpp"
#include "renderer/IRendererWindow.hpp"
#include "renderer/RendererEventsDispatcher.hpp"
#include "renderer/RendererWindowEventsDispatcher.hpp"

#include <fmt/format.h>
#include <fmt/ranges.h>

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace ox::test {

// One renderer or window event as a listener saw it. Objects are kept as
// addresses only, so the journal never extends anyone's lifetime.
struct JournalEntry {
    explicit JournalEntry(std::string what, const void* subject = nullptr,
                          const void* renderer = nullptr, std::string detail = {}, int type = -1)
        : what(std::move(what))
        , subject(subject)
        , renderer(renderer)
        , detail(std::move(detail))
        , type(type) {}

    std::string what;
    const void* subject = nullptr;  // the window or monitor the event is about
    const void* renderer = nullptr; // the renderer carried by the event
    std::string detail;             // message text, monitor name, key, size...
    int type = -1;                  // message type
};

// Real dispatchers for the renderer and its windows, with listeners that write
// every event into one journal in arrival order.
class RendererEventJournal {
public:
    RendererEventJournal()
        : rendererEvents(std::make_shared<renderer::RendererEventsDispatcher>())
        , windowEvents(std::make_shared<renderer::RendererWindowEventsDispatcher>())
        , journal(std::make_shared<std::vector<JournalEntry>>()) {
        auto log = journal;
        rendererEvents->addOnAttachEventListener([log] { log->push_back(JournalEntry{"attach"}); });
        rendererEvents->addOnDetachEventListener([log] { log->push_back(JournalEntry{"detach"}); });
        rendererEvents->addOnMessageEventListener(
            [log](const renderer::renderer_message_data_t& m) {
                log->push_back(JournalEntry{"message", nullptr, m.renderer.get(),
                                            std::string(m.message), m.type});
            });
        rendererEvents->addOnInitEventListener([log](std::shared_ptr<renderer::IRenderer> r) {
            log->push_back(JournalEntry{"init", nullptr, r.get()});
        });
        rendererEvents->addOnDeinitEventListener([log](std::shared_ptr<renderer::IRenderer> r) {
            log->push_back(JournalEntry{"deinit", nullptr, r.get()});
        });
        rendererEvents->addOnMonitorInitEventListener(
            [log](std::shared_ptr<renderer::IRenderer> r, std::shared_ptr<renderer::IMonitor> m) {
                log->push_back(JournalEntry{"monitor", m.get(), r.get(), m ? m->getName() : ""});
            });
        rendererEvents->addOnCreateWindowEventListener([log](std::shared_ptr<renderer::IRenderer> r,
                                                             std::shared_ptr<
                                                                 renderer::IRendererWindow>
                                                                 w) {
            log->push_back(JournalEntry{"create window", w.get(), r.get(), w ? w->getTitle() : ""});
        });
        rendererEvents->addOnDestroyWindowEventListener(
            [log](std::shared_ptr<renderer::IRenderer> r,
                  std::shared_ptr<renderer::IRendererWindow> w) {
                log->push_back(JournalEntry{"destroy window", w.get(), r.get()});
            });

        windowEvents->addOnAttachEventListener(
            [log] { log->push_back(JournalEntry{"window attach"}); });
        windowEvents->addOnDetachEventListener(
            [log] { log->push_back(JournalEntry{"window detach"}); });
        windowEvents->addOnCloseEventListener([log](std::shared_ptr<renderer::IRendererWindow> w) {
            log->push_back(JournalEntry{"close", w.get()});
        });
        windowEvents->addOnResizeEventListener(
            [log](std::shared_ptr<renderer::IRendererWindow> w, const renderer::dimension_t& s) {
                log->push_back(JournalEntry{"resize", w.get(), nullptr,
                                            fmt::format("{}x{}", s.width, s.height)});
            });
        windowEvents->addOnKeyEventListener(
            [log](std::shared_ptr<renderer::IRendererWindow> w, renderer::EInputKey key,
                  std::int32_t scancode, renderer::EInputAction action, std::uint16_t mods) {
                log->push_back(JournalEntry{"key", w.get(), nullptr,
                                            fmt::format("{} {} {} {:#06x}", static_cast<int>(key),
                                                        scancode, static_cast<int>(action), mods)});
            });
        windowEvents->addOnMouseButtonEventListener(
            [log](std::shared_ptr<renderer::IRendererWindow> w, renderer::EInputMouseButton button,
                  renderer::EInputAction action, std::uint16_t mods) {
                log->push_back(JournalEntry{"mouse button", w.get(), nullptr,
                                            fmt::format("{} {} {:#06x}", static_cast<int>(button),
                                                        static_cast<int>(action), mods)});
            });
        windowEvents->addOnCursorPositionEventListener([log](std::shared_ptr<
                                                                 renderer::IRendererWindow>
                                                                 w,
                                                             double x, double y) {
            log->push_back(JournalEntry{"cursor", w.get(), nullptr, fmt::format("{} {}", x, y)});
        });
        windowEvents->addOnScrollEventListener([log](std::shared_ptr<renderer::IRendererWindow> w,
                                                     double x, double y) {
            log->push_back(JournalEntry{"scroll", w.get(), nullptr, fmt::format("{} {}", x, y)});
        });
    }

    const std::vector<JournalEntry>& entries() const { return *journal; }
    void clear() { journal->clear(); }

    // The kind of every event, in arrival order; only() picks the events of one kind.
    std::vector<std::string> kinds() const {
        std::vector<std::string> result;
        for (const auto& entry : *journal) {
            result.push_back(entry.what);
        }
        return result;
    }

    std::vector<JournalEntry> only(const std::string& what) const {
        std::vector<JournalEntry> result;
        std::copy_if(journal->begin(), journal->end(), std::back_inserter(result),
                     [&](const JournalEntry& entry) { return entry.what == what; });
        return result;
    }

    // Texts of the messages of one type, in order.
    std::vector<std::string> messages(int type) const {
        std::vector<std::string> result;
        for (const auto& entry : *journal) {
            if (entry.what == "message" && entry.type == type) {
                result.push_back(entry.detail);
            }
        }
        return result;
    }

    std::shared_ptr<renderer::RendererEventsDispatcher> rendererEvents;
    std::shared_ptr<renderer::RendererWindowEventsDispatcher> windowEvents;

private:
    std::shared_ptr<std::vector<JournalEntry>> journal;
};

} // namespace ox::test
