#pragma once

#include <cstdint>

namespace ox::harness {

// The function table of RenderDoc's in-application API (1.x), declared here
// because the library ships without its header. The order is the ABI: newer
// versions only append, so a table of a later 1.x version starts with these.
// Only the entries Vexel calls carry their real signatures; the others keep
// their place as opaque pointers.
struct renderdoc_api_t {
    using opaque_t = void (*)();

    void (*GetAPIVersion)(int* major, int* minor, int* patch);
    opaque_t SetCaptureOptionU32;
    opaque_t SetCaptureOptionF32;
    opaque_t GetCaptureOptionU32;
    opaque_t GetCaptureOptionF32;
    void (*SetFocusToggleKeys)(int* keys, int count);
    void (*SetCaptureKeys)(int* keys, int count);
    std::uint32_t (*GetOverlayBits)();
    void (*MaskOverlayBits)(std::uint32_t andMask, std::uint32_t orMask);
    opaque_t RemoveHooks;
    opaque_t UnloadCrashHandler;
    void (*SetCaptureFilePathTemplate)(const char* pathPrefix);
    opaque_t GetCaptureFilePathTemplate;
    std::uint32_t (*GetNumCaptures)();
    std::uint32_t (*GetCapture)(std::uint32_t index, char* path, std::uint32_t* pathLength,
                                std::uint64_t* timestamp);
    opaque_t TriggerCapture;
    opaque_t IsTargetControlConnected;
    opaque_t LaunchReplayUI;
    opaque_t SetActiveWindow;
    void (*StartFrameCapture)(void* device, void* window);
    std::uint32_t (*IsFrameCapturing)();
    std::uint32_t (*EndFrameCapture)(void* device, void* window);
};

} // namespace ox::harness
