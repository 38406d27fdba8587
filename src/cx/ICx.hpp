#pragma once

namespace ox::cx {

// Anything the graph manager can bring up to date once per evaluation pass.
// Main thread only; the returned status is always 0 and nobody reads it.
struct ICx {
    virtual ~ICx() = default;
    virtual int update() = 0;
};

} // namespace ox::cx
