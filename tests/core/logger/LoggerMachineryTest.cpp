#include "core/logger/LoggerMachinery.hpp"
#include "core/logger/ILogApi.hpp"
#include "support/RecordingWriter.hpp"

#include <gtest/gtest.h>

using ox::core::logger::ELogLevel;
using ox::core::logger::LoggerMachinery;
using ox::test::RecordingWriter;

namespace {

ELogLevel level(int value) {
    return static_cast<ELogLevel>(value);
}

TEST(LoggerMachineryTest, EmptyWriterIsRefusedAndExistingWritersKeepReceiving) {
    auto root = std::make_shared<LoggerMachinery>();
    auto writer = std::make_shared<RecordingWriter>();
    ASSERT_TRUE(root->addWriter(writer));
    EXPECT_FALSE(root->addWriter(nullptr));
    root->dispatch(ELogLevel::Info, "after");
    ASSERT_EQ(writer->lines.size(), 1u);
    EXPECT_EQ(writer->lines[0].second, "after");
}

TEST(LoggerMachineryTest, WriterAddedTwiceStoresTwiceAndOneRemoveTakesBoth) {
    auto root = std::make_shared<LoggerMachinery>();
    auto twice = std::make_shared<RecordingWriter>();
    auto other = std::make_shared<RecordingWriter>();
    root->addWriter(twice);
    root->addWriter(other);
    root->addWriter(twice);

    root->dispatch(ELogLevel::Info, "line");
    EXPECT_EQ(twice->lines.size(), 2u);
    EXPECT_EQ(other->lines.size(), 1u);

    EXPECT_TRUE(root->removeWriter(twice));
    EXPECT_FALSE(root->removeWriter(twice));
    root->dispatch(ELogLevel::Info, "line");
    EXPECT_EQ(twice->lines.size(), 2u);
    EXPECT_EQ(other->lines.size(), 2u);
}

TEST(LoggerMachineryTest, WritersReceiveLinesInInsertionOrderAndFilterByOwnThreshold) {
    auto root = std::make_shared<LoggerMachinery>();
    std::vector<std::string> order;
    struct Tagged : RecordingWriter {
        Tagged(std::vector<std::string>& order, std::string tag, ELogLevel threshold)
            : RecordingWriter(threshold)
            , order(order)
            , tag(std::move(tag)) {}
        void write(const ELogLevel& l, const std::string_view& line) override {
            order.push_back(tag);
            RecordingWriter::write(l, line);
        }
        std::vector<std::string>& order;
        std::string tag;
    };
    auto first = std::make_shared<Tagged>(order, "first", ELogLevel::Debug);
    auto second = std::make_shared<Tagged>(order, "second", ELogLevel::Error);
    root->addWriter(first);
    root->addWriter(second);

    root->dispatch(ELogLevel::Warning, "w");
    EXPECT_EQ(order, (std::vector<std::string>{"first", "second"}));
    EXPECT_EQ(first->lines.size(), 1u);
    EXPECT_TRUE(second->lines.empty());
}

TEST(LoggerMachineryTest, ChannelThresholdIsTheCallersCheckAndWritersFilterOnTheirOwn) {
    auto root = std::make_shared<LoggerMachinery>();
    auto debugWriter = std::make_shared<RecordingWriter>(ELogLevel::Debug);
    auto nineWriter = std::make_shared<RecordingWriter>(level(9));
    root->addWriter(debugWriter);
    root->addWriter(nineWriter);
    auto channel = root->getLogApiFactory()->createLogApi("main", ELogLevel::Error);

    // The channel's threshold is only consulted by the caller.
    EXPECT_FALSE(channel->isEnabled(ELogLevel::Warning));
    channel->log(ELogLevel::Warning, "bypassed the check");
    ASSERT_EQ(debugWriter->lines.size(), 1u);

    // None handed straight to log reaches the root, but a Debug writer drops it.
    channel->log(ELogLevel::None, "none");
    EXPECT_EQ(debugWriter->lines.size(), 1u);

    // Level 9 passes a threshold of 9 and of Debug, and carries the unknown tag.
    channel->log(level(9), "nine");
    ASSERT_EQ(nineWriter->lines.size(), 1u);
    EXPECT_NE(nineWriter->lines[0].second.find("(l:unk) main > nine"), std::string::npos);
    EXPECT_EQ(debugWriter->lines.size(), 2u);
    EXPECT_FALSE(nineWriter->isEnabled(level(8)));
}

TEST(LoggerMachineryTest, SetThresholdReturnsPreviousAndSameNamedChannelsAreIndependent) {
    auto root = std::make_shared<LoggerMachinery>();
    auto a = root->createLogApi("same", ELogLevel::Debug);
    auto b = root->createLogApi("same", ELogLevel::Debug);
    ASSERT_NE(a, b);

    EXPECT_EQ(a->setThreshold(ELogLevel::Fatal), ELogLevel::Debug);
    EXPECT_EQ(a->setThreshold(ELogLevel::Info), ELogLevel::Fatal);
    EXPECT_EQ(a->getThreshold(), ELogLevel::Info);
    EXPECT_EQ(b->getThreshold(), ELogLevel::Debug);

    auto writer = std::make_shared<RecordingWriter>();
    EXPECT_EQ(writer->setThreshold(ELogLevel::Warning), ELogLevel::Debug);
    EXPECT_FALSE(writer->isEnabled(ELogLevel::Info));
    EXPECT_TRUE(writer->isEnabled(ELogLevel::Warning));
    // Comparisons are unsigned: a high byte value passes every named threshold.
    EXPECT_TRUE(writer->isEnabled(level(200)));
}

TEST(LoggerMachineryTest, FactoryIsTheRootItselfAndSharesOwnership) {
    auto root = std::make_shared<LoggerMachinery>();
    auto factory = root->getLogApiFactory();
    EXPECT_EQ(dynamic_cast<LoggerMachinery*>(factory.get()), root.get());
    EXPECT_EQ(root.use_count(), 2);

    LoggerMachinery unowned;
    EXPECT_THROW(unowned.getLogApiFactory(), std::bad_weak_ptr);
}

TEST(LoggerMachineryTest, ChannelOutlivingItsRootLogsNothingAndDoesNotCrash) {
    auto writer = std::make_shared<RecordingWriter>();
    std::shared_ptr<ox::core::logger::ILogApi> channel;
    {
        auto root = std::make_shared<LoggerMachinery>();
        root->addWriter(writer);
        channel = root->createLogApi("orphan", ELogLevel::Debug);
        EXPECT_EQ(root.use_count(), 1) << "channels must not keep the root alive";
    }
    channel->log(ELogLevel::Fatal, "lost");
    EXPECT_TRUE(writer->lines.empty());
    // The root released its writers when it went away.
    EXPECT_EQ(writer.use_count(), 1);
}

} // namespace
