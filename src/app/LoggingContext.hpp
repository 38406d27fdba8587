#pragma once

#include "core/logger/ILogApi.hpp"
#include "core/logger/ILogApiFactory.hpp"
#include "core/logger/ILogWriter.hpp"
#include "core/logger/ILoggerMachinery.hpp"

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace ox::app {

// Everything the program logs through. Members are declared in creation order
// so that destroying the record releases the channels first and the root last.
struct LoggingContext {
    std::shared_ptr<core::logger::ILoggerMachinery> machinery;
    std::shared_ptr<core::logger::ILogWriter> memoryWriter;
    std::shared_ptr<core::logger::ILogWriter> fileWriter;
    // Error and fatal lines also go to the standard error stream.
    std::shared_ptr<core::logger::ILogWriter> errorStreamWriter;
    std::shared_ptr<core::logger::ILogApiFactory> logApiFactory;
    std::shared_ptr<core::logger::ILogApi> mainLog;
    std::shared_ptr<core::logger::ILogApi> rendererLog;
    std::shared_ptr<core::logger::ILogApi> windowLog;
};

// Log file written in the working directory.
inline constexpr const char* logFilePath = "./vexel.log";

// The in-memory log keeps only this many of the most recent lines. A shader
// that raises a GL error every frame adds hundreds of lines a second, and the
// program is meant to run for hours; the log file keeps everything.
inline constexpr std::size_t memoryLogLineLimit = 10000;

// Builds the root, the memory writer (into memoryLog, which must outlive the
// context), the file writer, the standard error writer and the channels "main", "renderer" and
// "window".
bool setupLogging(std::vector<std::string>& memoryLog, LoggingContext& context);

// Releases the members in reverse order of creation.
void releaseLogging(LoggingContext& context);

} // namespace ox::app
