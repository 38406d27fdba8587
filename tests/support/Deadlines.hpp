#pragma once

// How long tests wait for the demo's first frame. Before it, start-up builds
// 362 shader programs: about 2 s with a warm Mesa shader cache, but 37 s for
// the sanitized program without one (a fresh machine, or a home that is
// read-only or full), and twice that while a parallel test run loads both
// cores. Only this wait allows for a cold compile; waits after the first
// frame stay short, so a lost key or window still fails in seconds.

#include <chrono>

namespace ox::test {

inline constexpr int firstFrameSeconds = 150;
inline constexpr std::chrono::seconds firstFrameDeadline{firstFrameSeconds};

} // namespace ox::test
