#include "core/logger/impl/RecentLinesWriter.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using ox::core::logger::ELogLevel;
using ox::core::logger::impl::RecentLinesWriter;

std::vector<std::string> kept(const RecentLinesWriter& writer) {
    std::vector<std::string> lines;
    for (std::size_t index = 0; index < writer.size(); ++index) {
        lines.emplace_back(writer.line(index));
    }
    return lines;
}

TEST(RecentLinesWriterTest, KeepsTheNewestLinesOldestFirst) {
    const struct {
        int written;
        std::vector<std::string> kept;
    } cases[] = {
        {0, {}},
        {2, {"line 1", "line 2"}},
        {3, {"line 1", "line 2", "line 3"}},
        {7, {"line 5", "line 6", "line 7"}},
    };
    for (const auto& c : cases) {
        RecentLinesWriter writer(3, ELogLevel::Debug);
        for (int line = 1; line <= c.written; ++line) {
            writer.write(line == c.written ? ELogLevel::Error : ELogLevel::Info,
                         "line " + std::to_string(line));
        }
        EXPECT_EQ(kept(writer), c.kept) << c.written;
        EXPECT_EQ(writer.written(), static_cast<std::size_t>(c.written));
        if (c.written != 0) {
            EXPECT_EQ(writer.level(writer.size() - 1), ELogLevel::Error);
            EXPECT_EQ(writer.level(0), ELogLevel::Info);
        }
        EXPECT_EQ(writer.line(3), "");
    }
}

TEST(RecentLinesWriterTest, KeepsTheBeginningOfALongLineAndNothingBelowItsThreshold) {
    RecentLinesWriter writer(4, ELogLevel::Warning);
    writer.write(ELogLevel::Info, "not kept");
    writer.write(ELogLevel::Warning, std::string(300, 'x') + "end");
    ASSERT_EQ(writer.size(), 1u);
    EXPECT_EQ(writer.line(0), std::string(255, 'x'));
}

} // namespace
