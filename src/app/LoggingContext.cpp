#include "app/LoggingContext.hpp"

#include "core/logger/LoggerMachinery.hpp"
#include "core/logger/impl/BackInsertIterator.hpp"
#include "core/logger/impl/FileWriter.hpp"
#include "core/logger/impl/StreamWriter.hpp"

#include <cstdio>

namespace ox::app {

using core::logger::ELogLevel;

bool setupLogging(std::vector<std::string>& memoryLog, LoggingContext& context) {
    LoggingContext built;
    built.machinery = std::make_shared<core::logger::LoggerMachinery>();
    built.memoryWriter = std::make_shared<core::logger::impl::BackInsertIterator>(
        &memoryLog, ELogLevel::Debug, memoryLogLineLimit);
    built.machinery->addWriter(built.memoryWriter);
    built.fileWriter =
        std::make_shared<core::logger::impl::FileWriter>(logFilePath, ELogLevel::Debug);
    built.machinery->addWriter(built.fileWriter);
    built.errorStreamWriter =
        std::make_shared<core::logger::impl::StreamWriter>(stderr, ELogLevel::Error);
    built.machinery->addWriter(built.errorStreamWriter);
    built.logApiFactory = built.machinery->getLogApiFactory();
    built.mainLog = built.logApiFactory->createLogApi("main", ELogLevel::Debug);
    built.rendererLog = built.logApiFactory->createLogApi("renderer", ELogLevel::Debug);
    built.windowLog = built.logApiFactory->createLogApi("window", ELogLevel::Debug);
    context = built;
    return true;
}

void releaseLogging(LoggingContext& context) {
    context.windowLog.reset();
    context.rendererLog.reset();
    context.mainLog.reset();
    context.logApiFactory.reset();
    context.errorStreamWriter.reset();
    context.fileWriter.reset();
    context.memoryWriter.reset();
    context.machinery.reset();
}

} // namespace ox::app
