#!/usr/bin/python3
"""Replays a RenderDoc capture to its last call and saves the back buffer as PNG.

    /usr/bin/python3 scripts/renderdoc-replay.py CAPTURE.rdc OUT.png

Needs RenderDoc's Python module (package python3-renderdoc), which only the
system's interpreter has. Without an X server, run it with
EGL_PLATFORM=surfaceless. Exit code 0 when the picture was written, 1 with a
one-line reason otherwise.
"""

import sys

try:
    import renderdoc as rd
except ImportError as error:
    sys.exit(f"renderdoc-replay: RenderDoc's Python module is missing ({error}); "
             "install the package python3-renderdoc")


def last_event(actions):
    last = 0
    for action in actions:
        last = max(last, action.eventId, last_event(action.children))
    return last


def replay(capture_path, png_path):
    capture = rd.OpenCaptureFile()
    result = capture.OpenFile(capture_path, "", None)
    if result != rd.ResultCode.Succeeded:
        return f"cannot open {capture_path}: {result}"
    if not capture.LocalReplaySupport():
        return f"{capture_path} cannot be replayed here"
    result, controller = capture.OpenCapture(rd.ReplayOptions(), None)
    if result != rd.ResultCode.Succeeded:
        return f"cannot replay {capture_path}: {result}"
    try:
        # The state after the capture's last call: the frame as drawn.
        controller.SetFrameEvent(last_event(controller.GetRootActions()), True)
        buffers = [texture for texture in controller.GetTextures()
                   if texture.creationFlags & rd.TextureCategory.SwapBuffer]
        if not buffers:
            return f"{capture_path} has no back buffer"
        save = rd.TextureSave()
        save.resourceId = buffers[0].resourceId
        save.destType = rd.FileType.PNG
        save.alpha = rd.AlphaMapping.Preserve
        result = controller.SaveTexture(save, png_path)
        if result is False or (result is not True and result is not None
                               and result != rd.ResultCode.Succeeded):
            return f"cannot write {png_path}: {result}"
    finally:
        controller.Shutdown()
        capture.Shutdown()
    return None


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: renderdoc-replay.py CAPTURE.rdc OUT.png")
    rd.InitialiseReplay(rd.GlobalEnvironment(), [])
    try:
        error = replay(sys.argv[1], sys.argv[2])
    finally:
        rd.ShutdownReplay()
    if error is not None:
        sys.exit(f"renderdoc-replay: {error}")


if __name__ == "__main__":
    main()
