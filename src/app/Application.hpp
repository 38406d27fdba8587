#pragma once

namespace ox::app {

// The program: builds the logging, renderer and scene contexts in order, runs
// the frame loop and releases everything in reverse order. Returns the process
// exit code: 0 after a normal end, 1 when a start-up stage failed.
int runApplication();

} // namespace ox::app
