#include "core/logger/LoggerMachinery.hpp"
#include "core/logger/impl/BackInsertIterator.hpp"

#include <ctime>
#include <gtest/gtest.h>
#include <regex>

using ox::core::logger::ELogLevel;
using ox::core::logger::LoggerMachinery;
using ox::core::logger::impl::BackInsertIterator;

namespace {

struct LogApiImplTest : ::testing::Test {
    std::vector<std::string> lines;
    std::shared_ptr<LoggerMachinery> root = std::make_shared<LoggerMachinery>();

    void SetUp() override {
        root->addWriter(std::make_shared<BackInsertIterator>(&lines, ELogLevel::Debug));
    }
};

std::time_t parseLocal(const std::string& stamp) {
    std::tm parsed{};
    EXPECT_EQ(sscanf(stamp.c_str(), "%4d-%2d-%2d %2d:%2d:%2d", &parsed.tm_year, &parsed.tm_mon,
                     &parsed.tm_mday, &parsed.tm_hour, &parsed.tm_min, &parsed.tm_sec),
              6);
    parsed.tm_year -= 1900;
    parsed.tm_mon -= 1;
    parsed.tm_isdst = -1;
    return std::mktime(&parsed);
}

TEST_F(LogApiImplTest, LineCarriesLocalTimeTagChannelAndMessage) {
    auto channel = root->createLogApi("window", ELogLevel::Debug);
    const std::time_t before = std::time(nullptr);
    channel->log(ELogLevel::Debug, "Mouse look activated.");
    const std::time_t after = std::time(nullptr);

    ASSERT_EQ(lines.size(), 1u);
    const std::regex format(
        R"(^(\d{4}-\d{2}-\d{2} \d{2}:\d{2}:\d{2}) \(l:dbg\) window > Mouse look activated\.$)");
    std::smatch match;
    ASSERT_TRUE(std::regex_match(lines[0], match, format)) << lines[0];
    const std::time_t stamped = parseLocal(match[1]);
    EXPECT_GE(stamped, before);
    EXPECT_LE(stamped, after);
}

TEST_F(LogApiImplTest, EveryLevelHasItsTagAndUnknownValuesSayUnk) {
    auto channel = root->createLogApi("c", ELogLevel::None);
    const std::vector<std::pair<int, std::string>> expected = {{1, "dbg"}, {2, "inf"},  {3, "wrn"},
                                                               {4, "err"}, {5, "ftl"},  {6, "unk"},
                                                               {7, "unk"}, {255, "unk"}};
    for (const auto& [value, tag] : expected) {
        lines.clear();
        channel->log(static_cast<ELogLevel>(value), "m");
        ASSERT_EQ(lines.size(), 1u) << value;
        EXPECT_NE(lines[0].find("(l:" + tag + ") c > m"), std::string::npos) << lines[0];
    }
    EXPECT_EQ(ox::core::logger::logLevelTag(ELogLevel::None), "non");
}

TEST_F(LogApiImplTest, MessageIsNeverAFormatString) {
    auto channel = root->createLogApi("main", ELogLevel::Debug);
    channel->log(ELogLevel::Info, "braces {} and {:%Y} stay");
    channel->log(ELogLevel::Info, "");
    channel->log(ELogLevel::Info, "two\nlines");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_TRUE(lines[0].ends_with("(l:inf) main > braces {} and {:%Y} stay")) << lines[0];
    EXPECT_TRUE(lines[1].ends_with("(l:inf) main > ")) << lines[1];
    EXPECT_TRUE(lines[2].ends_with("main > two\nlines"));
}

TEST_F(LogApiImplTest, NameIsKeptExactlyIncludingEmpty) {
    EXPECT_EQ(root->createLogApi("", ELogLevel::Debug)->getName(), "");
    EXPECT_EQ(root->createLogApi("renderer", ELogLevel::Debug)->getName(), "renderer");
    root->createLogApi("", ELogLevel::Debug)->log(ELogLevel::Warning, "x");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_TRUE(lines[0].ends_with("(l:wrn)  > x")) << lines[0];
}

TEST_F(LogApiImplTest, MemoryWriterFiltersByItsThreshold) {
    std::vector<std::string> errorsOnly;
    root->addWriter(std::make_shared<BackInsertIterator>(&errorsOnly, ELogLevel::Error));
    auto channel = root->createLogApi("main", ELogLevel::Debug);
    channel->log(ELogLevel::None, "none");
    channel->log(ELogLevel::Info, "info");
    channel->log(ELogLevel::Error, "error");
    EXPECT_EQ(lines.size(), 2u);
    ASSERT_EQ(errorsOnly.size(), 1u);
    EXPECT_TRUE(errorsOnly[0].ends_with("> error"));
}

} // namespace
