#include "harness/RenderDocApi.hpp"

#include "harness/RenderDocLibrary.hpp"

#include <fmt/format.h>

#include <vector>

namespace ox::harness {

std::unique_ptr<RenderDocApi> RenderDocApi::inProcess() {
    using get_api_t = int (*)(int version, void** api);
    const auto getApi = reinterpret_cast<get_api_t>(RenderDocLibrary::entryPoint());
    void* table = nullptr;
    if (getApi == nullptr || getApi(requestedVersion, &table) != 1 || table == nullptr) {
        return nullptr;
    }
    return std::make_unique<RenderDocApi>(*static_cast<const renderdoc_api_t*>(table));
}

std::string RenderDocApi::version() const {
    int major = 0;
    int minor = 0;
    int patch = 0;
    table.GetAPIVersion(&major, &minor, &patch);
    return fmt::format("{}.{}.{}", major, minor, patch);
}

void RenderDocApi::leaveKeysAndPicture() const {
    // A count of 0 takes every key away; the overlay bits masked to none.
    table.SetCaptureKeys(nullptr, 0);
    table.SetFocusToggleKeys(nullptr, 0);
    table.MaskOverlayBits(0u, 0u);
}

void RenderDocApi::setPathPrefix(const std::string& prefix) const {
    table.SetCaptureFilePathTemplate(prefix.c_str());
}

void RenderDocApi::startFrame() const {
    table.StartFrameCapture(nullptr, nullptr);
}

bool RenderDocApi::isCapturing() const {
    return table.IsFrameCapturing() != 0;
}

bool RenderDocApi::endFrame() const {
    return table.EndFrameCapture(nullptr, nullptr) == 1;
}

std::optional<std::string> RenderDocApi::newestCapture() const {
    const std::uint32_t count = table.GetNumCaptures();
    if (count == 0) {
        return std::nullopt;
    }
    std::uint32_t length = 0;
    if (table.GetCapture(count - 1, nullptr, &length, nullptr) != 1 || length == 0) {
        return std::nullopt;
    }
    // The length counts the terminating zero.
    std::vector<char> path(length + 1, '\0');
    if (table.GetCapture(count - 1, path.data(), &length, nullptr) != 1) {
        return std::nullopt;
    }
    return std::string(path.data());
}

} // namespace ox::harness
