#pragma once

#include "app/LoggingContext.hpp"
#include "core/logger/LoggerMachinery.hpp"
#include "support/RecordingWriter.hpp"

#include <memory>

namespace ox::test {

// The application's logging context with the channels "main", "renderer" and
// "window" at debug level, writing only into a recording writer (no file).
struct RecordingLoggingContext {
    std::shared_ptr<RecordingWriter> writer = std::make_shared<RecordingWriter>();
    app::LoggingContext logging;

    RecordingLoggingContext() {
        logging.machinery = std::make_shared<core::logger::LoggerMachinery>();
        logging.memoryWriter = writer;
        logging.machinery->addWriter(writer);
        logging.logApiFactory = logging.machinery->getLogApiFactory();
        logging.mainLog =
            logging.logApiFactory->createLogApi("main", core::logger::ELogLevel::Debug);
        logging.rendererLog =
            logging.logApiFactory->createLogApi("renderer", core::logger::ELogLevel::Debug);
        logging.windowLog =
            logging.logApiFactory->createLogApi("window", core::logger::ELogLevel::Debug);
    }
};

} // namespace ox::test
